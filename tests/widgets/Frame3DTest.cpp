#include "widgets/Frame3D.h"

#include "widgets/DrawingSurface.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <vector>

namespace z9 {
namespace {

class Frame3DTest : public ::testing::Test {
protected:
    Frame3DTest() {
        form.resize(300, 200);
        form.setAutoFillBackground(true);
        shadow = form.palette().color(QPalette::Dark).rgb();
        highlight = form.palette().color(QPalette::Light).rgb();
    }
    QRgb At(int x, int y) { return form.grab().toImage().pixel(x, y); }
    QWidget form;
    QRgb shadow = 0, highlight = 0;
};

TEST_F(Frame3DTest, ASunkenFrameIsDarkAboveAndLightBelow) {
    QLineEdit text(&form);
    text.setObjectName("Text1");
    text.setGeometry(50, 60, 100, 20); // right edge x 149, bottom y 79
    Frame3D(&text, &form, 2, 1, true);
    // Ring 1 lies two pixels out on the left and top, one past the right and bottom edges.
    EXPECT_EQ(At(100, 58), shadow);
    EXPECT_EQ(At(48, 70), shadow);
    EXPECT_EQ(At(100, 81), highlight);
    EXPECT_EQ(At(151, 70), highlight);
    // Ring 2 one pixel further out.
    EXPECT_EQ(At(100, 57), shadow);
    EXPECT_EQ(At(152, 70), highlight);
    // Nothing beyond the last ring, nothing at ring 0.
    EXPECT_NE(At(100, 56), shadow);
    EXPECT_NE(At(100, 83), highlight);
    EXPECT_EQ(DrawingSurface::Of(&form)->Strokes().size(), 8u);
}

TEST_F(Frame3DTest, ARaisedFrameAndComboBoxesTurnTheReliefRound) {
    QLineEdit text(&form);
    text.setObjectName("Text1");
    text.setGeometry(50, 60, 100, 20);
    Frame3D(&text, &form, 1, 0, false);
    EXPECT_EQ(At(100, 59), highlight);
    EXPECT_EQ(At(100, 80), shadow);

    QComboBox combo(&form);
    combo.setObjectName("Combo1");
    combo.setGeometry(50, 120, 100, 20);
    Frame3D(&combo, &form, 1, 0, true);
    EXPECT_EQ(At(100, 119), highlight);
    EXPECT_EQ(At(100, 140), shadow);
}

TEST_F(Frame3DTest, OnlyNamesBeginningWithComInAnyCaseTurnTheReliefRound) {
    struct Case {
        const char* name;
        bool inverted;
    };
    int y = 10;
    for (Case c : {Case{"combo2", true}, Case{"cOMList", true}, Case{"Command1", true}, Case{"TCOM1", false},
                   Case{"CO", false}, Case{"", false}}) {
        QLineEdit control(&form);
        control.setObjectName(c.name);
        control.setGeometry(50, y, 100, 20);
        Frame3D(&control, &form, 1, 0, true);
        EXPECT_EQ(At(100, y - 1), c.inverted ? highlight : shadow) << c.name;
        EXPECT_EQ(At(100, y + 20), c.inverted ? shadow : highlight) << c.name;
        y += 30;
    }
}

TEST_F(Frame3DTest, DrawingAgainReplacesTheControlsFrame) {
    QLineEdit text(&form);
    text.setGeometry(50, 60, 100, 20);
    Frame3D(&text, &form, 1, 0, true);
    text.move(50, 100);
    Frame3D(&text, &form, 1, 0, true);
    EXPECT_NE(At(100, 59), shadow);
    EXPECT_EQ(At(100, 99), shadow);
    EXPECT_EQ(DrawingSurface::Of(&form)->Strokes().size(), 4u);

    QWidget elsewhere;
    Frame3D(&text, &elsewhere, 1, 0, true); // not its window: nothing drawn
    EXPECT_EQ(elsewhere.findChild<DrawingSurface*>(), nullptr);
}

TEST_F(Frame3DTest, AFrameGoesWithItsControl) {
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    first->setGeometry(50, 60, 100, 20);
    second->setGeometry(50, 120, 100, 20);
    Frame3D(first, &form, 1, 0, true);
    Frame3D(second, &form, 1, 0, true);
    EXPECT_EQ(At(100, 59), shadow);
    delete first;
    // The page is rebuilt without it: no frame is left round the empty place.
    EXPECT_NE(At(100, 59), shadow);
    EXPECT_EQ(At(100, 119), shadow);
    EXPECT_EQ(DrawingSurface::Of(&form)->Strokes().size(), 4u);
}

TEST_F(Frame3DTest, ThousandsOfFramesRedrawnStayOnePerControl) {
    std::vector<QWidget*> items;
    for (int i = 0; i < 2000; ++i) {
        auto* item = new QWidget(&form);
        item->setGeometry(10 + i % 10 * 28, 10 + i / 10 % 18 * 10, 20, 6);
        items.push_back(item);
    }
    for (int round = 0; round < 3; ++round)
        for (QWidget* item : items)
            Frame3D(item, &form, 1, 0, false);
    EXPECT_EQ(DrawingSurface::Of(&form)->Strokes().size(), 4u * 2000);
    // The last frame drawn is on top where two overlap.
    EXPECT_EQ(At(10 + 28 * 9 + 10, 10 + 10 * 17 + 6), shadow);
}

} // namespace
} // namespace z9
