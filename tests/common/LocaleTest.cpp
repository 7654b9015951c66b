#include "common/CodePage.h"
#include "common/CodePageQt.h"
#include "common/P8LocaleSettings.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <ctime>
#include <gtest/gtest.h>
#include <map>

namespace z9 {
namespace {

class LocaleTest : public ::testing::Test {
protected:
};

// A moment given in local time, so the expected texts hold in every time zone.
TimePoint LocalMoment(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

using Values = std::map<int, std::string>;

Values ValuesOf(const std::string& locale) {
    UseLocale(locale);
    Values values;
    for (int type : {14, 15, 29, 30, 31, 40, 41, 4099, 4100})
        values[type] = GetLocaleString(type);
    return values;
}

TEST_F(LocaleTest, UnitedStatesAndTheCLocaleAnswerAlike) {
    const Values expected = {{14, "."},        {15, ","},  {29, "/"},  {30, ":"},
                             {31, "M/d/yyyy"}, {40, "AM"}, {41, "PM"}, {4099, "h:mm:ss tt"},
                             {4100, "1252"}};
    EXPECT_EQ(ValuesOf("en_US"), expected);
    EXPECT_EQ(ValuesOf("C"), expected);
    EXPECT_EQ(ValuesOf("POSIX"), expected);
}

TEST_F(LocaleTest, GermanRussianAndJapaneseValues) {
    EXPECT_EQ(ValuesOf("de_DE"), (Values{{14, ","},
                                         {15, "."},
                                         {29, "."},
                                         {30, ":"},
                                         {31, "dd.MM.yyyy"},
                                         {40, "AM"},
                                         {41, "PM"},
                                         {4099, "HH:mm:ss"},
                                         {4100, "1252"}}));
    // Russian groups digits with a no-break space (0xA0 in code page 1251).
    EXPECT_EQ(ValuesOf("ru_RU"), (Values{{14, ","},
                                         {15, "\xA0"},
                                         {29, "."},
                                         {30, ":"},
                                         {31, "dd.MM.yyyy"},
                                         {40, "AM"},
                                         {41, "PM"},
                                         {4099, "HH:mm:ss"},
                                         {4100, "1251"}}));
    // Designators in code page 932: 午前, 午後. The long time format with words in it
    // gives way to digits and separators.
    EXPECT_EQ(ValuesOf("ja_JP"), (Values{{14, "."},
                                         {15, ","},
                                         {29, "/"},
                                         {30, ":"},
                                         {31, "yyyy/MM/dd"},
                                         {40, "\x8C\xDF\x91\x4F"},
                                         {41, "\x8C\xDF\x8C\xE3"},
                                         {4099, "H:mm:ss"},
                                         {4100, "932"}}));
}

TEST_F(LocaleTest, QtFormatsBecomeWindowsPictures) {
    // AM/PM before the hour, and the time zone at the front (zh_CN "t HH:mm:ss").
    UseLocale("ko_KR");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "tt h:mm:ss");
    EXPECT_EQ(GetLocaleString(LOCALE_STIME_ID), ":");
    UseLocale("zh_CN");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "HH:mm:ss");
    // The zone in brackets goes with its brackets.
    UseLocale("es_ES");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "H:mm:ss");
    // Separators other than ':' and '/', and one of two characters.
    UseLocale("fi_FI");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "H.mm.ss");
    EXPECT_EQ(GetLocaleString(LOCALE_STIME_ID), ".");
    UseLocale("hu_HU");
    EXPECT_EQ(GetLocaleString(LOCALE_SDATE_ID), ". ");
    UseLocale("nl_NL");
    EXPECT_EQ(GetLocaleString(LOCALE_SDATE_ID), "-");
    // Two-digit years are widened; other fields stay as the locale has them.
    UseLocale("en_AU");
    EXPECT_EQ(GetLocaleString(LOCALE_SSHORTDATE_ID), "d/M/yyyy");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "h:mm:ss tt");
    EXPECT_EQ(GetLocaleString(1), "");
    // Words between the time fields (fr_CA HH 'h' mm 'min' ss 's', bg_BG H:mm:ss 'ч'.)
    // leave no one separator: the time is written with ':' between digits.
    UseLocale("fr_CA");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "HH:mm:ss");
    EXPECT_EQ(GetLocaleString(LOCALE_STIME_ID), ":");
    UseLocale("bg_BG");
    EXPECT_EQ(GetLocaleString(LOCALE_STIMEFORMAT_ID), "H:mm:ss");
    EXPECT_EQ(GetLocaleString(LOCALE_STIME_ID), ":");
}

TEST_F(LocaleTest, CodePageFollowsTheChosenLocaleUnlessOneWasSet) {
    UseLocale("ru_RU");
    EXPECT_EQ(AnsiCodePage(), 1251);
    EXPECT_EQ(FromAnsi("\xC0"), QString::fromUtf8("А"));
    UseLocale("ja_JP");
    EXPECT_EQ(AnsiCodePage(), 932);
    SetAnsiCodePage(1250);
    EXPECT_EQ(AnsiCodePage(), 1250);
    // The locale's own code page is still what value 4100 reports.
    EXPECT_EQ(GetLocaleString(LOCALE_IDEFAULTANSICODEPAGE_ID), "932");
    SetAnsiCodePage(0);
    UseLocale("C");
    EXPECT_EQ(AnsiCodePage(), 1252);
}

