#include "submitter/fields/P8DT.h"

#include "common/P8LocaleSettings.h"
#include "common/Twips.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace z9 {
namespace {

// Locale values from a table, for formats no real locale has.
LocaleLookup Values(std::map<int, std::string> values) {
    return [values](int type) {
        auto found = values.find(type);
        return found == values.end() ? std::string() : found->second;
    };
}

LocaleLookup Date(const std::string& format, const std::string& sep) {
    return Values({{LOCALE_SSHORTDATE_ID, format}, {LOCALE_SDATE_ID, sep}});
}

LocaleLookup Time(const std::string& format, const std::string& sep) {
    return Values({{LOCALE_STIMEFORMAT_ID, format}, {LOCALE_STIME_ID, sep}});
}

DTFormat Built(bool dateMode, const LocaleLookup& locale) {
    DTFormat f;
    EXPECT_EQ(SetupMode(f, dateMode, locale), 0);
    return f;
}

// ---- Display formats ------------------------------------------------------

TEST(P8DTLogicTest, DisplayFormatsFollowTheLocaleWithFourDigitYearsAndA24HourClock) {
    struct Case {
        bool date;
        const char* format;
        const char* sep;
        const char* display;
    } cases[] = {
        {true, "d.M.yy", ".", "d.M.yyyy"},
        {true, "M/d/yy", "/", "M/d/yyyy"},
        {true, "dd/mm/y", "/", "dd/MM/yyyy"},         // months upper-cased
        {true, "dd-MMMM-yyyy", "-", "dd-MM-yyyy"},    // and cut to two letters
        {true, "yyyy. MM. dd", ". ", "yyyy. MM. dd"}, // a separator of two characters
        {false, "h:mm:ss tt", ":", "H:mm:ss"},
        {false, "hh:mm:ss TT", ":", "HH:mm:ss"},
        {false, "HH.mmm.ss", ".", "HH.mm.ss"}, // minutes stay lower case, two letters
        {false, "tt h:mm:ss", ":", "H:mm:ss"}, // the marker before the time goes too
    };
    for (const Case& c : cases) {
        DTFormat f = Built(c.date, c.date ? Date(c.format, c.sep) : Time(c.format, c.sep));
        EXPECT_EQ(f.Display, c.display) << c.format;
        EXPECT_EQ(f.TimeMode, !c.date) << c.format;
        EXPECT_EQ(f.Separator, c.sep);
    }
    DTFormat f = Built(true, Date("d.M.yy", "."));
    EXPECT_EQ(f.Parts, (DTParts{"d", "M", "yyyy"}));
}

TEST(P8DTLogicTest, MissingLocaleValuesStopTheModeChangeWhereItIs) {
    DTFormat f = Built(true, Date("dd.MM.yyyy", "."));

    EXPECT_EQ(SetupMode(f, false, Time("", ":")), kDTNoFormat);
    EXPECT_FALSE(f.TimeMode);
    EXPECT_EQ(f.Display, "");
    EXPECT_EQ(DTErrorText(kDTNoFormat, false), "Cannot get time format.");

    f = Built(true, Date("dd.MM.yyyy", "."));
    EXPECT_EQ(SetupMode(f, false, Time("HH:mm:ss", "")), kDTNoSeparator);
    EXPECT_FALSE(f.TimeMode);
    EXPECT_EQ(f.Display, "HH:mm:ss");
    EXPECT_EQ(f.Parts, (DTParts{"dd", "MM", "yyyy"}));

    EXPECT_EQ(SetupMode(f, true, Date("", "/")), kDTNoFormat);
    EXPECT_EQ(DTErrorText(kDTNoFormat, true), "Cannot get short date format.");
    EXPECT_EQ(DTErrorText(kDTNoSeparator, true), "Cannot get short date separator.");
    EXPECT_EQ(DTErrorText(kDTNoSeparator, false), "Cannot get time separator.");
    EXPECT_EQ(DTErrorText(kDTUnknownFormat, true), "Unknown format.");
}

TEST(P8DTLogicTest, AFormatWithOneSeparatorIsUnknownAndKeepsThePreviousParts) {
    DTFormat f = Built(true, Date("d.M.yy", "."));
    EXPECT_EQ(SetupMode(f, false, Time("h:mm", ":")), kDTUnknownFormat);
    EXPECT_TRUE(f.TimeMode);
    EXPECT_EQ(f.Display, "h:mm"); // not rewritten
    EXPECT_EQ(f.Parts, (DTParts{"d", "M", "yyyy"}));
    // Such a control still writes its values, and refuses to step them.
    DateTime v{1899, 12, 30, 9, 5, 0};
    EXPECT_EQ(WriteValue(f, v), "9:05");
    EXPECT_FALSE(StepText(f, "9:05", 0, 1));
    EXPECT_EQ(ReadText(f, "9:05"), std::nullopt);
}

// ---- Cutting and cursor ---------------------------------------------------

TEST(P8DTLogicTest, TextIsCutAtTheFirstAndLastSeparator) {
    EXPECT_EQ(CutAtSeparators("10/5/2024", "/"), (DTParts{"10", "5", "2024"}));
    EXPECT_EQ(CutAtSeparators("1/2/3/4", "/"), (DTParts{"1", "2/3", "4"}));
    EXPECT_EQ(CutAtSeparators("2024. 05. 10", ". "), (DTParts{"2024", "05", "10"}));
    EXPECT_EQ(CutAtSeparators("//", "/"), (DTParts{"", "", ""}));
    EXPECT_FALSE(CutAtSeparators("10/5", "/"));
    EXPECT_FALSE(CutAtSeparators("10.5.2024", "/"));
    EXPECT_FALSE(CutAtSeparators("10/5/2024", ""));
    EXPECT_FALSE(CutAtSeparators("a..b", "..")); // one separator, not two overlapping
}

TEST(P8DTLogicTest, TheCursorChoosesThePartBeforeOrAfterEachSeparator) {
    // "10/5/2024": separators at 0-based 2 and 4.
    const std::vector<int> expected = {0, 0, 0, 1, 1, 2, 2, 2, 2, 2};
    for (int cursor = 0; cursor < static_cast<int>(expected.size()); ++cursor)
        EXPECT_EQ(PartAtCursor("10/5/2024", "/", cursor), expected[cursor]) << "cursor " << cursor;
}

// ---- Stepping --------------------------------------------------------------

struct StepCase {
    const char* text;
    int cursor;
    int delta;
    const char* result; // nullptr: the text cannot be stepped
};

void ExpectSteps(const DTFormat& f, const std::vector<StepCase>& cases) {
    for (const StepCase& c : cases) {
        std::optional<StepResult> r = StepText(f, c.text, c.cursor, c.delta);
        if (!c.result) {
            EXPECT_FALSE(r) << c.text << " at " << c.cursor << " by " << c.delta << " gave " << r->Text;
        } else {
            ASSERT_TRUE(r) << c.text << " at " << c.cursor << " by " << c.delta;
            EXPECT_EQ(r->Text, c.result) << c.text << " at " << c.cursor << " by " << c.delta;
        }
    }
}

TEST(P8DTLogicTest, DateStepsWrapByTheKindOfPart) {
    DTFormat us = Built(true, Date("M/d/yy", "/"));
    ExpectSteps(us, {
                        {"4/30/2024", 2, +1, "4/1/2024"}, // April has 30 days
                        {"4/1/2024", 2, -1, "4/30/2024"},
                        {"2/1/2024", 2, -1, "2/29/2024"}, // leap year
                        {"2/1/2023", 2, -1, "2/28/2023"},
                        {"2/1/1900", 2, -1, "2/28/1900"}, // not divisible by 400
                        {"2/1/2000", 2, -1, "2/29/2000"},
                        {"1/31/2024", 2, +1, "1/1/2024"},
                        {"12/31/2024", 0, +1, "1/31/2024"},
                        {"1/15/2024", 0, -1, "12/15/2024"},
                        {"1/15/3000", 7, +1, "1/15/1900"},
                        {"1/15/1900", 7, -1, "1/15/3000"},
                        {"1/15/2024", 9, +1, "1/15/2025"}, // cursor at the very end
                        {"9/9/2024", 2, +1, "9/10/2024"},  // a one-letter part grows
                    });
    DTFormat de = Built(true, Date("dd.MM.yy", "."));
    ExpectSteps(de, {
                        {"09.01.2024", 0, +1, "10.01.2024"},
                        {"01.01.2024", 0, -1, "31.01.2024"},
                        {"31.12.2024", 3, +1, "31.01.2024"},
                        {"05.09.2024", 3, +1, "05.10.2024"},
                    });
}

TEST(P8DTLogicTest, TimeStepsWrapByTheKindOfPart) {
    DTFormat f = Built(false, Time("HH:mm:ss", ":"));
    ExpectSteps(f, {
                       {"23:10:10", 0, +1, "00:10:10"},
                       {"00:10:10", 0, -1, "23:10:10"},
                       {"10:00:10", 3, -1, "10:59:10"},
                       {"10:59:10", 3, +1, "10:00:10"},
                       {"10:10:59", 6, +1, "10:10:00"},
                       {"10:10:00", 6, -1, "10:10:59"},
                       {"09:10:10", 0, +1, "10:10:10"},
                   });
}

TEST(P8DTLogicTest, StepsThatCannotBeMadeLeaveTheTextAlone) {
    DTFormat us = Built(true, Date("M/d/yy", "/"));
    ExpectSteps(us, {
                        {"1/31/2024", 0, +1, nullptr}, // February 31st does not exist
                        {"3/31/2024", 0, -1, nullptr},
                        {"", 0, +1, nullptr},
                        {"1/31", 0, +1, nullptr},      // one separator
                        {"x/31/2024", 0, +1, nullptr}, // not a number
                    });
    // A part of a kind the control does not know is stepped without wrap, and the
    // text it gives is no date.
    DTFormat odd = Built(true, Date("d/M/x", "/"));
    ExpectSteps(odd, {{"1/1/5", 4, +1, nullptr}});
}

TEST(P8DTLogicTest, AStepPutsTheCursorAtTheStartOfItsPart) {
    DTFormat us = Built(true, Date("M/d/yy", "/"));
    EXPECT_EQ(StepText(us, "9/9/2024", 3, +1)->Cursor, 2);
    EXPECT_EQ(StepText(us, "9/9/2024", 0, +1)->Cursor, 0);
    EXPECT_EQ(StepText(us, "9/9/2024", 8, +1)->Cursor, 4);
    EXPECT_EQ(StepText(us, "9/9/2024", 1, +1)->Text, "10/9/2024"); // just before a separator
    DTFormat wide = Built(true, Date("yyyy. MM. dd", ". "));
    auto r = StepText(wide, "2024. 05. 10", 7, +1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Text, "2024. 06. 10");
    EXPECT_EQ(r->Cursor, 6);
}

// ---- Reading and writing values -------------------------------------------

TEST(P8DTLogicTest, ValuesAreReadInTheOrderOfTheFormat) {
    DTFormat us = Built(true, Date("M/d/yy", "/"));
    EXPECT_EQ(ReadText(us, "2/29/2024"), (DateTime{2024, 2, 29}));
    EXPECT_EQ(ReadText(us, "2/30/2024"), std::nullopt);
    EXPECT_EQ(ReadText(us, "13/1/2024"), std::nullopt);
    EXPECT_EQ(ReadText(us, "1/1/99"), std::nullopt); // before year 100
    EXPECT_EQ(ReadText(us, "1/1"), std::nullopt);
    DTFormat iso = Built(true, Date("yyyy-MM-dd", "-"));
    EXPECT_EQ(ReadText(iso, "2024-12-01"), (DateTime{2024, 12, 1}));
    DTFormat odd = Built(true, Date("d/M/x", "/"));
    EXPECT_EQ(ReadText(odd, "1/1/2024"), std::nullopt);

    DTFormat t = Built(false, Time("h:mm:ss tt", ":"));
    EXPECT_EQ(ReadText(t, "13:05:09"), (DateTime{1899, 12, 30, 13, 5, 9}));
    EXPECT_EQ(ReadText(t, "24:00:00"), std::nullopt);
    EXPECT_EQ(ReadText(t, "1:60:00"), std::nullopt);
    EXPECT_EQ(ReadText(t, "1:pm:00"), std::nullopt);
}

TEST(P8DTLogicTest, ValuesAreWrittenWithTheDigitsOfEachPart) {
    DTFormat us = Built(true, Date("M/d/yy", "/"));
    EXPECT_EQ(WriteValue(us, {2024, 3, 7, 15, 0, 0}), "3/7/2024");
    DTFormat de = Built(true, Date("dd.MM.yy", "."));
    EXPECT_EQ(WriteValue(de, {987, 3, 7}), "07.03.0987");
    DTFormat t = Built(false, Time("HH:mm:ss", ":"));
    EXPECT_EQ(WriteValue(t, {2024, 3, 7, 5, 4, 3}), "05:04:03");
    DTFormat h = Built(false, Time("h:mm:ss tt", ":"));
    EXPECT_EQ(WriteValue(h, {2024, 3, 7, 17, 4, 3}), "17:04:03");
    // A literal in a part adds no digit, in a written value nor in a step.
    DTFormat lit = Built(true, Date("d 'x'.MM.yyyy", "."));
    EXPECT_EQ(lit.Parts[0], "d 'x'");
    EXPECT_EQ(WriteValue(lit, {2024, 3, 7}), "7.03.2024");
    ExpectSteps(lit, {{"9.03.2024", 0, +1, "10.03.2024"}});
}

TEST(P8DTLogicTest, ALiteralAfterTheLastFieldIsLeftOutSoTheTextReadsBack) {
    struct Case {
        bool date;
        const char* format;
        const char* sep;
        const char* display;
        const char* written;
    } cases[] = {
        {true, "d.M.yyyy.", ".", "d.M.yyyy", "7.3.2024"},              // sr_RS
        {true, "d.MM.yyyy '\xE3'.", ".", "d.MM.yyyy", "7.03.2024"},    // bg_BG
        {true, "yyyy. MM. dd.", ". ", "yyyy. MM. dd", "2024. 03. 07"}, // hu_HU
        {false, "H:mm:ss '\xF7'.", ":", "H:mm:ss", "9:05:03"},         // bg_BG
        {false, "h:mm:ss tt", ":", "H:mm:ss", "9:05:03"},
    };
    const DateTime v{2024, 3, 7, 9, 5, 3};
    for (const Case& c : cases) {
        DTFormat f = Built(c.date, c.date ? Date(c.format, c.sep) : Time(c.format, c.sep));
        EXPECT_EQ(f.Display, c.display) << c.format;
        EXPECT_EQ(WriteValue(f, v), c.written) << c.format;
        DateTime read = c.date ? DateTime{2024, 3, 7} : DateTime{1899, 12, 30, 9, 5, 3};
        EXPECT_EQ(ReadText(f, c.written), read) << c.format;
    }
    DTFormat hu = Built(true, Date("yyyy. MM. dd.", ". "));
    ExpectSteps(hu, {{"2024. 03. 09", 12, +1, "2024. 03. 10"}, {"2024. 03. 01", 12, -1, "2024. 03. 31"}});
}

// ---- The control ----------------------------------------------------------

class P8DTTest : public ::testing::Test {
protected:
    void SetUp() override { UseLocale("en_US"); }

