#include "common/FontChooser.h"

#include "common/CodePageQt.h"
#include "common/FontOptions.h"
#include "tests/support/DialogSupport.h"
#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace z9 {
namespace {

// Fonts the test machines have (fonts-liberation, fonts-wine).
const FontChoice kStart{"Liberation Serif", 10, true, false, false, true, 0, RgbColor(0, 0, 128)};

int ScriptIndex(QComboBox* scripts, const char* name) {
    return scripts->findText(QString::fromLatin1(name));
}

void Pick(QComboBox* box, int index) {
    ASSERT_GE(index, 0);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

TEST(FontChooserTest, StartsFromTheFontAndGivesItBackUntouched) {
    FontChooser dialog(kStart);
    EXPECT_EQ(dialog.windowTitle(), "Font");
    EXPECT_EQ(dialog.FontName->currentText(), "Liberation Serif");
    EXPECT_EQ(dialog.FontStyle->currentItem()->text(), "Bold");
    EXPECT_EQ(dialog.FontSize->currentText(), "10");
    EXPECT_TRUE(dialog.Strikeout->isChecked());
    EXPECT_FALSE(dialog.Underline->isChecked());
    EXPECT_EQ(dialog.FontColor->currentText(), "Navy");
    EXPECT_EQ(dialog.FontScript->currentText(), "Western");
    EXPECT_EQ(dialog.Choice(), kStart);

    // What only a file or another system gives comes back as it was: a face
    // this machine lacks, an odd size, a custom and a system colour, a script
    // the face does not offer, a character set no script list knows.
    for (FontChoice odd :
         {FontChoice{"MS Sans Serif", 8.25, false, true, true, false, 128, 0x123456},
          FontChoice{"Liberation Sans", 9, false, false, false, false, 77, static_cast<int>(0x80000008u)},
          FontChoice{"Liberation Sans", 11, false, false, false, false, 99, 0}}) {
        FontChooser untouched(odd);
        EXPECT_EQ(untouched.Choice(), odd);
        EXPECT_EQ(untouched.FontStyle->currentItem()->text(), odd.italic ? "Italic" : "Regular");
        if (odd.charset != 77 && odd.charset != 99) continue;
        EXPECT_EQ(untouched.FontScript->currentText(), odd.charset == 77 ? "Mac" : "99");
    }
    FontChooser custom(FontChoice{"Tahoma", 8, false, false, false, false, 0, 0x123456});
    EXPECT_EQ(custom.FontColor->currentText(), "Custom");
    custom.accept();
    EXPECT_EQ(custom.result(), QDialog::Accepted);
    EXPECT_EQ(custom.Choice().color, 0x123456);
}

TEST(FontChooserTest, EveryControlChangesTheChoiceAndTheSample) {
    FontChooser dialog(kStart);
    dialog.FontName->setEditText("liberation sans"); // typed in another case: the list's spelling
    dialog.FontStyle->setCurrentRow(3);
    dialog.FontSize->setEditText("12.5");
    dialog.Strikeout->setChecked(false);
    dialog.Underline->setChecked(true);
    Pick(dialog.FontColor, dialog.FontColor->findText("Red"));
    Pick(dialog.FontScript, ScriptIndex(dialog.FontScript, "Cyrillic"));

    const FontChoice chosen = dialog.Choice();
    EXPECT_EQ(chosen,
              (FontChoice{"Liberation Sans", 12.5, true, true, true, false, 204, RgbColor(255, 0, 0)}));
    EXPECT_EQ(dialog.Sample->font().family(), "Liberation Sans");
    EXPECT_TRUE(dialog.Sample->font().bold());
    EXPECT_TRUE(dialog.Sample->font().italic());
    EXPECT_TRUE(dialog.Sample->font().underline());
    EXPECT_EQ(dialog.Sample->font().pointSizeF(), 12.5);
    EXPECT_EQ(dialog.Sample->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_NE(dialog.Sample->text(), "AaBbYyZz"); // a Cyrillic sample

    // The style list maps both ways.
    dialog.FontStyle->setCurrentRow(0);
    EXPECT_FALSE(dialog.Choice().bold);
    EXPECT_FALSE(dialog.Choice().italic);
    dialog.FontStyle->setCurrentRow(2);
    EXPECT_TRUE(dialog.Choice().bold);
    EXPECT_FALSE(dialog.Choice().italic);
}

TEST(FontChooserTest, ScriptListFollowsTheFaceAndKeepsTheChosenScript) {
    FontChooser dialog(kStart);
    // Liberation has Latin and Cyrillic, no Japanese and no Thai.
    EXPECT_GE(ScriptIndex(dialog.FontScript, "Western"), 0);
    EXPECT_GE(ScriptIndex(dialog.FontScript, "Central European"), 0);
    EXPECT_GE(ScriptIndex(dialog.FontScript, "Cyrillic"), 0);
    EXPECT_LT(ScriptIndex(dialog.FontScript, "Japanese"), 0);
    EXPECT_LT(ScriptIndex(dialog.FontScript, "Thai"), 0);

    Pick(dialog.FontScript, ScriptIndex(dialog.FontScript, "Cyrillic"));
    dialog.FontName->setEditText("Tahoma");
    EXPECT_EQ(dialog.FontScript->currentText(), "Cyrillic");
    dialog.FontName->setEditText("No Such Face At All");
    EXPECT_EQ(dialog.FontScript->currentText(), "Cyrillic");
    EXPECT_EQ(dialog.Choice().charset, 204);
}

TEST(FontChooserTest, OkRefusesAnUnknownFaceAndABadSizeAndStaysOpen) {
    test::MessageRecorder messages;
    FontChooser dialog(kStart);
    dialog.show();

    dialog.FontSize->setEditText("abc");
    EXPECT_EQ(dialog.Choice().size, 10); // the start's until a valid size is typed
    dialog.OkButton->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Size must be a number between 1 and 1638."});
    EXPECT_EQ(messages.Messages()[0].style, vbExclamation);
    EXPECT_EQ(dialog.FontSize->lineEdit()->selectedText(), "abc");

    dialog.FontSize->setEditText("2000");
    dialog.OkButton->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Messages().size(), 2u);

    dialog.FontSize->setEditText("200"); // big, but a size: the caller decides what it keeps
    dialog.FontName->setEditText("No Such Face At All");
    dialog.OkButton->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.Messages().size(), 3u);
    EXPECT_EQ(messages.Texts()[2],
              "There is no font with that name.\n\nChoose a font from the list of fonts.");
    dialog.FontName->setEditText("   ");
    dialog.OkButton->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Messages().size(), 4u);

