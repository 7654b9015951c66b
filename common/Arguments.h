#pragma once
// A command line cut into a program's arguments by the Windows rules, so a
// program started on Linux gets the arguments it would get on Windows.
#include <string>
#include <vector>

namespace z9 {

// The first word is the program: up to the next double quote when it starts
// with one, else up to the first blank or tab. The words after it follow the C
// runtime's rules: blanks and tabs outside quotes separate them; 2n
// backslashes before a quote give n backslashes and the quote opens or closes
// a quoted part, 2n+1 give n backslashes and a literal quote; "" inside a
// quoted part is one literal quote; other backslashes are kept as they are.
std::vector<std::string> SplitArguments(const std::string& commandLine);

} // namespace z9