    // Places the cursor in the text box as a click would.
    static void PlaceCursor(P8DT& dt, int position) { dt.TxT1()->setCursorPosition(position); }

    static std::string Text(const P8DT& dt) { return dt.TxT1()->text().toStdString(); }
};

TEST_F(P8DTTest, StartsInDateModeLockedWithTheSpinBarAtRest) {
    P8DT dt;
    EXPECT_TRUE(dt.P8Date());
    EXPECT_EQ(dt.Format().Display, "M/d/yyyy");
    EXPECT_EQ(dt.LastError(), 0);
    EXPECT_TRUE(dt.TxT1()->isReadOnly());
    EXPECT_EQ(dt.P8Inc()->value(), P8DT::kSpinRest);
    EXPECT_EQ(dt.P8Inc()->orientation(), Qt::Vertical);
    EXPECT_EQ(dt.TxT1()->objectName(), "TxT1");
    EXPECT_EQ(dt.P8Inc()->objectName(), "P8Inc");
    dt.P8Locked(false);
    EXPECT_FALSE(dt.TxT1()->isReadOnly());

    dt.SetP8Date(false);
    EXPECT_FALSE(dt.P8Date());
    EXPECT_EQ(dt.Format().Display, "H:mm:ss"); // en_US h:mm:ss tt
    EXPECT_EQ(dt.P8GetLocale(LOCALE_SDATE_ID), "/");
}

TEST_F(P8DTTest, ValuesRoundTripInTheUsersLocale) {
    for (const char* locale : {"en_US", "de_DE"}) {
        UseLocale(locale);
        P8DT date;
        P8DT time;
        time.SetP8Date(false);
        DateTime d{2024, 2, 29};
        DateTime t{1899, 12, 30, 7, 5, 9};
        date.SetValue(d);
        time.SetValue(t);
        EXPECT_EQ(date.Value(), d) << locale;
        EXPECT_EQ(time.Value(), t) << locale;
        if (std::string(locale) == "de_DE") {
            EXPECT_EQ(Text(date), "29.02.2024");
            EXPECT_EQ(Text(time), "07:05:09");
        } else {
            EXPECT_EQ(Text(date), "2/29/2024");
            EXPECT_EQ(Text(time), "7:05:09");
        }
    }
}

TEST_F(P8DTTest, AnInvalidTextReadsAsTheZeroDate) {
    P8DT dt;
    dt.P8Locked(false);
    QTest::keyClicks(dt.TxT1(), "2/30/2024");
    EXPECT_EQ(Text(dt), "2/30/2024");
    EXPECT_EQ(dt.Value(), kZeroDate);
    dt.TxT1()->clear();
    EXPECT_EQ(dt.Value(), kZeroDate);
}

TEST_F(P8DTTest, WritingTheValueRaisesDateChangedOnceWithIt) {
    P8DT dt;
    std::vector<DateTime> seen;
    QObject::connect(&dt, &P8DT::DateChanged, [&](const DateTime& v) { seen.push_back(v); });
    DateTime now{2024, 5, 10, 14, 30, 0};
    dt.SetValue(now);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], now); // the value as written, with its time of day
    EXPECT_EQ(dt.Value(), (DateTime{2024, 5, 10}));
}