    dialog.FontName->setEditText("Tahoma");
    dialog.OkButton->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Choice().size, 200);
    EXPECT_EQ(dialog.Choice().name, "Tahoma");
    EXPECT_EQ(messages.Messages().size(), 4u);
}

TEST(FontChooserTest, OtherColourComesFromTheColourDialog) {
    FontChooser dialog(kStart);
    const int other = dialog.FontColor->findText("Other...");
    ASSERT_EQ(other, dialog.FontColor->count() - 1);

    QColor offered;
    test::OnModal<QColorDialog>([&offered](QColorDialog* colours) {
        offered = colours->currentColor();
        colours->setCurrentColor(QColor(0x12, 0x34, 0x56));
        colours->accept();
    });
    Pick(dialog.FontColor, other);
    EXPECT_EQ(offered, QColor(0, 0, 128)); // starts from the colour the font has
    EXPECT_EQ(dialog.FontColor->currentText(), "Custom");
    EXPECT_EQ(dialog.Choice().color, RgbColor(0x12, 0x34, 0x56));

    // Cancelled: the colour stays as it was.
    test::OnModal<QColorDialog>([](QColorDialog* colours) { colours->reject(); });
    Pick(dialog.FontColor, dialog.FontColor->findText("Other..."));
    EXPECT_EQ(dialog.FontColor->currentText(), "Custom");
    EXPECT_EQ(dialog.Choice().color, RgbColor(0x12, 0x34, 0x56));
    // A second custom colour replaces the first.
    test::OnModal<QColorDialog>([](QColorDialog* colours) {
        colours->setCurrentColor(Qt::white);
        colours->accept();
    });
    Pick(dialog.FontColor, dialog.FontColor->findText("Other..."));
    EXPECT_EQ(dialog.FontColor->count(), 18); // sixteen, one custom, "Other..."
    EXPECT_EQ(dialog.Choice().color, 0xFFFFFF);
}

TEST(FontChooserTest, ReachedByKeyboardAndNamedForScreenReaders) {
    FontChooser dialog(kStart);
    const std::vector<QWidget*> order = {dialog.FontName,   dialog.FontStyle, dialog.FontSize,
                                         dialog.Strikeout,  dialog.Underline, dialog.FontColor,
                                         dialog.FontScript, dialog.OkButton,  dialog.CancelButton};
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(dialog.FontName->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == dialog.FontName);
    for (size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == order[i] || order[i]->isAncestorOf(focus))
            << i << " " << (focus ? focus->objectName().toStdString() : "none");
    }
    for (QWidget* control : order) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << control->objectName().toStdString();
    }
    EXPECT_EQ(dialog.FontName->accessibleName(), "Font");
    EXPECT_EQ(dialog.FontScript->accessibleName(), "Script");
    EXPECT_EQ(dialog.Label1->buddy(), dialog.FontName);
    EXPECT_EQ(dialog.Label4->buddy(), dialog.FontColor);
}

// The door itself: FontDialog shows this dialog when no test handler answers.
class FontDoorTest : public ::testing::Test {
protected:
    FontDoorTest() : guard_(SetFontHandler({})) {}
    ~FontDoorTest() override { SetFontHandler(guard_); }

private:
    FontHandler guard_;
};

TEST_F(FontDoorTest, EnterTakesTheColourAndTheScriptEscapeGivesNothing) {
    test::OnModal<FontChooser>([](FontChooser* dialog) {
        Pick(dialog->FontColor, dialog->FontColor->findText("Green"));
        Pick(dialog->FontScript, ScriptIndex(dialog->FontScript, "Cyrillic"));
        dialog->FontSize->setFocus();
        dialog->FontSize->setEditText("14");
        QTest::keyClick(dialog->FontSize, Qt::Key_Return);
    });
    FontChoice expected = kStart;
    expected.color = RgbColor(0, 128, 0);
    expected.charset = 204;
    expected.size = 14;
    EXPECT_EQ(FontDialog(kStart, nullptr), expected);

    test::OnModal<FontChooser>([](FontChooser* dialog) {
        dialog->Underline->setChecked(true);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(FontDialog(kStart, nullptr), std::nullopt);
}

} // namespace
} // namespace z9
