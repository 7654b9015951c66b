#pragma once
// The widgets' side of the code page door (CodePage.h): ANSI bytes to and from
// QString, and the program's locale as Qt knows it.
#include <QLocale>
#include <QString>
#include <string>

namespace z9 {

// The locale the program follows: the one SetProgramLocale named, else the
// system's. The C/POSIX locale answers as en-US.
QLocale ProgramLocale();

// Bytes in the ANSI code page as text, and back; a character the code page
// cannot hold becomes '?'.
QString FromAnsi(const std::string& bytes);
std::string ToAnsi(const QString& text);

} // namespace z9
