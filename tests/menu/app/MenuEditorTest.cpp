// The edit panel driven through its controls: the list, the type box, the
// caption and command boxes and the editing toolbar.
#include "menu/app/MenuEditor.h"
#include "menu/app/Sopen.h"
#include "tests/menu/app/MenuWindowFixture.h"
#include "widgets/VexButton.h"
#include "widgets/VexItem.h"
#include "widgets/VexLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <fstream>
#include <sstream>

namespace z9::test {
namespace {

void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
}

// A row chosen as a person chooses it: a click on its entry in the list.
void ClickRow(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

class MenuEditorTest : public MenuWindowTest {
protected:
    // The window in its edit view on a menu of these lines.
    MenuEditor& Edit(const std::vector<std::string>& lines) {
        path_ = WriteMenu("edit/e.z9m", lines);
        MenuWindow& w = Start(path_);
        Click(w.TB5);
        return *w.P3;
    }
    const MenuDocument& Doc() const { return window_->Document(); }
    std::vector<std::string> ListTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < window_->P3->List3->count(); ++i)
            texts.push_back(window_->P3->List3->item(i)->text().toStdString());
        return texts;
    }
    std::string FileBytes() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string path_;
};

TEST_F(MenuEditorTest, FillingTheEditorNeverMarksTheMenuChanged) {
    const std::vector<std::string> lines = {MenuLine(1, "Title", "", 14, 0xFF), MenuLine(3, "Run", "a.z9f"),
                                            MenuLine(4, ""), MenuLine(2, "White", "", 10, 0xFFFFFF)};
    MenuEditor& e = Edit(lines);
    for (int row : {3, 1, 0, 2, 3})
        ClickRow(e.List3, row);
    EXPECT_EQ(e.SelectedRow(), 3);
    EXPECT_EQ(e.Text2->toPlainText(), QStringLiteral("White"));
    EXPECT_EQ(e.Combo1->currentText(), QStringLiteral("2 - vLabel"));
    EXPECT_FALSE(Doc().MCh());
    EXPECT_FALSE(Doc().Dirty());
    EXPECT_EQ(Doc().Lines(), lines);

    ClickRow(e.List3, 1);
    EXPECT_EQ(e.Text3->text(), QStringLiteral("a.z9f"));
    EXPECT_EQ(e.Combo1->currentIndex(), 3);
    // The first real edit does mark it.
    QTest::keyClicks(e.Text3, QStringLiteral("x"));
    EXPECT_TRUE(Doc().MCh());
    EXPECT_EQ(Doc().Item(1).Link, "a.z9fx");
    EXPECT_EQ(Doc().Lines()[0], lines[0]);
}

TEST_F(MenuEditorTest, TheTypeDecidesWhatCanBeEditedAndTheFileKeepsTheRest) {
    MenuEditor& e = Edit({MenuLine(3, "Caption", "prog.exe")});
    struct Row {
        int type;
        bool command, caption, insertPath, browse;
    };
    const Row table[] = {
        {0, true, true, true, true}, {1, false, true, true, false},   {2, false, true, true, false},
        {3, true, true, true, true}, {4, false, false, false, false}, {5, false, false, false, false},
    };
    for (const Row& r : table) {
        SCOPED_TRACE(r.type);
        e.Combo1->setCurrentIndex(r.type);
        EXPECT_EQ(e.Label4->isEnabled(), r.command);
        EXPECT_EQ(e.Text3->isEnabled(), r.command);
        EXPECT_EQ(e.Label3->isEnabled(), r.caption);
        EXPECT_EQ(e.Text2->isEnabled(), r.caption);
        EXPECT_EQ(e.ChFont->isEnabled(), r.caption);
        EXPECT_EQ(e.TBBrowse1[0]->isEnabled(), r.insertPath);
        EXPECT_EQ(e.TBBrowse1[1]->isEnabled(), r.browse);
        // Every change of type is written into the row at once.
        EXPECT_EQ(Doc().Item(0).Type, r.type);
        EXPECT_EQ(e.List3->count(), 1);
    }
    // A space keeps its caption and link in the file.
    e.Combo1->setCurrentIndex(4);
    const MenuItem space = Doc().Item(0);
    EXPECT_EQ(space.Caption, "Caption");
    EXPECT_EQ(space.Link, "prog.exe");
    EXPECT_TRUE(Doc().MCh());
}

