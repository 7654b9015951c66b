#pragma once
// The submitter's command line:
//   Z9Sub "Z9F File Name" [/s] [Z9EnvVar: StepNumber-VariableName=String] ...
// read from the whole argument string, as the system hands it over.
#include <string>
#include <vector>

namespace z9 {

struct CommandLine {
    bool help = false;       // the line was exactly /?, --help or -h
    bool submitMode = false; // /s
    // Element 0 is the task file name (quotes still on), 1..n the assignments.
    // Empty when the line names no file.
    std::vector<std::string> parts;

    bool HasFileName() const { return !parts.empty(); }
};

// Reads the whole argument string.
CommandLine ParseCommandLine(const std::string& line);

// Splits at every " Z9EnvVar:" (any case): the file name, then the
// assignments. Nothing else is cut out, so a path chosen in the open-file
// dialog goes through this alone.
std::vector<std::string> SplitAtAssignments(const std::string& text);

// The /? text, with CR LF line breaks.
const std::string& HelpText();
// The same text for a terminal: its lines on standard output.
void PrintHelp();

// "Zorvan Submitter " followed by major.minor.revision.
std::string WindowTitle(int major, int minor, int revision);

} // namespace z9
