#pragma once
// ANSI bytes to and from QString, in the system's ANSI code page. Text stays
// bytes everywhere else, so files and the registry round-trip unchanged.
#include <QLocale>
#include <QString>
#include <string>

namespace z9 {

// The code page Windows assigns to the locale's language (1252 for western
// languages and for the C locale, 1251 Cyrillic, 932 Japanese, ...).
int CodePageForLocale(const QLocale& locale);

// The locale the program follows: the system's, unless UseLocale
// (P8LocaleSettings.h) named another. The C/POSIX locale answers as en-US.
QLocale ProgramLocale();
// Names the program's locale ("de_DE", "C"); empty text returns to the system's.
void SetProgramLocale(const std::string& name);
// True while a locale chosen by name is in force.
bool ProgramLocaleNamed();

// The ANSI code page in use: the program locale's, unless a test or the
// program chose another with SetAnsiCodePage (0 returns to the locale's).
int AnsiCodePage();
void SetAnsiCodePage(int codePage);

QString FromAnsi(const std::string& bytes);
// Characters the code page cannot hold become '?'.
std::string ToAnsi(const QString& text);

} // namespace z9
