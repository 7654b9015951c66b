#include "widgets/VexLine.h"

#include "common/Twips.h"

#include <QImage>
#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(VexLineTest, TheLinesKeepTheSameMarginAtBothEndsOnEveryResize) {
    VexLine line;
    line.show();
    for (int widthTw : {1500, 4020, 9000}) {
        line.resize(TwipsToPixelsX(widthTw), line.height());
        const int width = PixelsToTwipsX(line.width());
        const auto& shadow = line.ShadowLine();
        const auto& highlight = line.HighlightLine();
        EXPECT_GT(shadow.X1, 0);
        EXPECT_EQ(shadow.X2, width - shadow.X1) << widthTw;
        EXPECT_EQ(shadow.Y1, shadow.Y2);
        EXPECT_EQ(highlight.X1, shadow.X1);
        EXPECT_EQ(highlight.X2, shadow.X2);
        EXPECT_EQ(highlight.Y1, shadow.Y1 + PixelsToTwipsY(1));
        EXPECT_EQ(highlight.Y2, highlight.Y1);
    }
}

TEST(VexLineTest, TheShadowIsDrawnAboveTheHighlight) {
    VexLine line;
    line.resize(TwipsToPixelsX(3000), line.height());
    QImage image = line.grab().toImage();
    const QRgb shadow = line.palette().color(QPalette::Dark).rgb();
    const QRgb highlight = line.palette().color(QPalette::Light).rgb();
    ASSERT_NE(shadow, highlight);
    const int y0 = TwipsToPixelsY(line.ShadowLine().Y1);
    const int x0 = TwipsToPixelsX(line.ShadowLine().X1);
    const int x1 = TwipsToPixelsX(line.ShadowLine().X2);
    for (int x : {x0, (x0 + x1) / 2, x1 - 1}) {
        EXPECT_EQ(image.pixel(x, y0), shadow) << x;
        EXPECT_EQ(image.pixel(x, y0 + 1), highlight) << x;
    }
    // The margins stay clear.
    EXPECT_NE(image.pixel(x0 - 1, y0), shadow);
    EXPECT_NE(image.pixel(x1, y0), shadow);
}

TEST(VexLineTest, TheVerticalLineRunsDownWithItsHighlightToTheRight) {
    ucLNV line;
    line.show();
    line.resize(line.width(), TwipsToPixelsY(2400));
    const auto& shadow = line.ShadowLine();
    EXPECT_EQ(shadow.Y2, PixelsToTwipsY(line.height()) - shadow.Y1);
    EXPECT_EQ(shadow.X1, shadow.X2);
    EXPECT_EQ(line.HighlightLine().X1, shadow.X1 + PixelsToTwipsX(1));
    QImage image = line.grab().toImage();
    const int mid = line.height() / 2;
    EXPECT_EQ(image.pixel(TwipsToPixelsX(shadow.X1), mid), line.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(TwipsToPixelsX(shadow.X1) + 1, mid), line.palette().color(QPalette::Light).rgb());
}

} // namespace
} // namespace z9
