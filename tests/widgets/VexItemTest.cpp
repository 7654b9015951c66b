#include "widgets/VexItem.h"

#include "common/Twips.h"
#include "widgets/VexButton.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace z9 {
namespace {

const std::string kTask = "C:\\Menus\\Reports\\Monthly sales.z9f";

class VexItemTest : public ::testing::Test {
protected:
    VexItemTest() {
        form.resize(600, 300);
        item = new VexItem(&form);
        item->setObjectName("VexItem1_1");
        item->move(30, 30);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::mouseMove(form.windowHandle(), QPoint(599, 299));
        item->clearFocus();
        QObject::connect(item, &VexItem::MClick, [this](const std::string& caption, const std::string& link) {
            clicks.emplace_back(caption, link);
        });
    }
    void ClickText() {
        QLabel* label = item->L1()->Label1();
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                          label->mapTo(&form, label->rect().center()));
    }
    QWidget form;
    VexItem* item;
    std::vector<std::pair<std::string, std::string>> clicks;
};

TEST_F(VexItemTest, TheItemIsExactlyItsFixedSizeButton) {
    VexButton* L1 = item->L1();
    EXPECT_EQ(L1->objectName(), "L1");
    EXPECT_TRUE(L1->FixedSize());
    item->Link = kTask;
    item->SetCaption("Daily backup");
    EXPECT_EQ(L1->pos(), QPoint(0, 0));
    EXPECT_EQ(item->size(), L1->size());
    const QSize text = QFontMetrics(item->Font()).size(0, "Daily backup");
    EXPECT_EQ(item->width(), TwipsToPixelsX(100 + PixelsToTwipsX(text.width()) + 500));
    EXPECT_EQ(item->height(), TwipsToPixelsY(PixelsToTwipsY(text.height()) + 200));

    // A container that resizes the item gets the button's size back.
    item->resize(400, 100);
    EXPECT_EQ(item->size(), L1->size());

    // An icon given after the caption widens the item with its button, so the
    // end of the text is not cut off.
    QPixmap icon(16, 16);
    icon.fill(Qt::darkYellow);
    item->BImage(icon);
    EXPECT_EQ(L1->NaturalWidth(), 100 + PixelsToTwipsX(16) + 100 + PixelsToTwipsX(text.width()) + 500);
    EXPECT_EQ(item->size(), L1->size());
    EXPECT_EQ(item->width(), TwipsToPixelsX(L1->NaturalWidth()));
    EXPECT_LE(L1->Label1()->geometry().right(), item->width() - 1);

    // A larger font too.
    QFont big = item->Font();
    big.setPointSize(big.pointSize() * 2);
    item->SetFont(big);
    EXPECT_EQ(item->size(), L1->size());
    EXPECT_EQ(item->Font().pointSize(), big.pointSize());
}

TEST_F(VexItemTest, AnEmptyCaptionShowsTheFileNameOfTheLink) {
    item->Link = kTask;
    item->SetCaption("");
    EXPECT_EQ(item->Caption(), "Monthly sales.z9f");
    EXPECT_EQ(item->L1()->Label1()->text(), "Monthly sales.z9f");
    EXPECT_EQ(item->L1()->Label1()->toolTip(), QString::fromStdString(kTask));
    EXPECT_EQ(item->L1()->Image1()->toolTip(), QString::fromStdString(kTask));
    EXPECT_EQ(item->size(), item->L1()->size());

    // A link the splitter cannot take apart leaves the caption as it was.
    item->Link = "notepad";
    item->SetCaption("");
    EXPECT_EQ(item->Caption(), "Monthly sales.z9f");
    EXPECT_EQ(item->L1()->Label1()->toolTip(), "notepad");

    // The item's text is ANSI: a name with accented letters comes through whole.
    item->Link = "C:\\Daten\\\xDC"
                 "bersicht.z9f";
    item->SetCaption("");
    EXPECT_EQ(item->L1()->Label1()->text(), QString::fromUtf8("Übersicht.z9f"));
}

TEST_F(VexItemTest, AClickCarriesTheCaptionThenTheLink) {
    item->Link = kTask;
    item->SetCaption("Monthly sales");
    ClickText();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, "Monthly sales");
    EXPECT_EQ(clicks[0].second, kTask);

    // The link as it is at the click.
    item->Link = "Z9SUB C:\\Tasks\\backup.z9f";
    ClickText();
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1],
              std::make_pair(std::string("Monthly sales"), std::string("Z9SUB C:\\Tasks\\backup.z9f")));
}

TEST_F(VexItemTest, ALinkLightsUpUnderThePointerAndSinksWhilePressed) {
    item->Link = kTask;
    item->SetCaption("Monthly sales");
    const QImage plain = item->grab().toImage();
    const QPoint inside = item->L1()->Label1()->mapTo(&form, item->L1()->Label1()->rect().center());

    QTest::mouseMove(form.windowHandle(), inside);
    EXPECT_TRUE(item->L1()->Hovered());
    const QImage hovered = item->grab().toImage();
    EXPECT_NE(hovered, plain);
    QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, inside);
    EXPECT_TRUE(item->L1()->Down());
    EXPECT_NE(item->grab().toImage(), hovered);
    EXPECT_TRUE(clicks.empty()); // the press alone starts nothing
    QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, inside);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(item->grab().toImage(), hovered);

    // The pointer gone, the link is plain again.
    QTest::mouseMove(form.windowHandle(), QPoint(599, 299));
    EXPECT_FALSE(item->L1()->Hovered());
    EXPECT_EQ(item->grab().toImage(), plain);
}

TEST_F(VexItemTest, TheKeyboardReachesTheItemAndPressesItsLink) {
    item->Link = kTask;
    item->SetCaption("Monthly sales");
    EXPECT_EQ(item->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(item->L1()->focusPolicy(), Qt::NoFocus);
    const QImage plain = item->L1()->grab().toImage();
    item->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(item->hasFocus());
    EXPECT_NE(item->L1()->grab().toImage(), plain); // the focus mark on its button

    QTest::keyPress(item, Qt::Key_Space);
    EXPECT_TRUE(item->L1()->Down());
    QTest::keyRelease(item, Qt::Key_Space);
    QTest::keyClick(item, Qt::Key_Return);
    EXPECT_EQ(clicks.size(), 2u);
    item->clearFocus();
    EXPECT_EQ(item->L1()->grab().toImage(), plain);
}

TEST_F(VexItemTest, ALinkIsAnnouncedByItsCaptionOrItsTargetAndPressedLikeAClick) {
    item->Link = kTask;
    item->SetCaption("Monthly sales");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(item);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Link);
    EXPECT_EQ(iface->text(QAccessible::Name), "Monthly sales");
    EXPECT_EQ(iface->childCount(), 0);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(std::string("Monthly sales"), kTask));

    // Without a caption it is read by its target.
    VexItem bare(&form);
    bare.Link = "notepad";
    bare.SetCaption("");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&bare)->text(QAccessible::Name), "notepad");
}

} // namespace
} // namespace z9
