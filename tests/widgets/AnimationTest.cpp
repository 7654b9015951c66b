// The animated controls, driven tick by tick through their timer slots.
#include "common/Twips.h"
#include "tests/widgets/AccentInk.h"
#include "widgets/VexBin.h"
#include "widgets/VexBlink.h"
#include "widgets/VexPic.h"
#include "widgets/WindowTimer.h"

#include <QFontMetrics>
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace z9 {
namespace {

int OneLine(const QWidget& w) {
    return PixelsToTwipsY(QFontMetrics(w.font()).height());
}

TEST(VexBlinkTest, TheDotsComeOneByOneAndStartAgain) {
    VexBlink blink;
    blink.resize(TwipsToPixelsX(3000), TwipsToPixelsY(600));
    blink.SetCaption("Loading");
    EXPECT_EQ(blink.Caption(), "Loading");
    std::vector<QString> shown;
    for (int i = 0; i < 9; ++i) {
        blink.Tick();
        shown.push_back(blink.Printed());
    }
    EXPECT_EQ(shown, (std::vector<QString>{"Loading", "Loading.", "Loading..", "Loading...", "Loading",
                                           "Loading.", "Loading..", "Loading...", "Loading"}));
    // 100 twips from the left, one line centred in the control's height.
    EXPECT_EQ(blink.PrintedLeft(), 100);
    EXPECT_EQ(blink.PrintedTop(), (PixelsToTwipsY(blink.height()) - OneLine(blink)) / 2);

    // A new caption starts without dots.
    blink.SetCaption("Wait");
    blink.Tick();
    EXPECT_EQ(blink.Printed(), "Wait");
    blink.Tick();
    EXPECT_EQ(blink.Printed(), "Wait.");
}

TEST(VexBlinkTest, EnableRunsTheTimerAndCapStillPrintsOnce) {
    VexBlink blink;
    EXPECT_EQ(blink.Timer1()->objectName(), "Timer1");
    EXPECT_FALSE(blink.Timer1()->Running());
    blink.SetCaption("Loading");
    EXPECT_FALSE(blink.Timer1()->Running()); // a caption alone does not start it
    blink.Enable(true);
    EXPECT_TRUE(blink.Timer1()->Running());
    EXPECT_EQ(blink.Timer1()->Interval(), blink.Inter());
    blink.SetInter(0); // holds it
    EXPECT_FALSE(blink.Timer1()->Running());
    blink.SetInter(250);
    EXPECT_TRUE(blink.Timer1()->Running());
    blink.SetInter(-5); // refused
    EXPECT_EQ(blink.Inter(), 250);
    blink.Enable(false);
    EXPECT_FALSE(blink.Timer1()->Running());

    blink.Tick();
    blink.CapStill("Done");
    EXPECT_EQ(blink.Printed(), "Done");
    EXPECT_EQ(blink.PrintedLeft(), 100);
    EXPECT_EQ(blink.PrintedTop(), (PixelsToTwipsY(blink.height()) - OneLine(blink)) / 2);
}

TEST(VexPicTest, TheCaptionTypesItselfAndCompletesOnce) {
    VexPic pic;
    pic.resize(TwipsToPixelsX(4000), TwipsToPixelsY(900));
    int complete = 0;
    QObject::connect(&pic, &VexPic::Complete, [&] { ++complete; });
    pic.SetCaption("Menu");
    EXPECT_TRUE(pic.Timer1()->Running());
    // Not fixed: the control takes the text's height and prints at the corner.
    EXPECT_EQ(PixelsToTwipsY(pic.height()), OneLine(pic));
    std::vector<QString> shown;
    for (int i = 0; i < 5; ++i) {
        pic.Tick();
        shown.push_back(pic.Printed());
        EXPECT_EQ(complete, i == 4 ? 1 : 0) << i;
    }
    EXPECT_EQ(shown, (std::vector<QString>{"", "M", "Me", "Men", "Menu"}));
    EXPECT_EQ(pic.PrintedLeft(), 0);
    EXPECT_EQ(pic.PrintedTop(), 0);
    EXPECT_FALSE(pic.Timer1()->Running());
    pic.Tick();
    EXPECT_EQ(complete, 1);
    EXPECT_EQ(pic.Printed(), "Menu");
}

// Tahoma draws the dots of its capital umlauts above the line's ascent: a
// caption that takes its text's height makes room for them.
TEST(VexPicTest, AccentsAboveTheLineAreDrawnWhole) {
    const QFont tahoma = test::Tahoma10();
    const int over = test::UmlautOverhang(tahoma);
    if (over == 0) GTEST_SKIP() << "this Tahoma keeps its accents below its ascent";
    VexPic pic;
    pic.resize(TwipsToPixelsX(4000), TwipsToPixelsY(900));
    pic.SetFont(tahoma);
    pic.SetFontColor(Qt::red);
    pic.SetCaption("\xDC"
                   "bersicht");
    EXPECT_EQ(pic.height(), QFontMetrics(tahoma).height() + over);
    while (pic.Timer1()->Running())
        pic.Tick();
    EXPECT_EQ(pic.PrintedTop(), 0);
    EXPECT_GT(test::RedPixels(pic.grab().toImage(), QRect(0, 0, pic.width(), over)), 0)
        << "the dots of the \xDC are drawn above the line";
}

TEST(VexPicTest, ANewCaptionWhileTypingStartsAgainFromAnEmptyText) {
    VexPic pic;
    pic.SetFixedPos(true);
    pic.resize(TwipsToPixelsX(4000), TwipsToPixelsY(900));
    int complete = 0;
    QObject::connect(&pic, &VexPic::Complete, [&] { ++complete; });
    pic.SetCaption("First menu");
    for (int i = 0; i < 4; ++i)
        pic.Tick();
    EXPECT_EQ(pic.Printed(), "Fir");
    pic.SetCaption("Second");
    EXPECT_TRUE(pic.Timer1()->Running());
    pic.Tick();
    EXPECT_EQ(pic.Printed(), "");
    pic.Tick();
    EXPECT_EQ(pic.Printed(), "S");
    while (pic.Timer1()->Running())
        pic.Tick();
    EXPECT_EQ(pic.Printed(), "Second");
    EXPECT_EQ(complete, 1);
    // Fixed: the height stays; the text stands 100 twips in, one line centred.
    EXPECT_EQ(PixelsToTwipsY(pic.height()), 900);
    EXPECT_EQ(pic.PrintedLeft(), 100);
    EXPECT_EQ(pic.PrintedTop(), (900 - OneLine(pic)) / 2);

    // The empty caption completes at the first tick; Inter 0 holds the typing.
    pic.SetCaption("");
    pic.Tick();
    EXPECT_EQ(complete, 2);
    pic.SetInter(0);
    pic.SetCaption("Held");
    EXPECT_FALSE(pic.Timer1()->Running());
    EXPECT_TRUE(pic.Timer1()->Enabled());
}

TEST(VexPicTest, TheTypedTextIsDrawn) {
    VexPic pic;
    pic.SetFixedPos(true);
    pic.resize(TwipsToPixelsX(3000), TwipsToPixelsY(600));
    pic.SetFontColor(Qt::black);
    pic.SetCaption("WWW");
    pic.Tick();
    const QImage empty = pic.grab().toImage();
    for (int i = 0; i < 4; ++i)
        pic.Tick();
    const QImage full = pic.grab().toImage();
    EXPECT_NE(empty, full);
    // Nothing left of 100 twips.
    const int left = TwipsToPixelsX(100);
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < left - 1; ++x)
            ASSERT_EQ(full.pixel(x, y), empty.pixel(x, y));
}

class VexBinTest : public ::testing::Test {
protected:
    int Picture(const VexBin& bin) { return PixelsToTwipsX(bin.Pic()[0].deviceIndependentSize().width()); }
    // Pixels just wide enough for n digit pictures and the gaps between them.
    int Strip(const VexBin& bin, int n) {
        return static_cast<int>(std::ceil((n * Picture(bin) + (n - 1) * 25) / TwipsPerPixelX()));
    }
};

TEST_F(VexBinTest, FiveDigitsWideNeverShowsMoreThanFive) {
    VexBin bin;
    bin.resize(Strip(bin, 5), bin.height());
    EXPECT_EQ(bin.Capacity(), 5);
    EXPECT_EQ(bin.Digits(), "0");
    bin.Seed(7);
    std::set<char> seen;
    for (int i = 0; i < 300; ++i) {
        bin.Tick();
        ASSERT_LE(bin.Shown().size(), 5u) << i;
        for (char c : bin.Shown())
            seen.insert(c);
    }
    EXPECT_EQ(bin.Shown().size(), 5u);
    EXPECT_EQ(seen, (std::set<char>{'0', '1'}));
}

TEST_F(VexBinTest, TheStripScrollsLeftAndTheSeedRepeatsIt) {
    VexBin a, b;
    for (VexBin* bin : {&a, &b}) {
        bin->resize(Strip(*bin, 4), bin->height());
        bin->Seed(42);
    }
    a.Tick();
    EXPECT_EQ(a.Shown().size(), 2u); // the "0" it starts with, and the first bit
    EXPECT_EQ(a.Shown()[0], '0');
    std::string before = a.Shown();
    b.Tick();
    for (int i = 0; i < 10; ++i) {
        a.Tick();
        b.Tick();
        EXPECT_EQ(a.Shown(), b.Shown());
        // Full: one digit goes at the left, the rest move along.
        if (before.size() == 4) {
            EXPECT_EQ(a.Shown().substr(0, 3), before.substr(1));
        }
        before = a.Shown();
    }
}

TEST_F(VexBinTest, OnlyWholeDigitsAreShownAlsoAfterTheControlShrinks) {
    VexBin bin;
    bin.Seed(1);
    // As wide as five pictures without the gaps: the fifth would be cut.
    bin.resize(TwipsToPixelsX(5 * Picture(bin)), bin.height());
    EXPECT_EQ(bin.Capacity(), 4);
    bin.resize(Strip(bin, 12), bin.height());
    for (int i = 0; i < 20; ++i)
        bin.Tick();
    EXPECT_EQ(bin.Shown().size(), 12u);
    bin.resize(Strip(bin, 3), bin.height());
    bin.Tick();
    EXPECT_EQ(bin.Shown().size(), 3u);
    bin.resize(1, bin.height()); // narrower than a digit
    bin.Tick();
    EXPECT_LE(bin.Shown().size(), 1u);
}

TEST_F(VexBinTest, MkBinDrawsOnePicturePerDigit) {
    VexBin bin;
    bin.resize(Strip(bin, 4), bin.height());
    bin.MkBin("");
    const QImage blank = bin.grab().toImage();
    bin.MkBin("1");
    const QImage one = bin.grab().toImage();
    bin.MkBin("0");
    const QImage zero = bin.grab().toImage();
    bin.MkBin("01");
    const QImage both = bin.grab().toImage();
    EXPECT_NE(one, blank);
    EXPECT_NE(one, zero);
    // The second picture starts one picture and 25 twips along.
    const int second = TwipsToPixelsX(Picture(bin) + 25);
    const int width = TwipsToPixelsX(Picture(bin));
    auto region = [](const QImage& image, int x, int w) { return image.copy(x, 0, w, image.height()); };
    EXPECT_EQ(region(both, 0, width), region(zero, 0, width));
    EXPECT_EQ(region(both, second, width), region(one, 0, width));
    EXPECT_EQ(region(both, second + width, both.width() - second - width),
              region(blank, second + width, both.width() - second - width));
}

TEST_F(VexBinTest, EnabledRunsTheTimer) {
    VexBin bin;
    EXPECT_FALSE(bin.Enabled());
    bin.SetEnabled(true);
    EXPECT_TRUE(bin.Enabled());
    EXPECT_TRUE(bin.Timer1()->Running());
    bin.SetEnabled(false);
    EXPECT_FALSE(bin.Timer1()->Running());
}

} // namespace
} // namespace z9
