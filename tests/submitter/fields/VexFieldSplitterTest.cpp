#include "submitter/fields/VexFieldSplitter.h"

#include "common/Twips.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace z9 {
namespace {

class VexFieldSplitterTest : public ::testing::Test {
protected:
    VexFieldSplitterTest() {
        row.resize(TwipsToPixelsX(6000), row.height());
        QObject::connect(&row, &VexFieldSplitter::Checked,
                         [this](int r, int check) { events.emplace_back(r, check); });
    }

    void Click() {
        QTest::mouseClick(row.Check1(), Qt::LeftButton, {}, QPoint(8, row.Check1()->height() / 2));
    }

    VexFieldSplitter row;
    std::vector<std::pair<int, int>> events;
};

TEST_F(VexFieldSplitterTest, CheckValuesMapToTheBoxAndBack) {
    struct Case {
        int written;
        int read;
        bool checked;
        bool enabled;
    } cases[] = {
        {0, 0, true, true},   {1, 1, false, true}, {2, 2, true, false},
        {-1, 1, false, true}, {3, 1, false, true}, {0, 0, true, true},
    };
    for (const Case& c : cases) {
        row.SetCheck(c.written);
        EXPECT_EQ(row.Check(), c.read) << c.written;
        EXPECT_EQ(row.Check1()->isChecked(), c.checked) << c.written;
        EXPECT_EQ(row.Check1()->isEnabled(), c.enabled) << c.written;
    }
    EXPECT_TRUE(events.empty()); // writing Check never raises Checked
}

TEST_F(VexFieldSplitterTest, AGreyBoxReadsAsRunning) {
    row.Check1()->setTristate(true);
    row.Check1()->setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(row.Check(), 0);
}

TEST_F(VexFieldSplitterTest, AUserClickRaisesCheckedWithTheRowAndTheNewState) {
    row.RowNumber = 3;
    row.SetCheck(1);
    Click();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_pair(3, 0));
    Click();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1], std::make_pair(3, 1));

    // The keyboard is a user too.
    row.Check1()->setFocus();
    QTest::keyClick(row.Check1(), Qt::Key_Space);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2], std::make_pair(3, 0));
}

// Screen readers and GUI automation toggle the box without a click; the row
// must report that change as well, or the box and the task disagree.
TEST_F(VexFieldSplitterTest, AnAssistiveToolsToggleRaisesCheckedToo) {
    row.RowNumber = 2;
    row.SetCheck(0);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(row.Check1());
    ASSERT_TRUE(box);
    QAccessibleActionInterface* actions = box->actionInterface();
    ASSERT_TRUE(actions);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(row.Check(), 1);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], std::make_pair(2, 1));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1], std::make_pair(2, 0));

    // The row's own writes still raise nothing.
    row.SetCheck(1);
    row.SetCheck(0);
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(VexFieldSplitterTest, AStepThatAlwaysRunsCannotBeClicked) {
    row.SetCheck(2);
    Click();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(row.Check(), 2);
}

TEST_F(VexFieldSplitterTest, DisablingTheWholeRowIsNotTheFixedState) {
    row.SetCheck(1);
    row.setEnabled(false);
    EXPECT_EQ(row.Check(), 1);
}

TEST_F(VexFieldSplitterTest, TheCaptionKeepsItsBytesAndTheRowItsLook) {
    row.SetCaption("Schritt \xE4 \"1\"");
    EXPECT_EQ(row.Caption(), "Schritt \xE4 \"1\"");
    EXPECT_EQ(row.Label1()->text(), QString::fromUtf8("Schritt \xC3\xA4 \"1\""));
    EXPECT_EQ(row.accessibleName(), row.Label1()->text());
    EXPECT_EQ(row.Check1()->text(), "Execute");
    EXPECT_EQ(row.Label1()->font().family(), "Tahoma");
    EXPECT_TRUE(row.Label1()->font().bold());
    EXPECT_EQ(row.Label1()->font().pointSize(), 8);
    EXPECT_EQ(row.Check1()->font().family(), "Tahoma");
}

// A step's name is the author's text: angle brackets in it are shown, not obeyed.
TEST_F(VexFieldSplitterTest, TheCaptionIsPlainTextNotMarkup) {
    const char* name = "Copy <b>new</b> files";
    row.SetCaption(name);
    EXPECT_EQ(row.Label1()->textFormat(), Qt::PlainText);
    EXPECT_EQ(row.Caption(), name);
    // Drawn as written: as wide as the whole text, tags included.
    EXPECT_GE(row.Label1()->sizeHint().width(),
              row.Label1()->fontMetrics().horizontalAdvance(QString::fromLatin1(name)));
}

TEST_F(VexFieldSplitterTest, TheRowKeepsItsHeightAndPutsTheBoxAtItsRightEnd) {
    row.show();
    const int height = row.height();
    row.resize(TwipsToPixelsX(4000), height + 40);
    EXPECT_EQ(PixelsToTwipsY(height), 375);
    EXPECT_EQ(row.height(), height);

    QWidget* picture = row.findChild<QWidget*>("Picture1");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), row.width());
    QRect box = row.Check1()->geometry();
    EXPECT_EQ(box.right(), picture->contentsRect().right());
    EXPECT_EQ(box.top(), picture->contentsRect().top());
    EXPECT_EQ(box.height(), picture->contentsRect().height());

    // The caption is centred on the image.
    QWidget* image = row.findChild<QWidget*>("Image1");
    ASSERT_TRUE(image);
    QRect caption = row.Label1()->geometry();
    EXPECT_NEAR(caption.center().y(), image->geometry().center().y(), 1);
    EXPECT_GT(caption.left(), image->geometry().right());
    EXPECT_LE(caption.right(), box.left());
}

} // namespace
} // namespace z9