TEST_F(P8DTTest, PlusAndMinusKeysStepThePartUnderTheCursor) {
    P8DT dt;
    dt.SetValue({2024, 4, 30});
    std::vector<DateTime> seen;
    QObject::connect(&dt, &P8DT::DateChanged, [&](const DateTime& v) { seen.push_back(v); });

    PlaceCursor(dt, 3); // in the day
    QTest::keyClick(dt.TxT1(), Qt::Key_Plus, Qt::NoModifier);
    EXPECT_EQ(Text(dt), "4/1/2024");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.back(), (DateTime{2024, 4, 1}));
    EXPECT_EQ(dt.TxT1()->cursorPosition(), 2);

    QTest::keyClick(dt.TxT1(), '-');
    EXPECT_EQ(Text(dt), "4/30/2024");
    EXPECT_EQ(seen.size(), 2u);

    PlaceCursor(dt, 0); // in the month
    QTest::keyClick(dt.TxT1(), '-');
    EXPECT_EQ(Text(dt), "3/30/2024");
    EXPECT_EQ(dt.TxT1()->cursorPosition(), 0);

    PlaceCursor(dt, 8); // in the year
    QTest::keyClick(dt.TxT1(), '+');
    EXPECT_EQ(Text(dt), "3/30/2025");
    EXPECT_EQ(dt.TxT1()->cursorPosition(), 5);
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(dt.Value(), (DateTime{2025, 3, 30}));
}

