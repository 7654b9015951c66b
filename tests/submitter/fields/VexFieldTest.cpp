#include "submitter/fields/VexField.h"

#include "common/Twips.h"
#include "submitter/fields/VexMsg.h"
#include "tests/support/DialogSupport.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace z9 {
namespace {

using test::DialogRecorder;
using test::MessageRecorder;
using test::RecordedDialog;
using test::TempFolder;

struct Change {
    std::string value, position, index, max;
};

FieldDef Def(const std::string& type, const std::string& caption, const std::string& value,
             const std::string& min = {}, const std::string& max = {}, const std::string& format = {},
             const std::string& percent = {}, const std::string& help = {}) {
    return {"4", "1", caption, "VAR", type, value, help, min, max, percent, format};
}

class VexFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(TwipsToPixelsX(9000), TwipsToPixelsY(3000));
        field_ = new VexField(window_.get());
        field_->resize(TwipsToPixelsX(6000), field_->height());
        QObject::connect(field_, &VexField::FieldChange,
                         [this](const std::string& value, const std::string& position,
                                const std::string& index, const std::string& max) {
                             changes_.push_back({value, position, index, max});
                         });
    }

    void Load(const FieldDef& def) {
        field_->SetFieldDef(def);
        field_->Update();
        changes_.clear();
    }

    void ShowActive() {
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    TempFolder folder_;
    MessageRecorder messages_;
    std::unique_ptr<QWidget> window_;
    VexField* field_ = nullptr;
    std::vector<Change> changes_;
};

TEST_F(VexFieldTest, TypingRaisesFieldChangeWithTheFourTexts) {
    Load(Def("0", "Name", "", "0", "20"));
    ShowActive();
    QTest::keyClicks(field_->T1(), "abc");
    ASSERT_EQ(changes_.size(), 3u);
    EXPECT_EQ(changes_.back().value, "abc");
    EXPECT_EQ(changes_.back().position, "4");
    EXPECT_EQ(changes_.back().index, "0");
    EXPECT_EQ(changes_.back().max, "20");
    EXPECT_EQ(field_->Results(), "abc");
}

TEST_F(VexFieldTest, UpdateAppliesTheDefinition) {
    Load(Def("1", "Count", "12"));
    EXPECT_EQ(field_->FieldType(), 1);
    EXPECT_EQ(field_->Caption(), "Count");
    EXPECT_EQ(field_->T1()->text(), "12");
    EXPECT_TRUE(field_->T1()->isVisibleTo(field_));
    EXPECT_EQ(field_->L1()->accessibleName(), "Count");
    EXPECT_EQ(field_->T1()->accessibleName(), "Count");
    EXPECT_EQ(field_->Font().family(), "Tahoma");
    EXPECT_EQ(field_->T1()->echoMode(), QLineEdit::Normal);

    // A type that is not a number leaves the type as it was.
    FieldDef def = Def("x", "Count", "13");
    field_->SetFieldDef(def);
    field_->Update();
    EXPECT_EQ(field_->FieldType(), 1);
    EXPECT_EQ(field_->T1()->text(), "13");

    // Captions are shown as text, never as markup.
    field_->SetCaption("<b>bold</b>");
    EXPECT_EQ(field_->L1()->textFormat(), Qt::PlainText);
}