TEST_F(MenuEditorTest, AWhiteCaptionIsShownOnGrey) {
    MenuEditor& e = Edit({MenuLine(2, "Dark"), MenuLine(2, "Light", "", 10, 0xFFFFFF)});
    const QColor window = e.palette().color(QPalette::Base);
    EXPECT_EQ(e.Text2->palette().color(QPalette::Base), window);
    ClickRow(e.List3, 1);
    EXPECT_EQ(e.Text2->palette().color(QPalette::Base), QColor(128, 128, 128));
    EXPECT_EQ(e.Text2->palette().color(QPalette::Text), QColor(255, 255, 255));

    // White chosen in the font dialog turns the box grey; another colour back.
    ClickRow(e.List3, 0);
    FontChoice white = ChoiceOfFont(e.Text2->font());
    white.color = 0xFFFFFF;
    dialogs_.AnswerFont(white);
    Click(e.ChFont);
    EXPECT_EQ(e.Text2->palette().color(QPalette::Base), QColor(128, 128, 128));
    EXPECT_EQ(Doc().Item(0).FontColor, 0xFFFFFF);
    FontChoice red = white;
    red.color = 0x0000FF;
    dialogs_.AnswerFont(red);
    Click(e.ChFont);
    EXPECT_EQ(e.Text2->palette().color(QPalette::Base), window);
    EXPECT_EQ(Doc().Item(0).FontColor, 0x0000FF);
}

TEST_F(MenuEditorTest, ChangeFontStartsFromTheCaptionBoxAndCancelStillCommits) {
    const std::string longName(34, 'F');
    MenuEditor& e = Edit({MenuLine(2, "Text", "", 12, 0x00FF00)});
    ASSERT_FALSE(Doc().MCh());
    dialogs_.AnswerCancel();
    Click(e.ChFont);
    ASSERT_EQ(dialogs_.Dialogs().size(), 1u);
    EXPECT_EQ(dialogs_.Dialogs()[0].kind, RecordedDialog::Font);
    EXPECT_EQ(dialogs_.Dialogs()[0].font.size, 12);
    EXPECT_EQ(dialogs_.Dialogs()[0].font.color, 0x00FF00);
    EXPECT_TRUE(Doc().MCh()) << "Cancel commits the item as the box shows it";
    EXPECT_EQ(Doc().Item(0).Font.Size, 12);

    FontChoice huge = dialogs_.Dialogs()[0].font;
    huge.name = longName;
    huge.size = 250;
    huge.bold = true;
    dialogs_.AnswerFont(huge);
    Click(e.ChFont);
    EXPECT_EQ(Doc().Item(0).Font.Size, 100) << "sizes above 100 points become 100";
    EXPECT_TRUE(Doc().Item(0).Font.Bold);

    dialogs_.AnswerCancel();
    Click(e.ChFont);
    EXPECT_EQ(dialogs_.Dialogs().back().font.name.size(), 30u) << "the face name is cut to 30 characters";
}