TEST_F(P8DTTest, OtherKeysDoNotChangeTheText) {
    P8DT dt;
    dt.SetValue({2024, 4, 30});
    int changes = 0;
    QObject::connect(&dt, &P8DT::DateChanged, [&] { ++changes; });
    PlaceCursor(dt, 3);
    QTest::keyClicks(dt.TxT1(), "7a");
    QTest::keyClick(dt.TxT1(), Qt::Key_Backspace);
    QTest::keyClick(dt.TxT1(), Qt::Key_Delete);
    EXPECT_EQ(Text(dt), "4/30/2024");
    EXPECT_EQ(changes, 0);
}

TEST_F(P8DTTest, TheDayWrapsByTheMonthAndYearInTheText) {
    P8DT dt;
    struct Case {
        DateTime start;
        int cursor;
        char key;
        const char* text;
    } cases[] = {
        {{2024, 2, 1}, 2, '-', "2/29/2024"},  {{2023, 2, 1}, 2, '-', "2/28/2023"},
        {{2024, 4, 30}, 2, '+', "4/1/2024"},  {{3000, 6, 15}, 6, '+', "6/15/1900"},
        {{1900, 6, 15}, 6, '-', "6/15/3000"}, {{2024, 12, 15}, 1, '+', "1/15/2024"},
    };
    for (const Case& c : cases) {
        dt.SetValue(c.start);
        PlaceCursor(dt, c.cursor);
        QTest::keyClick(dt.TxT1(), c.key);
        EXPECT_EQ(Text(dt), c.text);
    }
}

