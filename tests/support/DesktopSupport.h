#pragma once
// A desktop's file types and applications set up inside the test's own
// XDG_DATA_HOME and XDG_CONFIG_HOME (TempFolder points them there), and the
// desktop's own tools asked about them.
#include <string>
#include <vector>

namespace z9::test {

// text in single quotes for the shell.
std::string ShellQuote(const std::string& text);
// Runs a command through the shell; its standard output, blanks at the end cut.
std::string RunCommand(const std::string& command);

// A MIME type for files matching glob, added to the shared MIME database of
// XDG_DATA_HOME with update-mime-database. False when the tool failed.
bool AddMimeType(const std::string& type, const std::string& glob, int weight = 50);
// A .desktop entry in XDG_DATA_HOME/applications that runs exec for the types.
void AddDesktopEntry(const std::string& id, const std::string& exec, const std::vector<std::string>& types,
                     int initialPreference = -1);
// The default application of a type in XDG_CONFIG_HOME/mimeapps.list.
void SetDefaultApplication(const std::string& type, const std::string& ids);
// What `xdg-mime query default type` answers.
std::string XdgDefault(const std::string& type);

} // namespace z9::test
