#pragma once
// Values of the user's locale, in the shape Windows gives them, and the font
// character set that suits the locale's code page. Logic files may include
// this header: it pulls in no Qt.
#include "common/Clock.h"
#include "common/Program.h" // ProgramCharset

#include <optional>
#include <string>

class QWidget;

namespace z9 {

// Locale value numbers the programs use.
enum LocaleValue : int {
    LOCALE_SDECIMAL_ID = 14,
    LOCALE_STHOUSAND_ID = 15,
    LOCALE_SDATE_ID = 29,
    LOCALE_STIME_ID = 30,
    LOCALE_SSHORTDATE_ID = 31,
    LOCALE_S1159_ID = 40, // AM designator
    LOCALE_S2359_ID = 41, // PM designator
    LOCALE_STIMEFORMAT_ID = 4099,
    LOCALE_IDEFAULTANSICODEPAGE_ID = 4100,
};

// The locale value `type` of the user's default locale, as ANSI text; empty when unknown.
std::string GetLocaleString(int type);

// The user's default locale value as the system itself keeps it: GetLocaleInfoA
// on Windows (P8LocaleSettings_win.cpp). Linux keeps no such values: nothing,
// and GetLocaleString derives them from QLocale.
std::optional<std::string> SystemLocaleValue(int type);

// Makes the helpers answer for a named locale ("de_DE", "C"); empty text returns to the system's.
void UseLocale(const std::string& name);

int CharsetForCodePage(int codePage);
int CharsetForCodePage(const std::string& codePage);
// CharsetForCodePage of the locale's default ANSI code page.
int LocaleCharset();
// Stores LocaleCharset as the program's character set and gives every control of
// the window the font "Tahoma" with it.
void SetFormFonts(QWidget* window);

// t written with a Windows date/time picture (d dd ddd dddd M MM MMM MMMM y yy yyyy
// h hh H HH m mm s ss t tt, quoted literals) in the locale's names and designators.
std::string FormatDateTimePicture(const std::string& picture, TimePoint t);
// The general date/time text Windows writes for a date-time value: the short
// date, a blank and the long time.
std::string GeneralDateTimeText(TimePoint t);

} // namespace z9