TEST_F(P8DTTest, AStepToAnInvalidDateChangesNothing) {
    P8DT dt;
    dt.SetValue({2024, 1, 31});
    int changes = 0;
    QObject::connect(&dt, &P8DT::DateChanged, [&] { ++changes; });
    PlaceCursor(dt, 0);
    QTest::keyClick(dt.TxT1(), '+');
    EXPECT_EQ(Text(dt), "1/31/2024");
    EXPECT_EQ(changes, 0);
    // The cursor stays where it was put.
    EXPECT_EQ(dt.TxT1()->cursorPosition(), 0);
}

TEST_F(P8DTTest, TimeModeWrapsHoursMinutesAndSeconds) {
    UseLocale("de_DE");
    P8DT dt;
    dt.SetP8Date(false);
    EXPECT_EQ(dt.Format().Display, "HH:mm:ss");
    dt.SetValue({1899, 12, 30, 23, 0, 59});
    PlaceCursor(dt, 1);
    QTest::keyClick(dt.TxT1(), '+');
    EXPECT_EQ(Text(dt), "00:00:59");
    PlaceCursor(dt, 4);
    QTest::keyClick(dt.TxT1(), '-');
    EXPECT_EQ(Text(dt), "00:59:59");
    PlaceCursor(dt, 8);
    QTest::keyClick(dt.TxT1(), '+');
    EXPECT_EQ(Text(dt), "00:59:00");
    EXPECT_EQ(dt.Value(), (DateTime{1899, 12, 30, 0, 59, 0}));
}

