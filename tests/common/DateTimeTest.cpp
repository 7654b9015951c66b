#include "common/DateTime.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(DateTimeTest, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(LeapYear(2024));
    EXPECT_FALSE(LeapYear(2023));
    EXPECT_FALSE(LeapYear(1900));
    EXPECT_TRUE(LeapYear(2000));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 9), 30);
    EXPECT_EQ(DaysInMonth(2024, 12), 31);
}

TEST(DateTimeTest, ADateAndATimeOfDayAddUpToTheMoment) {
    DateTime date{2024, 12, 31};
    DateTime time{1899, 12, 30, 23, 59, 58};
    EXPECT_EQ(DateTimeText(DateTimeSum(date, time)), "2024-12-31 23:59:58");
    // Times past midnight carry into the date.
    DateTime later{2024, 12, 31, 12, 0, 1};
    EXPECT_EQ(DateTimeText(DateTimeSum(later, time)), "2025-01-01 11:59:59");
    EXPECT_EQ(DateTimeSum(kZeroDate, kZeroDate), kZeroDate);
    EXPECT_EQ(DateTimeText(kZeroDate), "1899-12-30 00:00:00");
}

TEST(DateTimeTest, MomentsConvertToLocalFieldsAndBack) {
    DateTime v{2024, 7, 14, 9, 30, 15};
    EXPECT_EQ(LocalDateTime(ToTimePoint(v)), v);
    DateTime time{1899, 12, 30, 18, 45, 0};
    EXPECT_EQ(LocalDateTime(ToTimePoint(time)), time);
}

TEST(DateTimeTest, StoredTextsReadBackOnlyWhenWhole) {
    const DateTime v{2024, 2, 29, 23, 5, 0};
    EXPECT_EQ(ReadDateTimeText(DateTimeText(v)), v);
    EXPECT_EQ(ReadDateTimeText("2024-03-01 09:30:00"), (DateTime{2024, 3, 1, 9, 30, 0}));
    EXPECT_EQ(ReadDateTimeText("2023-02-29 10:00:00"), std::nullopt); // no such day
    EXPECT_EQ(ReadDateTimeText("2024-03-01 24:00:00"), std::nullopt);
    EXPECT_EQ(ReadDateTimeText("2024-03-01 09:30:00x"), std::nullopt);
    EXPECT_EQ(ReadDateTimeText("2024-03-01"), std::nullopt);
    EXPECT_EQ(ReadDateTimeText(""), std::nullopt);
    EXPECT_TRUE(IsValidDate(100, 1, 1));
    EXPECT_FALSE(IsValidDate(99, 12, 31));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
    EXPECT_FALSE(IsValidTime(12, 60, 0));
}

} // namespace
} // namespace z9
