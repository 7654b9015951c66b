#include "common/MessageBox.h"
#include "common/QtPlatform.h"

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace z9 {
namespace {

// Messages quote the task's own texts and paths; a '<' there is a character.
TEST(QtMessageBoxTest, TheTextIsShownAsWrittenNeverAsMarkup) {
    auto box = BuildMessageBox("Step <b>Copy</b> failed\n\nValue: a<br>b", vbExclamation, "Title");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), "Step <b>Copy</b> failed\n\nValue: a<br>b");
    EXPECT_EQ(box->windowTitle(), "Title");
}

// A screen reader says what the icon shows.
TEST(QtMessageBoxTest, TheIconIsDescribedInWords) {
    struct Case {
        int style;
        QMessageBox::Icon icon;
        const char* words;
    } cases[] = {
        {vbCritical, QMessageBox::Critical, "Error"},
        {vbQuestion | vbYesNo, QMessageBox::Question, "Question"},
        {vbExclamation, QMessageBox::Warning, "Warning"},
        {vbInformation, QMessageBox::Information, "Information"},
    };
    for (const Case& c : cases) {
        auto box = BuildMessageBox("text", c.style, "t");
        EXPECT_EQ(box->icon(), c.icon) << c.words;
        auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
        ASSERT_TRUE(icon) << c.words;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(icon);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->text(QAccessible::Name), c.words);
        EXPECT_EQ(a->text(QAccessible::Description), c.words);
    }
}

TEST(QtMessageBoxTest, ButtonSetsFollowTheStyle) {
    EXPECT_EQ(BuildMessageBox("t", vbYesNoCancel, "t")->standardButtons(),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(BuildMessageBox("t", vbYesNo, "t")->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(BuildMessageBox("t", vbOKCancel, "t")->standardButtons(),
              QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(BuildMessageBox("t", 0, "t")->standardButtons(), QMessageBox::Ok);
}

} // namespace
} // namespace z9