TEST_F(VexFieldTest, PasswordCharacterOfTextFields) {
    Load(Def("0", "Password", "abc", {}, {}, "*"));
    EXPECT_EQ(field_->T1()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(field_->T1()->displayText(), "***");
    EXPECT_EQ(field_->Results(), "abc");

    Load(Def("0", "Password", "abcd", {}, {}, "#xyz"));
    EXPECT_EQ(field_->T1()->displayText(), "####");

    Load(Def("0", "Plain", "abc"));
    EXPECT_EQ(field_->T1()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(field_->T1()->displayText(), "abc");

    // Only text fields mask; a number picture is no password character.
    Load(Def("0", "Password", "abc", {}, {}, "*"));
    Load(Def("1", "Amount", "1.50", {}, {}, "0.00"));
    EXPECT_EQ(field_->T1()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(field_->T1()->displayText(), "1.50");
}

TEST_F(VexFieldTest, ComboListsWithSeparators) {
    Load(Def("6", "Schedule", "", "1", "Daily run|D\r\nWeekly|W\rMonthly|\n", "|"));
    QComboBox* c1 = field_->C1();
    ASSERT_NE(c1, nullptr);
    EXPECT_EQ(c1->objectName(), "C1");
    EXPECT_FALSE(c1->isEditable());
    ASSERT_EQ(c1->count(), 3);
    EXPECT_EQ(c1->itemText(0), "Daily run|D");
    EXPECT_EQ(c1->itemText(2), "Monthly|");
    EXPECT_EQ(c1->currentIndex(), 1);
    EXPECT_EQ(field_->Results(), "W");
    EXPECT_FALSE(field_->T1()->isVisibleTo(field_));
    EXPECT_TRUE(c1->isVisibleTo(field_));

    ShowActive();
    c1->setFocus();
    QTest::keyClick(c1, Qt::Key_Down);
    ASSERT_EQ(changes_.size(), 1u);
    EXPECT_EQ(changes_[0].value, ""); // the separator ends the item
    EXPECT_EQ(changes_[0].index, "2");
    EXPECT_EQ(changes_[0].max, "Daily run|D\r\nWeekly|W\rMonthly|\n");
    EXPECT_EQ(field_->GetFieldDef()[fdMin], "2");

    QTest::keyClick(c1, Qt::Key_Home);
    ASSERT_EQ(changes_.size(), 2u);
    EXPECT_EQ(changes_[1].value, "D");
    EXPECT_EQ(changes_[1].index, "0");
    EXPECT_TRUE(field_->FChk());
}

TEST_F(VexFieldTest, ComboIndexOutOfRangeOrUnreadableFile) {
    Load(Def("6", "List", "", "7", "a\nb"));
    EXPECT_EQ(field_->C1()->currentIndex(), 0);
    EXPECT_EQ(field_->Results(), "a");

    std::string list = folder_.Write("items.txt", "first\r\nsecond\r\n").string();
    Load(Def("6", "List", "", "1", "ComboFromFile/:" + list));
    ASSERT_EQ(field_->C1()->count(), 2);
    EXPECT_EQ(field_->Results(), "second");

    // A missing file leaves a single empty item; the check is for submission.
    Load(Def("6", "List", "", "0", "ComboFromFile/:" + (folder_.Path() / "gone.txt").string()));
    ASSERT_EQ(field_->C1()->count(), 1);
    EXPECT_EQ(field_->C1()->itemText(0), "");
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(VexFieldTest, CheckBoxTakesTheCaptionAndItsTwoValues) {
    Load(Def("5", "Debug", "YES", "NO", "YES"));
    QCheckBox* ch1 = field_->Ch1();
    ASSERT_NE(ch1, nullptr);
    EXPECT_TRUE(ch1->isChecked());
    EXPECT_EQ(ch1->text(), "Debug");
    EXPECT_EQ(field_->Caption(), "");
    EXPECT_EQ(field_->Results(), "YES");

    field_->SetResults("yes");
    EXPECT_FALSE(ch1->isChecked());
    EXPECT_EQ(field_->Results(), "NO");

    ShowActive();
    changes_.clear();
    // On the box itself, at the left end of the editor.
    QTest::mouseClick(ch1, Qt::LeftButton, {}, QPoint(6, ch1->height() / 2));
    EXPECT_TRUE(ch1->isChecked());
    ASSERT_EQ(changes_.size(), 1u);
    EXPECT_EQ(changes_[0].value, "YES");
    EXPECT_TRUE(field_->FChk());
}

TEST_F(VexFieldTest, BrowseForAFile) {
    Load(Def("2", "Input", "old.txt"));
    ASSERT_NE(field_->B1(), nullptr);
    EXPECT_EQ(field_->B1()->text(), "Browse");
    std::string chosen = folder_.Write("in.txt", "x").string();
    DialogRecorder dialogs;
    dialogs.AnswerPath(chosen);
    ShowActive();
    QTest::mouseClick(field_->B1(), Qt::LeftButton);

    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    const RecordedDialog& asked = dialogs.Dialogs()[0];
    EXPECT_EQ(asked.kind, RecordedDialog::OpenFile);
    EXPECT_EQ(asked.title, "Browse");
    EXPECT_EQ(asked.filters, (std::vector<FileFilter>{{"All Files (*.*)", "*.*"},
                                                      {"Text Documents (*.txt)", "*.txt"},
                                                      {"Batch Files (*.cmd,*.bat)", "*.cmd;*.bat"}}));
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_TRUE(asked.mustExist);
    EXPECT_EQ(field_->Results(), chosen);
    ASSERT_FALSE(changes_.empty());
    EXPECT_EQ(changes_.back().value, chosen);

    // Cancel changes nothing.
    changes_.clear();
    dialogs.AnswerCancel();
    QTest::mouseClick(field_->B1(), Qt::LeftButton);
    EXPECT_EQ(field_->Results(), chosen);
    EXPECT_TRUE(changes_.empty());
}

TEST_F(VexFieldTest, FolderFieldsComeOnlyThroughUpdate) {
    Load(Def("0", "Out", "x"));
    field_->SetFieldType(7);
    EXPECT_EQ(field_->FieldType(), 0);
    EXPECT_EQ(field_->B1(), nullptr);

    Load(Def("7", "Out", "/tmp"));
    EXPECT_EQ(field_->FieldType(), 7);
    ASSERT_NE(field_->B1(), nullptr);
    EXPECT_TRUE(field_->B1()->isVisibleTo(field_));

    DialogRecorder dialogs;
    dialogs.AnswerPath("/data/out");
    ShowActive();
    QTest::mouseClick(field_->B1(), Qt::LeftButton);
    ASSERT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs.Dialogs()[0].kind, RecordedDialog::BrowseFolder);
    EXPECT_EQ(dialogs.Dialogs()[0].title, "Please select a folder:");
    EXPECT_EQ(field_->Results(), "/data/out");
    ASSERT_FALSE(changes_.empty());
    EXPECT_EQ(changes_.back().value, "/data/out");

    // A write below 7 is taken and checked at once, against the record's own TYPE.
    FieldDef def = field_->GetFieldDef();
    def[fdType] = "1";
    field_->SetFieldDef(def);
    field_->SetFieldType(1);
    EXPECT_EQ(field_->FieldType(), 1);
    EXPECT_FALSE(field_->B1()->isVisibleTo(field_));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text.substr(0, 32), "Invalid value in current field.\n");
}

TEST_F(VexFieldTest, FChkReportsTheFieldAsItStands) {
    Load(Def("1", "Count", "5", "1", "10"));
    EXPECT_TRUE(field_->FChk());
    ShowActive();
    field_->T1()->selectAll();
    QTest::keyClicks(field_->T1(), "11");
    EXPECT_FALSE(field_->FChk());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Current value does not fit into the current scope.\n\nField Type: 1\n\nVariable Name: VAR\n\n"
              "Value: 11\n\nMin Value: 1\n\nMax Value: 10\n\n");
}

TEST_F(VexFieldTest, FocusAndEnabledState) {
    Load(Def("6", "List", "", "0", "a\nb"));
    ShowActive();
    field_->FSetFocus();
    EXPECT_EQ(QApplication::focusWidget(), field_->C1());

    Load(Def("0", "Text", "t"));
    field_->FSetFocus();
    EXPECT_EQ(QApplication::focusWidget(), field_->T1());

    field_->FEnabled(false);
    for (QWidget* control : {static_cast<QWidget*>(field_->L1()), static_cast<QWidget*>(field_->T1()),
                             static_cast<QWidget*>(field_->C1())})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    // Editors made later follow the state too.
    Load(Def("5", "Check", "", "0", "1"));
    ASSERT_NE(field_->Ch1(), nullptr);
    EXPECT_FALSE(field_->Ch1()->isEnabled());
    field_->T1()->clearFocus();
    field_->FSetFocus(); // a disabled editor gets no focus
    EXPECT_NE(QApplication::focusWidget(), field_->Ch1());

    field_->FEnabled(true);
    field_->FSetFocus();
    EXPECT_EQ(QApplication::focusWidget(), field_->Ch1());
    EXPECT_TRUE(field_->L1()->isEnabled());
}

TEST_F(VexFieldTest, LayoutInTwips) {
    Load(Def("2", "File", "", {}, {}, {}, "50"));
    int height = field_->Resize();
    EXPECT_EQ(height, PixelsToTwipsY(field_->height()));
    EXPECT_NEAR(height, PixelsToTwipsY(field_->T1()->height()) + 50, TwipsPerPixelY());

    // Caption 6000 × 50 % − 100; the editor starts 100 twips to its right.
    EXPECT_EQ(field_->L1()->geometry().left(), 0);
    EXPECT_NEAR(field_->L1()->width(), TwipsToPixelsX(2900), 1);
    EXPECT_NEAR(field_->L1()->y(), TwipsToPixelsY(75), 1);
    EXPECT_NEAR(field_->T1()->x(), TwipsToPixelsX(3000), 1);
    EXPECT_EQ(field_->T1()->y(), 0);
    // Text box and button share the editor's 2900 twips with 100 between them.
    QRect t1 = field_->T1()->geometry(), b1 = field_->B1()->geometry();
    EXPECT_NEAR(b1.left() - (t1.right() + 1), TwipsToPixelsX(100), 1);
    EXPECT_NEAR(b1.right() + 1, TwipsToPixelsX(5900), 2);
    EXPECT_EQ(b1.height(), t1.height());

    // The default share is 33 %.
    Load(Def("0", "Text", ""));
    EXPECT_NEAR(field_->L1()->width(), TwipsToPixelsX(1880), 1);
    EXPECT_NEAR(field_->T1()->width(), TwipsToPixelsX(6000 - 1880 - 200), 1);

    // A wider row widens the editor, the height stays.
    ShowActive();
    field_->resize(TwipsToPixelsX(9000), field_->height());
    EXPECT_NEAR(field_->T1()->width(), TwipsToPixelsX(9000 - 2870 - 200), 1);
    EXPECT_EQ(field_->Resize(), height);

    // A damaged share keeps its sign: all caption, or no caption at all.
    Load(Def("2", "File", "", {}, {}, {}, "2000000000"));
    EXPECT_GE(field_->L1()->width(), field_->width());
    EXPECT_EQ(field_->T1()->width(), 0);
    Load(Def("2", "File", "", {}, {}, {}, "-2000000000"));
    EXPECT_EQ(field_->L1()->width(), 0);
}

TEST_F(VexFieldTest, DoubleClickOnTheCaptionShowsTheHelp) {
    Load(Def("0", "Name", "", {}, {}, {}, {}, "Your name,\r\nas the server knows it."));
    ShowActive();
    bool seen = false;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* help = qobject_cast<VexMsg*>(QApplication::activeModalWidget());
        if (!help) return;
        seen = true;
        shown = help->Text1()->toPlainText();
        EXPECT_EQ(help->parentWidget(), window_.get());
        QTest::mouseClick(help->Command1(), Qt::LeftButton);
    });
    // Should the box not appear, nothing would close it: a second timer does.
    QTimer::singleShot(5000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    QTest::mouseDClick(field_->L1(), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(shown, "Your name,\nas the server knows it.");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(VexFieldTest, TypesWithoutAnEditor) {
    Load(Def("8", "Hidden", "v"));
    EXPECT_EQ(field_->FieldType(), 8);
    EXPECT_FALSE(field_->T1()->isVisibleTo(field_));
    EXPECT_EQ(field_->Results(), "");
    EXPECT_TRUE(field_->FChk());
    EXPECT_GT(field_->Resize(), 50);
}

} // namespace
} // namespace z9
