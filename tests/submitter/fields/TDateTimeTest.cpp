#include "submitter/fields/TDateTime.h"

#include <gtest/gtest.h>

#include <vector>

namespace z9 {
namespace {

struct MaskCase {
    const char* mask;
    const char* result;
};

TEST(TDateTimeTest, DateMasksCheckedOnTheirOwn) {
    const std::vector<MaskCase> cases = {
        {"DD.MM.YYYY", "0"},
        {"dd.mm.yyyy", "0"},
        {"D/M/YY", "0"},
        {"MM/DD/YYYY", "0"},
        {"YYYY.MM.DD", "0"},
        {"DDMMYYYY", "0"},
        {"YYYY", "0"},
        {"MM.YYYY", "0"},
        {"YYYY-MM-DD", "Wrong Mask Letter"},
        {"DD MM", "Wrong Mask Letter"},
        {"HH:MM", "Wrong Mask Letter"},
        {"DD.MM.YY.DD", "Mask Too Long"},
        {"D.M.Y.X", "Mask Too Long"}, // the sixth run is found before the bad letter
        {"", "Invalid Number of Parameters"},
        {"DD.MMYYYY", "Invalid Number of Parameters"},
        {"YYY", "Invalid Mask"},
        {"Y", "Invalid Mask"},
        {"DDD.MM", "Invalid Mask"},
        {"DD..MM", "Invalid Mask"},
        {"DD.DD", "Repeated Day, Month or Year"},
        {"MM.YY.MM", "Repeated Day, Month or Year"},
        {".DD.MM.", "To Much Delimiters"},
        {".DD.", "1st Delimiter is on Wrong Place"},
        {".D.M.", "To Much Delimiters"},
        {"DD.MM/YYYY", "Repeat Delimiter"},
        {"D.MM", "Invalid Length Day <> Month"},
        {"DD/M/YY", "Invalid Length Day <> Month"},
        {"DD.", "1st Delimiter is on Wrong Place"},
        {".", "1st Delimiter is on Wrong Place"},
        {"DDMM.", "1st Delimiter is on Wrong Place"},
        {"DD.MMYY.", "2nd Delimiter is on Wrong Place"},
        {"DMYY", "No Delimiter"},
        {"DDM", "Invalid Length Day <> Month"},
        {"MYYYY", "No Delimiter"},
    };
    for (const auto& c : cases) {
        DateTime date{2024, 1, 1};
        EXPECT_EQ(CheckDate("", c.mask, date), c.result) << "mask " << c.mask;
        EXPECT_EQ(date, kZeroDate) << "mask " << c.mask;
    }
}

TEST(TDateTimeTest, TimeMasksCheckedOnTheirOwn) {
    const std::vector<MaskCase> cases = {
        {"HH:MM:SS", "0"},
        {"hh:mm", "0"},
        {"H:M:S", "0"},
        {"HHMMSS", "0"},
        {"HH", "0"},
        {"MM:SS", "0"},
        {"HH.MM", "Wrong Mask Letter"},
        {"DD", "Wrong Mask Letter"},
        {"HH:MM:SS:HH", "Mask Too Long"},
        {"", "Invalid Number of Parameters"},
        {"HH:MMSS", "Invalid Number of Parameters"},
        {"HHH", "Invalid Mask"},
        {"HH::MM", "Invalid Mask"},
        {"HH:HH", "Repeated Hour, Month or Second"},
        {":H:M:", "To Much Delimiters"},
        {"HH:", "1st Delimiter is on Wrong Place"},
        {"HHMM:", "1st Delimiter is on Wrong Place"},
        {"HHMM:SS", "Invalid Number of Parameters"},
        {"HH:MMSS:", "2nd Delimiter is on Wrong Place"},
        {"HMM", "No Delimiter"},
        {"HHMMS", "No Delimiter"},
        {"H:MM", "0"}, // no equal-length rule for times
    };
    for (const auto& c : cases) {
        DateTime time{2024, 1, 1};
        EXPECT_EQ(CheckTime("", c.mask, time), c.result) << "mask " << c.mask;
        EXPECT_EQ(time, kZeroDate) << "mask " << c.mask;
    }
}

struct ValueCase {
    const char* value;
    const char* mask;
    const char* result;
    DateTime expected; // the zero date unless the result is "1" or "2"
};

DateTime Day(int y, int m, int d) {
    return {y, m, d, 0, 0, 0};
}
DateTime At(int h, int m, int s) {
    return {1899, 12, 30, h, m, s};
}

TEST(TDateTimeTest, DateValues) {
    const std::vector<ValueCase> cases = {
        {"5.3.2024", "D.M.YYYY", "2", Day(2024, 3, 5)},
        {"15.11.2024", "D.M.YYYY", "2", Day(2024, 11, 15)},
        {"5.3.2024", "DD.MM.YYYY", "0", kZeroDate},
        {"05.03.2024", "dd.mm.yyyy", "2", Day(2024, 3, 5)},
        {"05032024", "DDMMYYYY", "2", Day(2024, 3, 5)},
        {"0503202", "DDMMYYYY", "0", kZeroDate},
        {"050320245", "DDMMYYYY", "0", kZeroDate},
        {"00032024", "DDMMYYYY", "1", Day(2024, 3, 1)},
        {"00.03.2024", "DD.MM.YYYY", "0", kZeroDate},
        {"31.02.2024", "DD.MM.YYYY", "0", kZeroDate},
        {"29.02.2024", "DD.MM.YYYY", "2", Day(2024, 2, 29)},
        {"29.02.2023", "DD.MM.YYYY", "0", kZeroDate},
        {"29.02.2000", "DD.MM.YYYY", "2", Day(2000, 2, 29)},
        {"29.02.1900", "DD.MM.YYYY", "0", kZeroDate},
        {"31.12.2024", "DD.MM.YYYY", "2", Day(2024, 12, 31)},
        {"31.12.", "DD.MM.YYYY", "0", kZeroDate},
        {"31.12", "DD.MM.YYYY", "0", kZeroDate},       // the year is missing
        {"31.12.2024.", "DD.MM.YYYY", "0", kZeroDate}, // no fourth part
        {"31.", "DD.MM", "0", kZeroDate},
        {".12", "DD.MM", "0", kZeroDate},
        {"31122024", "DD.MM.YYYY", "0", kZeroDate}, // no delimiter in the value
        {"31/12/2024", "DD.MM.YYYY", "0", kZeroDate},
        {"12/31/24", "MM/DD/YY", "2", Day(2024, 12, 31)},
        {"1/2/99", "M/D/YY", "2", Day(2099, 1, 2)}, // two-digit years lie in 2000-2099
        {"24.12", "DD.MM", "1", Day(2000, 12, 24)},
        {"03.2024", "MM.YYYY", "1", Day(2024, 3, 1)},
        {"2024", "YYYY", "1", Day(2024, 1, 1)},
        {"2000", "YYYY", "0", kZeroDate},
        {"0000", "YYYY", "0", kZeroDate},
        {"00", "YY", "0", kZeroDate},
        {"07", "YY", "1", Day(2007, 1, 1)},
        {"9999", "YYYY", "1", Day(9999, 1, 1)},
        {"0099", "YYYY", "0", kZeroDate}, // before the year 100
        {"ab.cd.efgh", "DD.MM.YYYY", "0", kZeroDate},
        {"1a.03.2024", "DD.MM.YYYY", "0", kZeroDate},
        {"13.13.2024", "DD.MM.YYYY", "0", kZeroDate},
        {"05.03.2024x", "DD.MM.YYYY", "0", kZeroDate}, // longer than ten characters
        {"05.03.2024", "YYYY-MM-DD", "Wrong Mask Letter", kZeroDate},
        {"05.03.2024", "", "Invalid Number of Parameters", kZeroDate},
    };
    for (const auto& c : cases) {
        DateTime date{1, 2, 3};
        EXPECT_EQ(CheckDate(c.value, c.mask, date), c.result) << c.value << " in " << c.mask;
        EXPECT_EQ(date, c.expected) << c.value << " in " << c.mask;
    }
}

TEST(TDateTimeTest, ALongValueIsRefusedBeforeTheMaskIsLookedAt) {
    DateTime v;
    EXPECT_EQ(CheckDate("01.01.20245", "YYYY-MM-DD", v), "0");
    EXPECT_EQ(CheckDate("01.01.2024", "YYYY-MM-DD", v), "Wrong Mask Letter");
    EXPECT_EQ(CheckTime("12:00:001", "HH-MM", v), "0");
    EXPECT_EQ(CheckTime("12:00:00", "HH-MM", v), "Wrong Mask Letter");
}

TEST(TDateTimeTest, TimeValues) {
    const std::vector<ValueCase> cases = {
        {"23:59:59", "HH:MM:SS", "2", At(23, 59, 59)},
        {"00:00:00", "HH:MM:SS", "2", At(0, 0, 0)},
        {"24:00:00", "HH:MM:SS", "0", kZeroDate},
        {"12:60:00", "HH:MM:SS", "0", kZeroDate},
        {"7:05", "HH:MM", "0", kZeroDate},
        {"07:05", "HH:MM", "1", At(7, 5, 0)},
        {"7:05", "H:MM", "1", At(7, 5, 0)},
        {"7:5:9", "H:M:S", "2", At(7, 5, 9)},
        {"17:45:30", "H:M:S", "2", At(17, 45, 30)},
        {"235959", "HHMMSS", "2", At(23, 59, 59)},
        {"235960", "HHMMSS", "0", kZeroDate},
        {"2359", "HHMMSS", "0", kZeroDate},
        {"08", "HH", "1", At(8, 0, 0)},
        {"30:15", "MM:SS", "1", At(0, 30, 15)},
        {"12:", "HH:MM", "0", kZeroDate},
        {":30", "HH:MM", "0", kZeroDate},
        {"12:30", "HH:MM:SS", "0", kZeroDate}, // the seconds are missing
        {"12:30:", "HH:MM:SS", "0", kZeroDate},
        {"1a:30", "HH:MM", "0", kZeroDate},
        {"12.30", "HH:MM", "0", kZeroDate},
        {"12:30:00", "hh:mm:ss", "2", At(12, 30, 0)},
    };
    for (const auto& c : cases) {
        DateTime time{1, 2, 3};
        EXPECT_EQ(CheckTime(c.value, c.mask, time), c.result) << c.value << " in " << c.mask;
        EXPECT_EQ(time, c.expected) << c.value << " in " << c.mask;
    }
}

TEST(TDateTimeTest, ATimeOfDaySitsOnTheZeroDate) {
    DateTimeValue t1, t2;
    ASSERT_EQ(CheckTime("10:00", "HH:MM", t1), "1");
    ASSERT_EQ(CheckTime("10:00:00", "HH:MM:SS", t2), "2");
    EXPECT_EQ(t1, t2);
    EXPECT_EQ(t1, At(10, 0, 0));
    EXPECT_EQ((DateTimeValue{t1.Year, t1.Month, t1.Day}), kZeroDate);
}

TEST(TDateTimeTest, PlaceDatePartByRun) {
    TDateTime m;
    DateTime v;
    ASSERT_EQ(m.CheckDate("", "d.m.yyyy", v), "0");
    EXPECT_EQ(m.Mask(), "D.M.YYYY");
    EXPECT_EQ(m.Runs(), (std::vector<std::string>{"D", ".", "M", ".", "YYYY"}));
    EXPECT_EQ(m.Normalised(), "20  -00-00");

    EXPECT_TRUE(m.PlaceDatePart("7", 0));
    EXPECT_EQ(m.Normalised(), "20  -00-07");
    EXPECT_TRUE(m.PlaceDatePart("17", 0));
    EXPECT_EQ(m.Normalised(), "20  -00-17");
    EXPECT_FALSE(m.PlaceDatePart("117", 0));
    EXPECT_FALSE(m.PlaceDatePart("", 0));
    EXPECT_FALSE(m.PlaceDatePart(".", 1)); // a delimiter run takes nothing
    EXPECT_TRUE(m.PlaceDatePart("3", 2));
    EXPECT_EQ(m.Normalised(), "20  -03-17");
    EXPECT_FALSE(m.PlaceDatePart("103", 2));
    EXPECT_FALSE(m.PlaceDatePart("24", 4)); // YYYY needs four
    EXPECT_TRUE(m.PlaceDatePart("1999", 4));
    EXPECT_FALSE(m.PlaceDatePart("1999", 5)); // no such run
    EXPECT_FALSE(m.PlaceDatePart("1999", -1));
    EXPECT_EQ(m.Normalised(), "1999-03-17");

    ASSERT_EQ(m.CheckDate("", "MM/DD/YY", v), "0");
    EXPECT_EQ(m.Normalised(), "20  -00-00"); // a new check starts afresh
    EXPECT_FALSE(m.PlaceDatePart("9", 0));   // MM and DD need two characters
    EXPECT_TRUE(m.PlaceDatePart("09", 0));
    EXPECT_FALSE(m.PlaceDatePart("1", 2));
    EXPECT_TRUE(m.PlaceDatePart("01", 2));
    EXPECT_FALSE(m.PlaceDatePart("2024", 4));
    EXPECT_TRUE(m.PlaceDatePart("24", 4));
    EXPECT_EQ(m.Normalised(), "2024-09-01");
    // Characters are not judged here; the final date test does that.
    EXPECT_TRUE(m.PlaceDatePart("0x", 0));
    EXPECT_EQ(m.Normalised(), "2024-0x-01");
}

TEST(TDateTimeTest, PlaceTimePartByRun) {
    TDateTime m;
    DateTime v;
    ASSERT_EQ(m.CheckTime("", "H:MM:S", v), "0");
    EXPECT_EQ(m.Normalised(), "  :  :  ");
    EXPECT_TRUE(m.PlaceTimePart("7", 0));
    EXPECT_EQ(m.Normalised(), " 7:  :  ");
    EXPECT_FALSE(m.PlaceTimePart("5", 2));
    EXPECT_TRUE(m.PlaceTimePart("05", 2));
    EXPECT_TRUE(m.PlaceTimePart("9", 4));
    EXPECT_EQ(m.Normalised(), " 7:05: 9");
    EXPECT_TRUE(m.PlaceTimePart("19", 4));
    EXPECT_EQ(m.Normalised(), " 7:05:19");
    EXPECT_FALSE(m.PlaceTimePart(":", 1));
    EXPECT_FALSE(m.PlaceTimePart("123", 0));

    // The runs of a time mask are no date runs, and no check gives no runs.
    EXPECT_FALSE(m.PlaceDatePart("05", 2));
    TDateTime fresh;
    EXPECT_FALSE(fresh.PlaceTimePart("12", 0));
    EXPECT_FALSE(fresh.PlaceDatePart("12", 0));
}

TEST(TDateTimeTest, RunsOfAnInvalidMaskPlaceNothing) {
    TDateTime m;
    DateTime v;
    ASSERT_EQ(m.CheckDate("", "DDD.MM", v), "Invalid Mask");
    EXPECT_FALSE(m.PlaceDatePart("123", 0));
    EXPECT_FALSE(m.PlaceDatePart("12", 0));
}

TEST(TDateTimeTest, BytesOutsideTheMaskAlphabet) {
    DateTime v;
    EXPECT_EQ(CheckDate("", std::string("DD.MM\0", 6), v), "Wrong Mask Letter");
    EXPECT_EQ(CheckDate("", "DD.MM.YYYY\xE9", v), "Wrong Mask Letter");
    EXPECT_EQ(CheckDate(std::string("05.03\0", 6), "DD.MM", v), "0");
    EXPECT_EQ(CheckTime("\xFF\xFF:00", "HH:MM", v), "0");
}

} // namespace
} // namespace z9