TEST_F(P8DTTest, TheSelectionLengthIsKeptAcrossAStep) {
    P8DT dt;
    dt.SetValue({2024, 11, 5});
    dt.TxT1()->setSelection(3, 2); // "5/" selected, standing in the day
    QTest::keyClick(dt.TxT1(), '+');
    EXPECT_EQ(Text(dt), "11/6/2024");
    EXPECT_EQ(dt.TxT1()->selectionStart(), 3);
    EXPECT_EQ(dt.TxT1()->selectionLength(), 2);
}

// The pixels in which two pictures of the same size differ.
QRect Difference(const QImage& a, const QImage& b) {
    QRect changed;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    return changed;
}

TEST_F(P8DTTest, TheLockedTextShowsWhereTheCursorStands) {
    const int flash = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0); // a steady cursor, whenever the picture is taken
    QWidget form;
    QLineEdit other(&form);
    P8DT dt(&form);
    dt.move(0, 40);
    dt.SetValue({2024, 10, 15});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    dt.setFocus();
    ASSERT_TRUE(dt.TxT1()->hasFocus());
    ASSERT_TRUE(dt.TxT1()->isReadOnly());

    auto picture = [&](int position) {
        PlaceCursor(dt, position);
        return dt.TxT1()->grab().toImage();
    };
    auto cursorPlace = [&](int position) {
        PlaceCursor(dt, position);
        return dt.TxT1()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    };
    const QImage inMonth = picture(0), inYear = picture(8);
    const QRect changed = Difference(inMonth, inYear);
    ASSERT_FALSE(changed.isNull()) << "the cursor is drawn nowhere";
    // Only the cursor moved: the pictures differ at its two places and nowhere else.
    EXPECT_TRUE(cursorPlace(0).united(cursorPlace(8)).contains(changed));
    EXPECT_GE(changed.height(), dt.TxT1()->fontMetrics().ascent() / 2);

    // A box without the focus shows no cursor.
    other.setFocus();
    ASSERT_FALSE(dt.TxT1()->hasFocus());
    EXPECT_TRUE(Difference(picture(0), picture(8)).isNull());
    QApplication::setCursorFlashTime(flash);
}