TEST_F(LocaleTest, CharacterSetTable) {
    const std::map<int, int> table = {{932, 128},  {936, 134},  {949, 129},  {950, 136},  {1250, 238},
                                      {1251, 204}, {1252, 0},   {1253, 161}, {1254, 162}, {1255, 177},
                                      {1256, 178}, {1257, 186}, {874, 0},    {1258, 0},   {0, 0},
                                      {437, 0},    {-1, 0}};
    for (const auto& [codePage, charset] : table) {
        EXPECT_EQ(CharsetForCodePage(codePage), charset) << codePage;
        if (codePage >= 0) {
            EXPECT_EQ(CharsetForCodePage(std::to_string(codePage)), charset) << codePage;
        }
    }
    EXPECT_EQ(CharsetForCodePage(std::string("1257")), 186);
    EXPECT_EQ(CharsetForCodePage(std::string("874")), 0);
    EXPECT_EQ(CharsetForCodePage(std::string("")), 0);
    EXPECT_EQ(CharsetForCodePage(std::string("12x7")), 0);
    EXPECT_EQ(CharsetForCodePage(std::string("99999999999999999999")), 0);

    UseLocale("ru_RU");
    EXPECT_EQ(LocaleCharset(), 204);
    UseLocale("ja_JP");
    EXPECT_EQ(LocaleCharset(), 128);
    UseLocale("lt_LT");
    EXPECT_EQ(LocaleCharset(), 186);
    UseLocale("C");
    EXPECT_EQ(LocaleCharset(), 0);
}

TEST_F(LocaleTest, SetFormFontsGivesEveryControlTahomaAndKeepsTheRest) {
    QWidget window;
    auto* frame = new QFrame(&window);
    auto* label = new QLabel("Name", frame);
    QFont big = label->font();
    big.setFamily("Times New Roman");
    big.setPointSize(14);
    big.setBold(true);
    label->setFont(big);
    auto* edit = new QLineEdit(frame);
    auto* check = new QCheckBox("Run", &window);

    UseLocale("ru_RU");
    SetFormFonts(&window);
    EXPECT_EQ(ProgramCharset(), 204);
    for (QWidget* w : std::initializer_list<QWidget*>{frame, label, edit, check})
        EXPECT_EQ(w->font().family(), "Tahoma") << w->metaObject()->className();
    EXPECT_EQ(label->font().pointSize(), 14);
    EXPECT_TRUE(label->font().bold());
    // A control added afterwards starts from the window's font.
    auto* later = new QLineEdit(&window);
    EXPECT_EQ(later->font().family(), "Tahoma");

    UseLocale("de_DE");
    SetFormFonts(nullptr);
    EXPECT_EQ(ProgramCharset(), 0);
}

TEST_F(LocaleTest, PicturesInEnglish) {
    UseLocale("en_US");
    TimePoint afternoon = LocalMoment(2024, 3, 5, 14, 7, 9); // a Tuesday
    EXPECT_EQ(FormatDateTimePicture("M/d/yyyy", afternoon), "3/5/2024");
    EXPECT_EQ(FormatDateTimePicture("h:mm:ss tt", afternoon), "2:07:09 PM");
    EXPECT_EQ(FormatDateTimePicture("dddd, MMMM dd, yyyy", afternoon), "Tuesday, March 05, 2024");
    EXPECT_EQ(FormatDateTimePicture("ddd MMM yy 'at' HH'h' t", afternoon), "Tue Mar 24 at 14h P");
    EXPECT_EQ(FormatDateTimePicture("y|hh|H|m|s|''", afternoon), "24|02|14|7|9|'");
    EXPECT_EQ(GeneralDateTimeText(afternoon), "3/5/2024 2:07:09 PM");

    TimePoint afterMidnight = LocalMoment(2009, 12, 31, 0, 5, 0);
    EXPECT_EQ(FormatDateTimePicture("hh:mm tt", afterMidnight), "12:05 AM");
    EXPECT_EQ(FormatDateTimePicture("y/yy", afterMidnight), "9/09");
    EXPECT_EQ(GeneralDateTimeText(afterMidnight), "12/31/2009 12:05:00 AM");
}

TEST_F(LocaleTest, PicturesInGermanRussianAndJapanese) {
    TimePoint t = LocalMoment(2024, 3, 5, 9, 7, 9);
    UseLocale("de_DE");
    EXPECT_EQ(GeneralDateTimeText(t), "05.03.2024 09:07:09");
    EXPECT_EQ(FormatDateTimePicture("dddd, d. MMMM yyyy", t), "Dienstag, 5. M\xE4rz 2024");

    // With the day number the month is named in the genitive, alone in the nominative.
    UseLocale("ru_RU");
    EXPECT_EQ(FromAnsi(FormatDateTimePicture("d MMMM yyyy", t)), QString::fromUtf8("5 марта 2024"));
    EXPECT_EQ(FromAnsi(FormatDateTimePicture("MMMM yyyy", t)), QString::fromUtf8("март 2024"));

    // Double-byte literals whose second byte looks like a picture letter (【 is 0x81 'y').
    UseLocale("ja_JP");
    EXPECT_EQ(FromAnsi(FormatDateTimePicture("d\x81y", t)), QString::fromUtf8("5【"));
    EXPECT_EQ(FromAnsi(FormatDateTimePicture("yyyy'\x94\x4E'M tt", t)), QString::fromUtf8("2024年3 午前"));
    EXPECT_EQ(GeneralDateTimeText(t), "2024/03/05 9:07:09");
}

} // namespace
} // namespace z9
