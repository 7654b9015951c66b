#include "menu/app/Options.h"
#include "common/Registry.h"
#include "common/Settings.h"
#include "menu/support/Z9Support.h"
#include "tests/support/DialogSupport.h"
#include "tests/support/TestSupport.h"
#include "widgets/VexButton.h"

#include <QAccessible>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::TempFolder;

long StoredStartOpen() {
    return GetSetting("Settings", "StartOpen", -99L);
}

QString Name(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

TEST(Options, ShowsTheFourStartUpChoicesWithTheStoredOneSelected) {
    TempFolder folder;
    {
        Options dialog;
        EXPECT_EQ(dialog.Choice(), 2) << "the last file when nothing was stored";
        const char* captions[] = {"Open File In The Application Directory", "Open Home Location",
                                  "Open Last File", "Always Show Open Menu"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(dialog.Option1[i]->text(), captions[i]);
            EXPECT_EQ(dialog.Option1[i]->objectName(), QString("Option1_%1").arg(i));
            EXPECT_FALSE(Name(dialog.Option1[i]).isEmpty());
        }
        EXPECT_EQ(Name(dialog.TBOk), "Apply");
        EXPECT_EQ(Name(dialog.TBCancel), "Cancel");
        EXPECT_EQ(Name(dialog.VexButton2), "Zorvan Support");
        EXPECT_TRUE(dialog.VexButton2->isEnabled());
        for (VexButton* button : {dialog.TBOk, dialog.TBCancel, dialog.VexButton2}) {
            EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::PushButton);
            EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
        }
        EXPECT_EQ(dialog.Option1[0]->font().family(), "Tahoma");
    }
    for (long stored : {0L, 1L, 3L}) {
        SaveSetting("Settings", "StartOpen", stored, REG_DWORD_TYPE);
        Options dialog;
        EXPECT_EQ(dialog.Choice(), stored);
    }
    SaveSetting("Settings", "StartOpen", 7L, REG_DWORD_TYPE);
    Options dialog;
    EXPECT_EQ(dialog.Choice(), -1) << "no choice has that value";
}

TEST(Options, ApplyStoresTheChoiceAsANumberAndCancelStoresNothing) {
    TempFolder folder;
    {
        Options dialog;
        dialog.show();
        dialog.Option1[3]->click();
        dialog.TBCancel_Click();
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(StoredStartOpen(), -99) << "Cancel wrote nothing";
    {
        Options dialog;
        dialog.show();
        dialog.Option1[3]->click();
        QAccessible::queryAccessibleInterface(dialog.TBOk)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(StoredStartOpen(), 3);
    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\" + AppKey() + "\\Settings"), 0);
    RegValue value;
    ASSERT_EQ(key.Query("StartOpen", value), 0);
    EXPECT_TRUE(value.IsDword()) << "an integer, as the start-up reads it";
    EXPECT_EQ(value.Number(), 3u);

    Options again;
    EXPECT_EQ(again.Choice(), 3) << "the next showing starts from it";
    again.Option1[0]->click();
    again.TBOk_Click();
    EXPECT_EQ(StoredStartOpen(), 0);
}

TEST(Options, TheSupportButtonShowsTheSupportFormOverTheOptions) {
    TempFolder folder;
    Options dialog;
    dialog.show();
    bool shown = false;
    test::OnModal<Z9Support>([&](Z9Support* form) {
        shown = true;
        EXPECT_EQ(form->parentWidget(), &dialog);
        form->close();
    });
    dialog.VexButton2_Click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialog.isVisible()) << "the options stay open";
}

} // namespace
} // namespace z9
