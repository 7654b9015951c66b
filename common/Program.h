#pragma once
// Facts about the running program: its title, its folder and its executables.
#include <optional>
#include <string>

namespace z9 {

// A program's name followed by its version: "Zorvan Menu 1.0.0".
std::string TitleWithVersion(const std::string& name, int major, int minor, int revision);

// The running program's title ("Zorvan Submitter", "Zorvan Menu"); message boxes use it.
const std::string& AppTitle();
void SetAppTitle(const std::string& title);

// The folder that holds the running executable, without a trailing separator.
std::string ProgramFolder();
// Tests point the program's folder elsewhere; an empty text restores the real one.
void SetProgramFolder(const std::string& folder);

// The platform's executable suffix: ".exe" on Windows, empty on Linux.
const char* ExeSuffix();

// The font every control of both programs shows, in the character set that
// suits the locale's code page (SetFormFonts stores it at start-up).
inline constexpr const char* kProgramFontName = "Tahoma";
// The character set SetFormFonts stored for the program (0 before it ran).
int ProgramCharset();
void SetProgramCharset(int charset);

// The native path separator.
char PathSeparator();

// The full path of one of our programs beside the running one, e.g. ProgramFile("Z9Sub").
std::string ProgramFile(const std::string& baseName);

// The process's current folder (in the ANSI code page); setting it returns
// false when the folder cannot be entered.
std::string CurrentFolder();
bool SetCurrentFolder(const std::string& folder);

// The value of an environment variable, or empty text, as the host holds it
// (for the host's own settings: paths, display, our Z9_ variables).
std::string EnvVar(const char* name);
// The value of an environment variable read as text (a user or domain name, a
// %VAR% in a task): in the ANSI code page.
std::string EnvText(const std::string& name);
// Sets an environment variable of this process and the programs it starts, or
// with nullopt removes it; false when the system refused. (Windows holds no
// variable set to nothing: there an empty value removes it.)
bool SetEnvVar(const char* name, const std::optional<std::string>& value);

// Whether a window system is there to show windows on: Windows always has
// one; Linux has one when DISPLAY or WAYLAND_DISPLAY names it.
bool WindowSystemPresent();

// The folder of the running executable as the system reports it (ProgramFolder
// without the tests' override).
std::string ExecutableFolder();

// The argument string of a program started with argv, as both programs read
// their command line: on Windows the raw command line after the program name;
// elsewhere the arguments, read from the host's encoding (HostText.h), joined
// with single blanks.
std::string JoinArguments(int argc, char** argv);
// The first argument (as the host gave it) that the ANSI code page cannot
// hold, or nullopt when all fit. Read in the code page it would name another
// file or carry another value. (Windows hands its ANSI programs the line
// already in the code page: nothing to find there.)
std::optional<std::string> ArgumentOutsideCodePage(int argc, char** argv);
// A whole command line without the program's name: the first word, up to the
// closing double quote when it starts with one, and the blanks after it.
std::string CommandLineAfterProgram(const std::string& commandLine);

// Drops one enclosing pair of double quotes from a path given on a command
// line: with at least 3 characters, a leading quote and then a trailing one,
// each on its own.
std::string StripQuotes(const std::string& fileName);

} // namespace z9