TEST_F(P8DTTest, TheSpinBarStepsUpAndDownAndReturnsToRest) {
    P8DT dt;
    dt.show();
    dt.SetValue({2024, 4, 29});
    std::vector<DateTime> seen;
    QObject::connect(&dt, &P8DT::DateChanged, [&](const DateTime& v) { seen.push_back(v); });
    PlaceCursor(dt, 3);

    // The upper arrow lowers the bar's value: one step up.
    dt.P8Inc()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Text(dt), "4/30/2024");
    EXPECT_EQ(dt.P8Inc()->value(), P8DT::kSpinRest);
    dt.P8Inc()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Text(dt), "4/1/2024");
    dt.P8Inc()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Text(dt), "4/30/2024");
    EXPECT_EQ(dt.P8Inc()->value(), P8DT::kSpinRest);
    EXPECT_EQ(seen.size(), 3u); // one event per step, none for the return to rest

    // Any move counts as one step, however far the bar went.
    dt.P8Inc()->setValue(P8DT::kSpinRest + 500);
    EXPECT_EQ(Text(dt), "4/29/2024");
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(P8DTTest, ClickingTheSpinArrowsStepsAndHandsTheFocusToTheText) {
    QWidget form;
    P8DT dt(&form);
    dt.resize(TwipsToPixelsX(1500), TwipsToPixelsY(375));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    dt.SetValue({2024, 4, 29});
    PlaceCursor(dt, 3);

    QScrollBar* bar = dt.P8Inc();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 2));
    EXPECT_EQ(Text(dt), "4/30/2024");
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
    EXPECT_EQ(Text(dt), "4/29/2024");
    EXPECT_EQ(bar->value(), P8DT::kSpinRest);
    EXPECT_TRUE(dt.TxT1()->hasFocus());
}

TEST_F(P8DTTest, FocusArrivingAtTheControlGoesToTheText) {
    QWidget form;
    QLineEdit other(&form);
    P8DT dt(&form);
    dt.move(0, 40);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    other.setFocus();
    dt.setFocus();
    EXPECT_TRUE(dt.TxT1()->hasFocus());
    other.setFocus();
    dt.P8Inc()->setFocus();
    EXPECT_TRUE(dt.TxT1()->hasFocus());
}

TEST_F(P8DTTest, UnusableLocaleValuesAreHandledInsideTheControl) {
    P8DT dt;
    dt.SetValue({2024, 4, 29});
    dt.SetLocaleLookup(Time("h:mm", ":"));
    dt.SetP8Date(false); // no message: the test main fails any unrecorded box
    EXPECT_EQ(dt.LastError(), kDTUnknownFormat);
    EXPECT_FALSE(dt.P8Date());
    EXPECT_EQ(dt.Format().Display, "h:mm");
    EXPECT_EQ(Text(dt), "4/29/2024");

    dt.SetLocaleLookup(Values({}));
    dt.SetP8Date(true);
    EXPECT_EQ(dt.LastError(), kDTNoFormat);
    EXPECT_FALSE(dt.P8Date());
    dt.SetLocaleLookup(Date("dd/MM/yy", "/"));
    dt.SetP8Date(true);
    EXPECT_EQ(dt.LastError(), 0);
    EXPECT_EQ(dt.Format().Display, "dd/MM/yyyy");
}

TEST_F(P8DTTest, TheSpinBarSitsInsideTheTextsRightEdge) {
    P8DT dt;
    dt.show();
    dt.resize(TwipsToPixelsX(2000), TwipsToPixelsY(330));
    EXPECT_EQ(dt.TxT1()->geometry(), dt.rect());
    QRect spin = dt.P8Inc()->geometry();
    EXPECT_NEAR(PixelsToTwipsX(spin.x() + spin.width()), 2000 - 30, 15);
    EXPECT_NEAR(PixelsToTwipsY(spin.y()), 30, 15);
    EXPECT_NEAR(PixelsToTwipsY(spin.height()), 330 - 60, 15);

    QFont font(QStringLiteral("Tahoma"), 11);
    dt.SetFont(font);
    EXPECT_EQ(dt.Font().family(), "Tahoma");
    EXPECT_EQ(dt.TxT1()->font().pointSize(), 11);
}

} // namespace
} // namespace z9