TEST_F(MenuEditorTest, InsertNewCopiesTheShownItemBelowItOrAtTheTop) {
    const std::vector<std::string> lines = {MenuLine(1, "Top", "", 16),
                                            MenuLine(3, "Run", "r.exe", 9, 0xFF0000)};
    MenuEditor& e = Edit(lines);
    ClickRow(e.List3, 1);
    Click(e.TB1Add);
    ASSERT_EQ(Doc().Count(), 3u);
    EXPECT_EQ(e.SelectedRow(), 2);
    EXPECT_EQ(Doc().Lines()[2], lines[1]) << "a new item starts as a copy of the shown one";
    EXPECT_EQ(ListTexts()[2], ListTexts()[1]);
    EXPECT_EQ(e.Text3->text(), QStringLiteral("r.exe"));
    EXPECT_TRUE(Doc().MCh());

    // Without a selected row the new item goes to the top.
    e.List3->setCurrentRow(-1);
    ASSERT_EQ(e.SelectedRow(), -1);
    Click(e.TB1Add);
    ASSERT_EQ(Doc().Count(), 4u);
    EXPECT_EQ(e.SelectedRow(), 0);
    EXPECT_EQ(Doc().Item(0).Caption, "Run");
    EXPECT_EQ(Doc().Lines()[1], lines[0]);
    EXPECT_EQ(ListTexts().size(), Doc().Count());

    // An empty menu gets its first item.
    MenuEditor& empty = Edit({});
    Click(empty.TB1Add);
    EXPECT_EQ(Doc().Count(), 1u);
    EXPECT_EQ(empty.SelectedRow(), 0);
}

TEST_F(MenuEditorTest, RemoveSelectsAsItShould) {
    const std::vector<std::string> three = {MenuLine(2, "A"), MenuLine(2, "B"), MenuLine(2, "C")};
    struct Case {
        int removed;
        std::vector<std::string> left;
        int selected;
    };
    for (const Case& c : {Case{1, {"A", "C"}, 0}, Case{2, {"A", "B"}, 1}, Case{0, {"B", "C"}, 0}}) {
        SCOPED_TRACE(c.removed);
        MenuEditor& e = Edit(three);
        ClickRow(e.List3, c.removed);
        Click(e.TB1Remove);
        std::vector<std::string> captions;
        for (std::size_t i = 0; i < Doc().Count(); ++i)
            captions.push_back(Doc().Item(i).Caption);
        EXPECT_EQ(captions, c.left);
        EXPECT_EQ(ListTexts().size(), 2u);
        EXPECT_EQ(e.SelectedRow(), c.selected);
        EXPECT_EQ(e.Text2->toPlainText().toStdString(), c.left[static_cast<std::size_t>(c.selected)]);
        EXPECT_TRUE(Doc().MCh());
    }

    MenuEditor& only = Edit({MenuLine(2, "Only")});
    Click(only.TB1Remove);
    EXPECT_EQ(Doc().Count(), 0u);
    EXPECT_EQ(only.List3->count(), 0);
    EXPECT_EQ(only.SelectedRow(), -1);
    // Nothing selected: Remove and the moves do nothing.
    Click(only.TB1Remove);
    Click(only.TBUp);
    Click(only.TBDown);
    EXPECT_EQ(Doc().Count(), 0u);
}

TEST_F(MenuEditorTest, MovesSwapNeighboursAndDoNothingAtTheEnds) {
    const std::vector<std::string> lines = {MenuLine(2, "A"), MenuLine(2, "B"), MenuLine(2, "C")};
    MenuEditor& e = Edit(lines);
    ClickRow(e.List3, 0);
    Click(e.TBUp);
    EXPECT_EQ(Doc().Lines(), lines);
    EXPECT_FALSE(Doc().MCh()) << "moving the first row up changes nothing";
    ClickRow(e.List3, 2);
    Click(e.TBDown);
    EXPECT_EQ(Doc().Lines(), lines);
    EXPECT_FALSE(Doc().MCh());

    Click(e.TBUp);
    EXPECT_EQ(Doc().Lines(), (std::vector<std::string>{lines[0], lines[2], lines[1]}));
    EXPECT_EQ(e.SelectedRow(), 1);
    EXPECT_TRUE(Doc().MCh());
    ClickRow(e.List3, 0);
    Click(e.TBDown);
    EXPECT_EQ(Doc().Lines(), (std::vector<std::string>{lines[2], lines[0], lines[1]}));
    EXPECT_EQ(e.SelectedRow(), 1);
    EXPECT_EQ(e.Text2->toPlainText(), QStringLiteral("A"));
    // The summaries move with their lines.
    const std::vector<std::string> texts = ListTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[0].find('C'), std::string::npos);
    EXPECT_NE(texts[1].find('A'), std::string::npos);
    EXPECT_NE(texts[2].find('B'), std::string::npos);
}

