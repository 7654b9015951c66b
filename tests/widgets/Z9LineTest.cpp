#include "widgets/Z9Line.h"

#include "common/Twips.h"
#include "widgets/DrawingSurface.h"

#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace z9 {
namespace {

const QRgb kGrey = qRgb(0x84, 0x84, 0x84);
const QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);

class Z9LineTest : public ::testing::Test {
protected:
    Z9LineTest() {
        form.resize(TwipsToPixelsX(6000), TwipsToPixelsY(4500));
        QPalette pal = form.palette();
        pal.setColor(form.backgroundRole(), qRgb(0xD4, 0xD0, 0xC8));
        form.setPalette(pal);
        form.setAutoFillBackground(true);
    }
    QRgb At(int xTw, int yTw) {
        return form.grab().toImage().pixel(TwipsToPixelsX(xTw), TwipsToPixelsY(yTw));
    }
    QWidget form;
};

TEST_F(Z9LineTest, ALineWithoutLengthRunsAcrossTheWindow) {
    Z9Line line;
    line.InitZ9Line(200, 300, &form);
    EXPECT_FLOAT_EQ(line.Length(), 5500);
    line.InitZ9Line(200, 300, &form, true);
    EXPECT_FLOAT_EQ(line.Length(), 4500 - 600 - 350);
    line.InitZ9Line(200, 300, &form, false, false, 1234);
    EXPECT_FLOAT_EQ(line.Length(), 1234);
}

TEST_F(Z9LineTest, ADoubleLineIsGreyAboveWhite) {
    Z9Line line;
    line.InitZ9Line(200, 300, &form, false, true);
    EXPECT_EQ(At(200, 300), kGrey);
    EXPECT_EQ(At(200, 315), kWhite);
    EXPECT_EQ(At(200 + 5400, 315), kWhite);
    EXPECT_NE(At(200 + 5600, 315), kWhite); // past its end
    EXPECT_NE(At(200, 330), kWhite);

    Z9Line single;
    single.InitZ9Line(200, 900, &form);
    EXPECT_NE(At(200, 900), kGrey);
    EXPECT_EQ(At(200, 915), kWhite);

    Z9Line vertical;
    vertical.InitZ9Line(3000, 1500, &form, true, true, 600);
    EXPECT_EQ(At(3000, 1800), kGrey);
    EXPECT_EQ(At(3015, 1800), kWhite);
}

TEST_F(Z9LineTest, ClearingPaintsTheLineInTheBackgroundAndDrawingAgainNeverPilesUp) {
    Z9Line line;
    line.InitZ9Line(200, 300, &form, false, true);
    line.Clear();
    EXPECT_EQ(At(200, 300), qRgb(0xD4, 0xD0, 0xC8));
    EXPECT_EQ(At(200, 315), qRgb(0xD4, 0xD0, 0xC8));
    line.Refresh();
    EXPECT_EQ(At(200, 315), kWhite);

    for (int i = 0; i < 200; ++i)
        line.InitZ9Line(200, 300 + i, &form, false, true);
    EXPECT_EQ(DrawingSurface::Of(&form)->Strokes().size(), 2u);
}

TEST_F(Z9LineTest, TheDrawingStaysBeneathTheWindowsControls) {
    QLabel label(&form);
    label.setAutoFillBackground(true);
    QPalette pal = label.palette();
    pal.setColor(label.backgroundRole(), Qt::blue);
    label.setPalette(pal);
    label.setGeometry(TwipsToPixelsX(1000), TwipsToPixelsY(150), 40, 40);
    Z9Line line;
    line.InitZ9Line(200, 300, &form, false, true);
    EXPECT_EQ(At(1200, 300), QColor(Qt::blue).rgb());
    EXPECT_EQ(At(200, 300), kGrey);
}

} // namespace
} // namespace z9
