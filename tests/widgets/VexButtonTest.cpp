#include "widgets/VexButton.h"

#include "common/Twips.h"
#include "tests/widgets/AccentInk.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace z9 {
namespace {

int TwX(int pixels) {
    return PixelsToTwipsX(pixels);
}
int TwY(int pixels) {
    return PixelsToTwipsY(pixels);
}
int Px(int twips) {
    return TwipsToPixelsX(twips);
}
int PxY(int twips) {
    return TwipsToPixelsY(twips);
}

// Mouse input through the window, as the window system delivers it: the
// widget under the pointer gets the press and keeps the mouse until release.
QPoint At(QWidget* w, QPoint local) {
    return w->mapTo(w->window(), local);
}
QPoint Centre(QWidget* w) {
    return w->rect().center();
}
void Press(QWidget* w, QPoint local) {
    QTest::mousePress(w->window()->windowHandle(), Qt::LeftButton, {}, At(w, local));
}
void Release(QWidget* w, QPoint local) {
    QTest::mouseRelease(w->window()->windowHandle(), Qt::LeftButton, {}, At(w, local));
}
void Click(QWidget* w) {
    Press(w, Centre(w));
    Release(w, Centre(w));
}
void Move(QWidget* w, QPoint local) {
    QTest::mouseMove(w->window()->windowHandle(), At(w, local));
}

QPixmap Picture(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::darkGreen);
    return pixmap;
}

class VexButtonTest : public ::testing::Test {
protected:
    VexButtonTest() {
        form.resize(600, 300);
        button = new VexButton(&form);
        button->setObjectName("TBOpen");
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        Move(&form, QPoint(599, 299)); // the pointer away from the button
        button->clearFocus();
        QObject::connect(button, &VexButton::ButtonClick, [this] { ++clicks; });
        QObject::connect(button, &VexButton::MouseDown, [this] { ++downs; });
    }
    // The text's size in the button's font, in twips.
    QSize TextTwips(const QString& text) {
        QSize px = QFontMetrics(button->Font()).size(0, text);
        return {TwX(px.width()), TwY(px.height())};
    }
    QWidget form;
    VexButton* button;
    int clicks = 0;
    int downs = 0;
};

// Tahoma draws the dots of its capital umlauts above the line's ascent: the
// caption shows them whole, and the button keeps the size and the text the
// place the line gives them.
TEST_F(VexButtonTest, AccentsAboveTheLineAreDrawnWhole) {
    const QFont tahoma = test::Tahoma10();
    if (test::UmlautOverhang(tahoma) == 0) GTEST_SKIP() << "this Tahoma keeps its accents below its ascent";
    button->SetFixedSize(true);
    button->SetFont(tahoma);
    button->SetFontColor(Qt::red);
    auto textBox = [this] {
        QLabel* label = button->Label1();
        return label->contentsRect().translated(label->pos());
    };
    button->SetCaption("Ubersicht");
    const QSize plainSize = button->size();
    const QRect plainText = textBox();
    EXPECT_EQ(button->Label1()->geometry(), plainText) << "nothing reaches out without accents";

    button->SetCaption("\xDC"
                       "bersicht");
    EXPECT_EQ(button->size(), plainSize);
    EXPECT_EQ(textBox(), plainText);
    const QRect above(plainText.left(), 0, plainText.width(), plainText.top());
    EXPECT_GT(test::RedPixels(button->grab().toImage(), above), 0)
        << "the dots of the \xDC are drawn above the line";
}

// Positions and sizes are stated in twips; on the screen they fall on whole pixels.
TEST_F(VexButtonTest, AFixedSizeButtonIsItsTextPlusTheMargins) {
    button->SetFixedSize(true);
    button->SetCaption("Open");
    const QSize text = TextTwips("Open");
    EXPECT_EQ(button->NaturalWidth(), 100 + text.width() + 500);
    EXPECT_EQ(button->width(), Px(100 + text.width() + 500));
    EXPECT_EQ(button->height(), PxY(text.height() + 200));
    EXPECT_EQ(button->Label1()->pos(), QPoint(Px(100), PxY(100)));
    EXPECT_EQ(button->Label1()->size(), QFontMetrics(button->Font()).size(0, "Open"));

    // A longer caption and a larger font make it grow again.
    button->SetCaption("Open Menu");
    EXPECT_EQ(button->width(), Px(100 + TextTwips("Open Menu").width() + 500));
    QFont big = button->Font();
    big.setPointSize(big.pointSize() * 2);
    button->SetFont(big);
    EXPECT_EQ(button->Font().pointSize(), big.pointSize());
    EXPECT_EQ(button->width(), Px(100 + TextTwips("Open Menu").width() + 500));
    EXPECT_EQ(button->height(), PxY(TextTwips("Open Menu").height() + 200));
}