TEST_F(MenuEditorTest, ATwoLineCaptionIsOneFileLineAndTwoLinesOnThePage) {
    MenuEditor& e = Edit({MenuLine(2, "Old"), MenuLine(3, "Link", "x.z9f")});
    e.Text2->selectAll();
    QTest::keyClicks(e.Text2, QStringLiteral("First line"));
    QTest::keyClick(e.Text2, Qt::Key_Return);
    QTest::keyClicks(e.Text2, QStringLiteral("Second line"));
    EXPECT_EQ(Doc().Item(0).Caption, "First line\r\nSecond line");
    EXPECT_EQ(ListTexts()[0].find('\n'), std::string::npos) << "the list shows one line per item";

    Click(window_->P3->TBSave);
    EXPECT_FALSE(Doc().Dirty());
    const std::string bytes = FileBytes();
    std::size_t breaks = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++breaks;
    EXPECT_EQ(breaks, 2u) << "two items, two file lines";

    Click(window_->TB4);
    ASSERT_EQ(window_->TL.size(), 2u);
    const VexLabel* label = window_->TL[1];
    EXPECT_EQ(label->Caption(), "First line\r\nSecond line");
    const int oneLine = QFontMetrics(label->font()).height();
    EXPECT_GE(label->height(), 2 * oneLine) << "the label is two lines high";

    // Opened again from the file, the caption still has its two lines.
    window_->FOpen(path_);
    EXPECT_EQ(window_->Document().Item(0).Caption, "First line\r\nSecond line");
}

TEST_F(MenuEditorTest, EditsReachTheFileOnlyThroughSave) {
    MenuEditor& e = Edit({MenuLine(3, "", "a.exe")});
    const std::string before = FileBytes();
    e.Text3->selectAll();
    QTest::keyClicks(e.Text3, QStringLiteral("b.exe /Z9+"));
    EXPECT_EQ(FileBytes(), before);
    EXPECT_NE(ListTexts()[0].find("b.exe /Z9+"), std::string::npos)
        << "the summary of a link without caption follows the edit";
    Click(e.TBSave);
    EXPECT_NE(FileBytes(), before);
    EXPECT_NE(FileBytes().find("b.exe /Z9+"), std::string::npos);
    EXPECT_FALSE(Doc().Dirty());
}

} // namespace
} // namespace z9::test

namespace z9::test {
namespace {

// The example menu in the edit view, as a person editing it first sees it.
TEST_F(MenuEditorTest, TheExampleMenuInTheEditView) {
    SetCurrentFolder(ExamplesDir().string());
    MenuWindow& w = Start("main-menu.z9m");
    ASSERT_TRUE(started_);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Click(w.TB5);
    MenuEditor& e = *w.P3;
    ASSERT_TRUE(e.isVisible());
    ASSERT_EQ(static_cast<std::size_t>(e.List3->count()), w.Document().Count());
    ClickRow(e.List3, 4);
    EXPECT_EQ(e.Text2->toPlainText(), QStringLiteral("Nightly backup (Z9SUB)"));
    EXPECT_EQ(e.Text3->text(), QStringLiteral("Z9SUB nightly-backup.z9f"));
    EXPECT_EQ(e.Combo1->currentText(), QStringLiteral("3 - vLink"));
    EXPECT_EQ(e.Combo1->count(), 6);
    EXPECT_FALSE(w.Document().MCh());
    // The editor's controls stand clear of each other and inside the panel.
    const std::vector<QWidget*> parts = {e.T2, e.List3, e.Combo1, e.Label3, e.Text2, e.Label4, e.Text3};
    for (QWidget* part : parts) {
        EXPECT_TRUE(e.rect().contains(part->geometry())) << part->objectName().toStdString();
        EXPECT_GT(part->width(), 0);
        for (QWidget* other : parts) {
            if (other != part) {
                EXPECT_FALSE(part->geometry().intersects(other->geometry()))
                    << part->objectName().toStdString() << " " << other->objectName().toStdString();
            }
        }
    }
    // Every control has its name for assistive technology.
    for (QWidget* part : {static_cast<QWidget*>(e.List3), static_cast<QWidget*>(e.Combo1),
                          static_cast<QWidget*>(e.Text2), static_cast<QWidget*>(e.Text3)})
        EXPECT_FALSE(part->accessibleName().isEmpty()) << part->objectName().toStdString();
    // Set Z9_SCREENSHOT_DIR to keep the picture, once the header has typed itself out.
    if (const std::string dir = EnvVar("Z9_SCREENSHOT_DIR"); !dir.empty()) {
        Settle(2500);
        w.grab().save(QString::fromStdString(dir + "/z9menu-edit.png"));
    }
}

} // namespace
} // namespace z9::test

