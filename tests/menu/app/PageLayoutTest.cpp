#include "menu/app/PageLayout.h"

#include "menu/document/MenuItem.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(PageLayout, EachKindHasItsGapsAndLeftEdge) {
    PageCursor page;
    EXPECT_EQ(page.Y(), 100);
    // A title: 50 above, left 120, as wide as the screen and 2000 more.
    EXPECT_EQ(page.Begin(vTitle, 9000, 12000), (ItemPlace{120, 150, 14000}));
    page.End(vTitle, 400);
    EXPECT_EQ(page.Y(), 600);
    // A label: 150 above and below, left 240, the page less 480.
    EXPECT_EQ(page.Begin(vLabel, 9000, 12000), (ItemPlace{240, 750, 8520}));
    page.End(vLabel, 200);
    EXPECT_EQ(page.Y(), 1100);
    // A link: 50 above and below at left 540, its own width.
    EXPECT_EQ(page.Begin(vLink, 9000, 12000), (ItemPlace{540, 1150, 0}));
    page.End(vLink, 395);
    EXPECT_EQ(page.Y(), 1595);
    // A space is 500 twips and no control.
    EXPECT_EQ(page.Begin(vSpace, 9000, 12000), std::nullopt);
    page.End(vSpace, 999);
    EXPECT_EQ(page.Y(), 2095);
    // A line: left 120, the page less 240.
    EXPECT_EQ(page.Begin(vLine, 9000, 12000), (ItemPlace{120, 2145, 8760}));
    page.End(vLine, 30);
    EXPECT_EQ(page.Y(), 2225);
    // Hidden items and types a later version may write take no room.
    for (int type : {0, 6, 7, 9, -1}) {
        EXPECT_EQ(page.Begin(type, 9000, 12000), std::nullopt) << type;
        page.End(type, 300);
    }
    EXPECT_EQ(page.Y(), 2225);
}

TEST(PageLayout, FontSizesAbove100AreShownAt100) {
    EXPECT_EQ(PageFontSize(8), 8);
    EXPECT_EQ(PageFontSize(100), 100);
    EXPECT_EQ(PageFontSize(101), 100);
    EXPECT_EQ(PageFontSize(32767), 100);
}

TEST(PageLayout, APictureIsCentredAndNeverLargerThanItsBox) {
    // Smaller: centred in both directions, its own size.
    EXPECT_EQ(FitPicture(600, 300, 1600, 2000), (PictureBox{500, 850, 600, 300}));
    // Wider than the box: the width limits it, the proportions stay.
    EXPECT_EQ(FitPicture(3200, 800, 1600, 2000), (PictureBox{0, 800, 1600, 400}));
    // Higher than the box.
    EXPECT_EQ(FitPicture(800, 4000, 1600, 2000), (PictureBox{600, 0, 400, 2000}));
    // No picture, or no room: nothing shown.
    EXPECT_EQ(FitPicture(0, 300, 1600, 2000), PictureBox{});
    EXPECT_EQ(FitPicture(600, 300, 1600, -25), PictureBox{});
}

} // namespace
} // namespace z9