TEST_F(VexButtonTest, APictureGivenLaterPutsTheTextToItsRight) {
    button->SetFixedSize(true);
    button->SetCaption("Open");
    const int heightBefore = button->height();
    EXPECT_FALSE(button->HasPicture());
    EXPECT_FALSE(button->Image1()->isVisibleTo(button));

    button->BImage(Picture(16, 16));
    EXPECT_TRUE(button->HasPicture());
    EXPECT_TRUE(button->Image1()->isVisibleTo(button));
    const int picture = TwX(16);
    EXPECT_EQ(button->Image1()->geometry(), QRect(Px(100), PxY((TwY(heightBefore) - TwY(16)) / 2), 16, 16));
    EXPECT_EQ(button->Label1()->pos(), QPoint(Px(100 + picture + 100), PxY(100)));
    EXPECT_EQ(button->NaturalWidth(), 100 + picture + 100 + TextTwips("Open").width() + 500);
    EXPECT_EQ(button->width(), Px(button->NaturalWidth()));
    // A picture no taller than the text + 200 leaves the height to the text.
    EXPECT_EQ(button->height(), heightBefore);
}

TEST_F(VexButtonTest, AFixedSizeButtonIsNeverLowerThanItsPicture) {
    button->SetFixedSize(true);
    button->SetCaption("Open");
    button->BImage(Picture(48, 48));
    const int height = TwY(48) + 100;
    EXPECT_EQ(button->height(), PxY(height));
    const int H = TwY(button->height());
    EXPECT_EQ(button->Image1()->y(), PxY((H - TwY(48)) / 2));
    EXPECT_EQ(button->Label1()->y(), PxY((H - TextTwips("Open").height()) / 2));
    EXPECT_GE(button->Image1()->y(), 0);
    EXPECT_LE(button->Image1()->geometry().bottom(), button->height() - 1);
}

TEST_F(VexButtonTest, AFreeButtonCentresItsContentInTheHeightItIsGiven) {
    button->SetCaption("Save");
    button->BImage(Picture(16, 16));
    button->resize(Px(3000), PxY(600));
    const int H = TwY(button->height());
    EXPECT_EQ(button->size(), QSize(Px(3000), PxY(600))); // left alone
    EXPECT_EQ(button->Label1()->y(), PxY((H - TextTwips("Save").height()) / 2));
    EXPECT_EQ(button->Image1()->y(), PxY((H - TwY(16)) / 2));
    EXPECT_EQ(button->NaturalWidth(), 100 + TwX(16) + 100 + TextTwips("Save").width() + 500);

    // A lower container: the content stays centred, the size stays the container's.
    button->resize(Px(1000), PxY(300));
    EXPECT_EQ(button->Label1()->y(), PxY((TwY(button->height()) - TextTwips("Save").height()) / 2));
    EXPECT_EQ(button->size(), QSize(Px(1000), PxY(300)));

    // An icon without a caption keeps its margins.
    VexButton icon(&form);
    icon.BImage(Picture(16, 16));
    icon.SetFixedSize(true);
    EXPECT_EQ(icon.NaturalWidth(), 100 + TwX(16) + 100 + 500);
    EXPECT_EQ(icon.width(), Px(icon.NaturalWidth()));
    EXPECT_GE(icon.height(), 16);
}

TEST_F(VexButtonTest, CaptionsAreShownAsPlainTextWithTheirLineBreaks) {
    button->SetFixedSize(true);
    button->SetCaption("<b>Two</b>\r\nlines");
    EXPECT_EQ(button->Caption(), "<b>Two</b>\r\nlines");
    EXPECT_EQ(button->Label1()->text(), "<b>Two</b>\nlines");
    EXPECT_EQ(button->Label1()->textFormat(), Qt::PlainText);
    EXPECT_EQ(button->Label1()->height(), QFontMetrics(button->Font()).size(0, "<b>Two</b>\nlines").height());
}

TEST_F(VexButtonTest, AReleaseOverTheControlThePictureOrTheLabelClicks) {
    button->SetCaption("Open");
    button->BImage(Picture(16, 16));
    button->resize(Px(2400), PxY(450));

    Click(button->Label1());
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks, 1);
    Click(button->Image1());
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(clicks, 2);
    const QPoint margin(button->width() - 3, 3);
    Press(button, margin);
    Release(button, margin);
    EXPECT_EQ(downs, 3);
    EXPECT_EQ(clicks, 3);
    // Pressed on the label, released on the picture: still over the control.
    Press(button->Label1(), Centre(button->Label1()));
    Release(button->Image1(), Centre(button->Image1()));
    EXPECT_EQ(clicks, 4);
    // The right button clicks too.
    QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, At(button->Label1(), QPoint(2, 2)));
    EXPECT_EQ(downs, 5);
    EXPECT_EQ(clicks, 5);
}

TEST_F(VexButtonTest, AReleaseOutsideOnlyReportsThePress) {
    button->SetCaption("Open");
    button->move(10, 10);
    Press(button->Label1(), Centre(button->Label1()));
    EXPECT_EQ(downs, 1);
    EXPECT_TRUE(button->Down());
    Move(&form, QPoint(500, 250));
    EXPECT_FALSE(button->Down()); // the pointer left: it no longer looks pressed
    Move(button->Label1(), Centre(button->Label1()));
    EXPECT_TRUE(button->Down()); // and back
    Move(&form, QPoint(500, 250));
    Release(&form, QPoint(500, 250));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->Hovered());
}

