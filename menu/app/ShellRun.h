#pragma once
// Starting a menu link: a program, a document through the program that opens
// it, a task file through the submitter, with the launch switch
//   command [/Z9[+|-][folder]]
// "+" asks for a maximised window, "-" for a minimised one, and a folder makes
// the program start there. The same resolution, without starting anything,
// tells the menu window which icon a link gets and what a click means.
#include <string>

namespace z9 {

// How ShellRun resolved and started a command. Text is empty and numbers 0 unless set.
struct ShellRunResult {
    std::string executable;    // the program that handles the command
    std::string program;       // the command's first word, without quotes
    std::string arguments;     // the rest of the command after it, with its leading blank
    std::string switchText;    // a blank and the text from "/Z9" to the end; empty without the switch
    std::string workingFolder; // the folder after the switch
    unsigned char kind = 0;    // 1 a program, 0 a document opened by its executable, 2 not resolved
    char method = 0;           // 'S' the shell starts it, 'C' a process is created, ' ' resolve only
    unsigned char success = 0; // 1 when the start was accepted
    short showMode = 0;        // 1 normal, 3 maximised, 2 minimised
};

enum ShellRunMode : int { kResolveOnly = 0, kLaunch = 1 };

// Splits a command into its program and the arguments after it. quoteMode 1
// gives the program without its quotes; any other keeps the quotes (and a
// doubled quote inside stays doubled).
std::string SplitCommand(const std::string& command, int quoteMode, std::string& arguments);

// Resolves command and, in launch mode, starts it. callerFolder, when not
// empty, makes the start create a process instead of going through the shell.
ShellRunResult ShellRun(void* owner, const std::string& command, const std::string& callerFolder, int mode);

// Starts a link. A link that begins with Z9SUB (any case, with or without a
// leading quote) starts the submitter beside this program with the link's
// arguments. What happens is not reported: a failed start shows nothing.
void LaunchLink(const std::string& link, void* owner = nullptr);

// The command a link starts: a Z9SUB link rewritten to the quoted submitter
// path followed by its arguments and switch; any other link as it is.
std::string LinkCommand(const std::string& link);

} // namespace z9