namespace z9::test {
namespace {

// Every way out of a changed menu asks the save question; Cancel keeps the
// menu, its changes and the way back.
TEST_F(MenuEditorTest, EveryWayOutOfAChangedMenuAsksAndCancelKeepsEverything) {
    const std::string a = WriteMenu("out/a.z9m", {MenuLine(2, "A")});
    const std::string home = WriteMenu("out/home.z9m", {MenuLine(2, "Home")});
    const std::string b = WriteMenu("out/b.z9m", {MenuLine(2, "B"), MenuLine(3, "To A", a)});
    MenuWindow& w = Start(a);
    ASSERT_TRUE(w.FOpen(b));
    w.SetHome(home);
    Click(w.TB5);
    w.P3->Text2->setPlainText(QStringLiteral("Changed"));
    ASSERT_TRUE(w.Document().Dirty());
    Click(w.TB4);
    ASSERT_EQ(w.VexItem1.size(), 2u);

    auto kept = [&](const char* way) {
        SCOPED_TRACE(way);
        ASSERT_FALSE(messages_.Messages().empty());
        EXPECT_EQ(messages_.Messages().back().text,
                  "Do you want to save the changes you made to \n\n" + b + "?");
        EXPECT_EQ(w.FFile(), b);
        EXPECT_TRUE(w.Document().Dirty());
        EXPECT_EQ(w.Document().Item(0).Caption, "Changed");
        EXPECT_EQ(w.Document().History(), (std::vector<std::string>{a}));
        messages_.Clear();
    };
    messages_.Answer(vbCancel);
    Click(w.TB1);
    kept("Back");
    messages_.Answer(vbCancel);
    Click(w.TB2);
    kept("Revert");
    messages_.Answer(vbCancel);
    Click(w.TB3);
    kept("Home");
    messages_.Answer(vbCancel);
    Click(w.VexItem1[1]->L1());
    kept("a menu link");
    // Open: OK on another menu asks, and after Cancel the dialog stays for another try.
    bool stayed = false;
    OnModal<Sopen>([&](Sopen* dialog) {
        dialog->Text1->setText(QString::fromStdString(a));
        Click(dialog->TBOk);
        stayed = dialog->isVisible();
        Click(dialog->TBCancel);
    });
    messages_.Answer(vbCancel);
    Click(w.TBOpen);
    EXPECT_TRUE(stayed);
    kept("Open");
    messages_.Answer(vbCancel);
    EXPECT_FALSE(w.close());
    kept("close");

    // After all that, Back still goes back, and No leaves the changes behind.
    messages_.Answer(vbNo);
    Click(w.TB1);
    EXPECT_EQ(w.FFile(), a);
    EXPECT_FALSE(w.Document().Dirty());
    EXPECT_TRUE(w.Document().History().empty()) << "a step back adds nothing to the history";
}

} // namespace
} // namespace z9::test