TEST_F(VexButtonTest, HoveringLiftsAndPressingSinksTheButton) {
    button->SetCaption("Open");
    button->resize(Px(1500), PxY(450));
    button->move(20, 20);
    const QImage flat = button->grab().toImage();
    Move(button, QPoint(5, 5));
    EXPECT_TRUE(button->Hovered());
    const QImage hovered = button->grab().toImage();
    Press(button, QPoint(5, 5));
    EXPECT_TRUE(button->Down());
    const QImage down = button->grab().toImage();
    Release(button, QPoint(5, 5));
    EXPECT_FALSE(button->Down());
    EXPECT_TRUE(button->Hovered());

    const QRgb light = button->palette().color(QPalette::Light).rgb();
    const QRgb dark = button->palette().color(QPalette::Dark).rgb();
    const int right = flat.width() - 1, bottom = flat.height() - 1;
    // Raised under the pointer, sunken while pressed; the inside washed, deeper when pressed.
    EXPECT_EQ(hovered.pixel(right / 2, 0), light);
    EXPECT_EQ(hovered.pixel(0, bottom / 2), light);
    EXPECT_EQ(hovered.pixel(right / 2, bottom), dark);
    EXPECT_EQ(hovered.pixel(right, bottom / 2), dark);
    EXPECT_EQ(down.pixel(right / 2, 0), dark);
    EXPECT_EQ(down.pixel(right / 2, bottom), light);
    EXPECT_NE(flat.pixel(right - 4, bottom / 2), hovered.pixel(right - 4, bottom / 2));
    EXPECT_NE(hovered.pixel(right - 4, bottom / 2), down.pixel(right - 4, bottom / 2));
    EXPECT_NE(flat.pixel(right / 2, 0), light);

    Move(&form, QPoint(590, 290));
    EXPECT_FALSE(button->Hovered());
    EXPECT_EQ(button->grab().toImage(), flat);

    // Hidden under the pointer (a page rebuilt by its own click), it forgets the pointer.
    Move(button, QPoint(5, 5));
    Press(button, QPoint(5, 5));
    ASSERT_TRUE(button->Hovered());
    button->hide();
    EXPECT_FALSE(button->Hovered());
    EXPECT_FALSE(button->Down());
    Release(&form, QPoint(5, 5));
}

TEST_F(VexButtonTest, TheKeyboardReachesAndPressesIt) {
    button->SetCaption("Open");
    EXPECT_EQ(button->focusPolicy(), Qt::TabFocus);
    const QImage unfocused = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_NE(button->grab().toImage(), unfocused); // the focus mark

    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(clicks, 0);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    EXPECT_EQ(clicks, 3);
    QTest::keyClick(button, Qt::Key_A);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(downs, 0); // the keyboard is no mouse

    // Space held while the focus leaves: no click when it comes up elsewhere.
    QTest::keyPress(button, Qt::Key_Space);
    button->clearFocus();
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(clicks, 3);
}

TEST_F(VexButtonTest, DisabledItReportsNothingAndGreysItsParts) {
    button->SetCaption("Open");
    button->BImage(Picture(16, 16));
    EXPECT_TRUE(button->EnabledM());
    button->SetEnabledM(false);
    EXPECT_FALSE(button->EnabledM());
    EXPECT_FALSE(button->Label1()->isEnabled());
    EXPECT_FALSE(button->Image1()->isEnabled());
    Click(button->Label1());
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicks + downs, 0);

    // A disabled container leaves the button's own setting alone.
    button->SetEnabledM(true);
    form.setEnabled(false);
    EXPECT_TRUE(button->EnabledM());
    form.setEnabled(true);
    Click(button->Label1());
    EXPECT_EQ(clicks, 1);
}

TEST_F(VexButtonTest, TheHandIsItsPointerUntilDisabledAndTheToolTipSitsOnPictureAndText) {
    button->BImage(Picture(16, 16));
    for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(button->Image1()),
                       static_cast<QWidget*>(button->Label1())})
        EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor) << w->objectName().toStdString();
    button->DisablePointer();
    for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(button->Image1()),
                       static_cast<QWidget*>(button->Label1())})
        EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor) << w->objectName().toStdString();

    button->ToolT("Open Menu");
    EXPECT_EQ(button->Image1()->toolTip(), "Open Menu");
    EXPECT_EQ(button->Label1()->toolTip(), "Open Menu");
}

TEST_F(VexButtonTest, FontColourPaintsTheTextAndDisabledTextStaysGrey) {
    button->SetFixedSize(true);
    button->SetCaption("WWWW");
    button->SetFontColor(QColor(0xC0, 0, 0));
    EXPECT_EQ(button->FontColor(), QColor(0xC0, 0, 0));
    auto countRed = [&] {
        QImage image = button->grab().toImage();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                QColor c(image.pixel(x, y));
                if (c.red() > 120 && c.green() < 60 && c.blue() < 60) ++red;
            }
        return red;
    };
    EXPECT_GT(countRed(), 10);
    button->SetEnabledM(false);
    EXPECT_EQ(countRed(), 0);
}

} // namespace
} // namespace z9
