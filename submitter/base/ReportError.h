#pragma once
// The submitter's single error reporter: a message box in interactive use, a
// line in Z9SubError.log (in the current folder) in submit mode.
#include <string>

namespace z9 {

// Submit mode: set by /s on the command line; nothing waits for a person then.
bool SubmitMode();
void SetSubmitMode(bool on);

// The log's file name, opened relative to the current folder.
inline constexpr const char* kErrorLogName = "Z9SubError.log";

// style: 16 critical, 48 exclamation, 64 information. With logOnly, or in
// submit mode, the text is appended to the error log instead of shown.
void ReportError(const std::string& text, int style, bool logOnly = false);

// A message that asks for the person even in submit mode: a box (titled with
// the application title) unless submit mode runs where nobody can answer it
// (PersonCanAnswer, Desktop.h); then it goes to the error log, so an
// unattended run never waits.
void ReportToPerson(const std::string& text, int style);

// Appends one entry to the error log: the general date/time, " - ", the text, CR LF.
void AppendErrorLog(const std::string& text);

} // namespace z9
