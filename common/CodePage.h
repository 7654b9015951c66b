#pragma once
// The one door between ANSI bytes and Unicode. Text stays bytes in the
// system's ANSI code page everywhere (files, the registry, the task record), so
// it round-trips unchanged; it becomes Unicode only where it meets the host or a
// widget. No Qt here: CodePageQt.h adds QString on top for the widgets.
// Windows: MultiByteToWideChar / WideCharToMultiByte (CodePage_win.cpp);
// Linux: iconv (CodePage_unix.cpp).
#include <string>

namespace z9 {

// The code page Windows assigns to a locale's language, from the locale's
// name ("de_DE", "ru_RU.UTF-8", "zh_TW", "zh_Hant_HK", "sr_RS@latin"): 1252
// for western languages, C and POSIX, 1250 central European, 1251 Cyrillic,
// 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257 Baltic, 1258
// Vietnamese, 874 Thai, 932/936/949/950 east Asian.
int CodePageForLocaleName(const std::string& name);

// Names the locale the program follows ("de_DE", "C"); empty text returns to
// the system's. ProgramLocaleName is empty while the system's is in force.
void SetProgramLocale(const std::string& name);
const std::string& ProgramLocaleName();
bool ProgramLocaleNamed();

// The system's ANSI code page: GetACP on Windows; on Linux the code page of
// the locale that LC_ALL, LC_NUMERIC or LANG names (the first one set), as the
// locale's formats are read, so both agree.
int SystemAnsiCodePage();

// The ANSI code page in use: the one a test or the program chose with
// SetAnsiCodePage (0 returns to the locale's), else the named locale's, else
// the system's.
int AnsiCodePage();
void SetAnsiCodePage(int codePage);

// Bytes in a code page as UTF-16. Every byte of a single-byte code page has a
// character (the few that code page 1252 leaves undefined map to U+0081 and the
// like, as Windows maps them); a byte sequence a double-byte code page does not
// define becomes '?'.
std::u16string AnsiToUtf16(const std::string& bytes, int codePage);
// UTF-16 in a code page. A character the code page cannot hold becomes one '?',
// also one beyond 16 bits (a surrogate pair) or a lone surrogate.
std::string Utf16ToAnsi(const std::u16string& text, int codePage);

// The same in AnsiCodePage().
std::u16string AnsiToUtf16(const std::string& bytes);
std::string Utf16ToAnsi(const std::u16string& text);

} // namespace z9
