#include "common/Twips.h"
#include "common/FormBuilder.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace z9 {
namespace {

// A window designed in twips lands on the screen's pixels: at the test
// platform's 96 dpi an inch (1440 twips) is 96 pixels.
TEST(TwipsTest, ADesignInTwipsLandsOnTheScreensPixels) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->logicalDotsPerInchX(), 96);
    ASSERT_EQ(screen->logicalDotsPerInchY(), 96);
    QWidget form;
    QLabel* label = MakeLabel(&form, "Label1", "Task Name: ");
    Place(&form, 0, 0, 10000, 8000);
    Place(label, 240, 165, 1440, 330);
    EXPECT_EQ(form.size(), QSize(667, 533));
    EXPECT_EQ(label->geometry(), QRect(16, 11, 96, 22));
    EXPECT_EQ(label->objectName(), "Label1");
    EXPECT_EQ(label->accessibleName(), "Task Name: ");
    // Measured back in twips, the control is where the design put it, to the nearest pixel.
    EXPECT_EQ(PixelsToTwipsX(label->x()), 240);
    EXPECT_EQ(PixelsToTwipsY(label->y()), 165);
    EXPECT_EQ(PixelsToTwipsX(label->width()), 1440);

    QPushButton* button = MakeButton(&form, "Command1", "&Submit Task");
    EXPECT_EQ(button->text(), "&Submit Task");
    EXPECT_EQ(button->accessibleName(), "Submit Task");
}

TEST(TwipsTest, ConversionsRoundBothWays) {
    // The test platform's screen has 96 dpi: 15 twips a pixel.
    ASSERT_DOUBLE_EQ(TwipsPerPixelX(), 15.0);
    ASSERT_DOUBLE_EQ(TwipsPerPixelY(), 15.0);
    EXPECT_EQ(TwipsToPixelsX(1500), 100);
    EXPECT_EQ(TwipsToPixelsY(100), 7); // 6.67
    EXPECT_EQ(TwipsToPixelsX(97), 6);  // 6.47
    EXPECT_EQ(TwipsToPixelsY(-100), -7);
    EXPECT_EQ(TwipsToPixelsX(0), 0);
    EXPECT_EQ(PixelsToTwipsX(7), 105);
    EXPECT_EQ(PixelsToTwipsY(0.5), 8); // 7.5 rounds away from zero
    EXPECT_EQ(PixelsToTwipsY(-3), -45);
    // A round trip through pixels lands on the nearest pixel's twips.
    EXPECT_EQ(PixelsToTwipsX(TwipsToPixelsX(10000)), 10005); // 666.67 -> 667 pixels
}

TEST(TwipsTest, TrueWindowSizeMeasuresFrameAndCaption) {
    QWidget window;
    window.resize(300, 200);
    auto* child = new QLabel("x", &window);
    EXPECT_EQ(TrueWindowSize(&window, true), 0); // no frame before it is shown
    window.show();
    QApplication::processEvents();
    int frameHeight = window.frameGeometry().height() - window.height();
    int frameWidth = window.frameGeometry().width() - window.width();
    ASSERT_GT(frameHeight, 0);
    EXPECT_EQ(TrueWindowSize(&window, true), frameHeight * 15);
    EXPECT_EQ(TrueWindowSize(&window, false), frameWidth * 15);
    // Asked about a control, the answer is its window's.
    EXPECT_EQ(TrueWindowSize(child, true), frameHeight * 15);
    EXPECT_EQ(TrueWindowSize(nullptr, false), 0);
}

} // namespace
} // namespace z9
