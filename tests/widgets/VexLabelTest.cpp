#include "widgets/VexLabel.h"

#include "tests/widgets/AccentInk.h"

#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(VexLabelTest, TheControlIsAsHighAsItsWrappedText) {
    VexLabel label;
    label.resize(200, 10);
    label.show(); // shown, it follows every resize
    const int line = QFontMetrics(label.Font()).height();
    label.SetCaption("short");
    EXPECT_EQ(label.height(), line);
    EXPECT_EQ(label.Label1()->geometry(), QRect(0, 0, 200, line));

    const std::string longText = "A label long enough to need several lines at two hundred pixels wide, "
                                 "so that it wraps at the blanks between its words.";
    label.SetCaption(longText);
    const int wrapped = label.height();
    EXPECT_GE(wrapped, 3 * line);
    EXPECT_EQ(label.Label1()->geometry(), QRect(0, 0, 200, wrapped));

    // Narrower: taller; wider: lower.
    label.resize(100, label.height());
    EXPECT_GT(label.height(), wrapped);
    EXPECT_EQ(label.Label1()->width(), 100);
    label.resize(2000, label.height());
    EXPECT_EQ(label.height(), line);

    // A larger font makes it taller at once.
    label.resize(200, label.height());
    QFont big = label.Font();
    big.setPointSize(big.pointSize() * 2);
    label.SetFont(big);
    EXPECT_GT(label.height(), wrapped);
}

// Tahoma draws the dots of its capital umlauts above the line's ascent: the
// label makes room for them above its first line.
TEST(VexLabelTest, AccentsAboveTheFirstLineAreDrawnWhole) {
    const QFont tahoma = test::Tahoma10();
    const int over = test::UmlautOverhang(tahoma);
    if (over == 0) GTEST_SKIP() << "this Tahoma keeps its accents below its ascent";
    const int line = QFontMetrics(tahoma).height();
    VexLabel label;
    label.resize(300, 20);
    label.SetFont(tahoma);
    label.SetFontColor(Qt::red);
    label.SetCaption("Ubersicht");
    EXPECT_EQ(label.height(), line) << "no room without accents";
    label.SetCaption("\xDC"
                     "bersicht");
    EXPECT_EQ(label.height(), line + over);
    EXPECT_GT(test::RedPixels(label.grab().toImage(), QRect(0, 0, label.width(), over)), 0)
        << "the dots of the \xDC are drawn above the line";
}

TEST(VexLabelTest, AnEmptyLabelKeepsOneLineAndTextStaysPlain) {
    VexLabel label;
    label.resize(300, 10);
    label.SetCaption("");
    EXPECT_EQ(label.height(), QFontMetrics(label.Font()).height());
    label.SetCaption("<b>bold?</b>\r\nsecond line");
    EXPECT_EQ(label.Caption(), "<b>bold?</b>\r\nsecond line");
    EXPECT_EQ(label.Label1()->text(), "<b>bold?</b>\nsecond line");
    EXPECT_EQ(label.Label1()->textFormat(), Qt::PlainText);
    EXPECT_EQ(label.height(), 2 * QFontMetrics(label.Font()).height());
    label.SetFontColor(Qt::darkRed);
    EXPECT_EQ(label.FontColor(), QColor(Qt::darkRed));
}

} // namespace
} // namespace z9
