#include "common/CanvasScroll.h"
#include "common/Registry.h"
#include "common/Settings.h"
#include "common/WindowPlacement.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(CanvasScrollTest, ScaleKeepsTheMaximumWithinTheScrollBar) {
    CanvasScroll big = CalcCanvasScroll(5000, 100000, true);
    EXPECT_TRUE(big.visible);
    EXPECT_EQ(big.factor, 3);
    EXPECT_EQ(big.maximum, 31700);
    EXPECT_EQ(big.largeChange, 5000);
    EXPECT_EQ(big.smallChange, 1000);
    EXPECT_EQ(CanvasTop(big, 100), -300);

    CanvasScroll small = CalcCanvasScroll(5000, 6000, true);
    EXPECT_EQ(small.factor, 1);
    EXPECT_EQ(small.maximum, 1100);
    EXPECT_EQ(CanvasTop(small, small.maximum), -1100);

    // 2,000 records: the maximum stays within the scroll bar's range.
    CanvasScroll huge = CalcCanvasScroll(4000, 2000 * 500, true);
    EXPECT_LE(huge.maximum, 32767);
    EXPECT_GE(huge.maximum * huge.factor, 2000 * 500 - 4000);

    EXPECT_FALSE(CalcCanvasScroll(5000, 4999, true).visible);
    EXPECT_FALSE(CalcCanvasScroll(5000, 5000, true).visible);
    EXPECT_FALSE(CalcCanvasScroll(5000, 9000, false).visible);
    EXPECT_EQ(CanvasTop(CalcCanvasScroll(5000, 4000, true), 7), 0);
}

TEST(WindowPlacementTest, KeepOnScreen) {
    const int w = 19200, h = 16200;
    EXPECT_EQ(KeepOnScreen({1000, 1000, 10000, 8000}, w, h), (Placement{1000, 1000, 10000, 8000}));
    EXPECT_EQ(KeepOnScreen({15000, 12000, 10000, 8000}, w, h), (Placement{9200, 8200, 10000, 8000}));
    EXPECT_EQ(KeepOnScreen({-500, -20, 10000, 8000}, w, h), (Placement{0, 0, 10000, 8000}));
    // Wider than the screen: it starts at the left edge.
    EXPECT_EQ(KeepOnScreen({5000, 0, 25000, 8000}, w, h), (Placement{0, 0, 25000, 8000}));
}

TEST(WindowPlacementTest, StartSetUnderTheApplicationKeyAsStringsOrNumbers) {
    test::TempFolder folder;
    EXPECT_EQ(ReadStartSet(), (Placement{1000, 1000, 10000, 8000}));
    SaveStartSet({120, -45, 11000, 9000}, REG_DWORD_TYPE);
    EXPECT_EQ(ReadStartSet(), (Placement{120, -45, 11000, 9000}));
    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\StartSet"), 0);
    RegValue v;
    ASSERT_EQ(key.Query("MainTop", v), 0);
    EXPECT_TRUE(v.IsDword());
    EXPECT_EQ(v.Number(), 0xFFFFFFD3UL);

    SaveStartSet({1, 2, 3, 4}, REG_SZ_TYPE);
    ASSERT_EQ(key.Query("MainHeight", v), 0);
    EXPECT_TRUE(v.IsString());
    EXPECT_EQ(v.Text(), "4");
    // A value that is no number leaves its default.
    ASSERT_EQ(key.Set("MainWidth", RegValue::String("wide")), 0);
    EXPECT_EQ(ReadStartSet(), (Placement{1, 2, 10000, 4}));
    {
        AppKeyScope other("Brindle\\Other");
        EXPECT_EQ(ReadStartSet(), Placement{});
    }
}

} // namespace
} // namespace z9
