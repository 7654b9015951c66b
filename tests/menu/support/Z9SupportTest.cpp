#include "menu/support/Z9Support.h"

#include "common/CodePage.h"
#include "common/CodePageQt.h"
#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "tests/support/DialogSupport.h"
#include "tests/support/TestSupport.h"
#include "widgets/DrawingSurface.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

const std::string kLetter =
    "Dear Zorvan customer,\n\n"
    "We are aware of the fact that our product should serve your needs. Building system that enables you to "
    "automatically perform your business functions is complex process, where we should work together to "
    "achieve optimal results. Our Trouble Ticket System was designed to help you.\n\n"
    "What we can do for you? You are probably on the other side of the world, living in environment, where "
    "some vendors are helping you to build your information system. By describing your working environment "
    "and needs we can help you to create the shopping list to buy our products as well as other necessary "
    "items. Next we can help you with advice how to use all system components on the best possible way to "
    "resolve your problems. Please fill in out very short formulary, which describes you hardware platform "
    "and add short description of your environment (technical environment, you are working with vendors or "
    "by yourself etc.) and shortly describe your business goals or technical problem. Please copy the "
    "Trouble Ticket to clipboard and copy the contents into you mailing system or save your Trouble Ticket "
    "into the file and send it by E-mail to us as attachment. We will try to answer you as soon as "
    "possible.\n\n"
    "Your Zorvan Development Team";

const std::string kExampleTicket = "support@zorvan.example\r\n"
                                   ">> Zorvan Trouble Ticket <<\r\n"
                                   "anna@example.com\r\n"
                                   "Zorvan Menu 1.0.0\r\n"
                                   "Hardware:\r\n"
                                   "Servers: 1, 0, 2000-2003\r\n"
                                   "Workstations: 0, 0, \r\n"
                                   "The backup task stops at step two.\r\n"
                                   "<< Zorvan Trouble Ticket >>";

const char* kNotWritten = "Cannot write your Trouble Ticket to file: ";

class Z9SupportTest : public ::testing::Test {
protected:
    Z9SupportTest() {
        UseLocale("en_US");
        SetAppTitle("Zorvan Menu 1.0.0");
        form_ = std::make_unique<Z9Support>();
        form_->show();
        QApplication::setActiveWindow(form_.get());
        QApplication::processEvents();
        QGuiApplication::clipboard()->setText("left from before");
        fs::create_directories(out_);
    }
    ~Z9SupportTest() override {
        form_.reset();
        SetAppTitle(previousTitle_);
        UseLocale("");
    }

    // The answers of the example: one existing server with 2000 and 2003.
    void FillExample() {
        form_->Text1->setText("anna@example.com");
        form_->Text2[0]->setText("1");
        form_->Check1[0]->setChecked(true);
        form_->Check1[3]->setChecked(true);
        form_->Text3->setPlainText("The backup task stops at step two.");
    }
    std::string Clipboard() const { return ToAnsi(QGuiApplication::clipboard()->text()); }
    QString Focused() const { return form_->focusWidget() ? form_->focusWidget()->objectName() : "<none>"; }
    template <typename T> T* Child(const char* name) const { return form_->findChild<T*>(name); }
    QString Caption(const char* name) const {
        if (auto* label = Child<QLabel>(name)) return label->text();
        if (auto* button = Child<QAbstractButton>(name)) return button->text();
        return QString("<no %1>").arg(name);
    }

    TempFolder folder_;
    const fs::path out_ = folder_.Path() / "out";
    MessageRecorder messages_;
    DialogRecorder dialogs_;
    std::string previousTitle_ = AppTitle();
    std::unique_ptr<Z9Support> form_;
};

TEST_F(Z9SupportTest, EveryTextOnTheFormIsItsOwn) {
    EXPECT_EQ(form_->windowTitle(), "Zorvan Support");
    EXPECT_EQ(Caption("Label1"), "Welcome to Zorvan Support page!");
    EXPECT_EQ(Caption("Label3"), "Please enter your e-mail:");
    EXPECT_EQ(Caption("Label5"),
              "Please fill out our hardware questionary about your network or standalone computer:");
    EXPECT_EQ(Caption("Label11"), "Computer Type");
    EXPECT_EQ(Caption("Label8"), "Number of existing");
    EXPECT_EQ(Caption("Label9"), "Number of planned");
    EXPECT_EQ(Caption("Label10"), "Windows Operating Systems");
    EXPECT_EQ(Caption("Label6"), "Servers:");
    EXPECT_EQ(Caption("Label7"), "Workstations:");
    EXPECT_EQ(Caption("Label12"), "Please describe your problem or question:");
    EXPECT_EQ(Caption("Command1"), "Send Trouble Ticket To Clipboard");
    EXPECT_EQ(Caption("Command3"), "Copy Trouble Ticket To File");
    EXPECT_EQ(Caption("Command2"), "Close");
    const char* servers[] = {"2000", "XP", "NT 4.0", "2003", "Other"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Caption(QString("Check1_%1").arg(i).toLatin1()), servers[i]);
    const char* workstations[] = {"2000", "XP", "NT 4.0", "Me", "98", "Other"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Caption(QString("Check2_%1").arg(i).toLatin1()), workstations[i]);

    // Shown as they are: a caption is never read as markup.
    for (QLabel* label : form_->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();

    auto* letter = Child<QTextEdit>("Text4");
    ASSERT_TRUE(letter);
    EXPECT_EQ(letter->toPlainText().toStdString(), kLetter);
    EXPECT_TRUE(letter->isReadOnly());
    EXPECT_EQ(letter->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Child<QTextEdit>("Text3")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Child<QLineEdit>("Text1")->maxLength(), 500);
    EXPECT_EQ(Child<QLineEdit>("Text1")->text(), "");
    for (int i = 0; i < 4; ++i) {
        auto* count = Child<QLineEdit>(QString("Text2_%1").arg(i).toLatin1());
        ASSERT_TRUE(count);
        EXPECT_EQ(count->text(), "0");
        EXPECT_EQ(count->maxLength(), 4);
        EXPECT_EQ(count->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }
    EXPECT_TRUE(Child<QLabel>("Label1")->font().bold());
    EXPECT_FALSE(Child<QLabel>("Label3")->font().bold());
    for (const char* name : {"Label1", "Text1", "Text4", "Check2_5", "Command2"})
        EXPECT_EQ(Child<QWidget>(name)->font().family(), "Tahoma") << name;
}

TEST_F(Z9SupportTest, ExampleAnswersGoToTheClipboardWithoutClosingBreak) {
    FillExample();
    form_->Command1->click();
    EXPECT_EQ(Clipboard(), kExampleTicket);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].style, 64);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Your Trouble Ticket has been sent to clipboard.\n\n"
              "Please do not change it and leave it as it is.\n\n"
              "Paste it to your e-mail message and send it to support@zorvan.example.\n"
              "The destination e-mail address is also in the first line of Trouble Ticket.");
    EXPECT_EQ(Focused(), "Command2");
    EXPECT_TRUE(dialogs_.Dialogs().empty());
}

TEST_F(Z9SupportTest, ExampleAnswersGoToTheChosenFileWithClosingBreak) {
    FillExample();
    const fs::path path = out_ / "ticket.txt";
    dialogs_.AnswerPath(path.string());
    form_->Command3->click();

    ASSERT_EQ(dialogs_.Dialogs().size(), 1u);
    const RecordedDialog& dialog = dialogs_.Dialogs()[0];
    EXPECT_EQ(dialog.kind, RecordedDialog::OpenFile);
    EXPECT_EQ(dialog.title, "Please select file name for your Trouble Ticket file");
    EXPECT_EQ(dialog.filters, (std::vector<FileFilter>{{"Trouble Ticket (*.txt)", "*.txt"}}));
    EXPECT_EQ(dialog.filterIndex, 1);
    EXPECT_FALSE(dialog.mustExist);

    EXPECT_EQ(ReadFileBytes(path), kExampleTicket + "\r\n");
    EXPECT_EQ(FolderEntries(out_), std::vector<std::string>{"ticket.txt"});
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].style, 64);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Your Trouble Ticket has been copied to file: " + path.string() +
                  ".\n\n"
                  "Please do not change it and leave it as it is.\n\n"
                  "Attach it to your e-mail message and send it to support@zorvan.example.\n"
                  "The destination e-mail address is also in the first line of Trouble Ticket.");
    EXPECT_EQ(Focused(), "Command2");
    EXPECT_EQ(Clipboard(), "left from before");
}

TEST_F(Z9SupportTest, CancelledFileDialogWritesAndConfirmsNothing) {
    FillExample();
    dialogs_.AnswerCancel();
    form_->Command3->click();
    EXPECT_EQ(dialogs_.Dialogs().size(), 1u);
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_TRUE(FolderEntries(out_).empty());
}

TEST_F(Z9SupportTest, ConfiguredSupportMailboxHeadsTheTicketAndTheConfirmation) {
    ASSERT_EQ(SaveSetting("Settings", "SupportMail", "desk@zorvan.example"), 0);
    FillExample();
    form_->Command1->click();
    EXPECT_EQ(Clipboard().substr(0, 21), "desk@zorvan.example\r\n");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_NE(messages_.Messages()[0].text.find("send it to desk@zorvan.example.\n"), std::string::npos);
}

TEST_F(Z9SupportTest, FailedChecksShowTheirMessageMoveTheFocusAndLeaveNoTicket) {
    struct Case {
        const char* what;
        std::function<void(Z9Support&)> change;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"two characters with @", [](Z9Support& f) { f.Text1->setText("a@"); },
         "Please enter your e-mail where do you want to recive our reply.", "Text1"},
        {"no @", [](Z9Support& f) { f.Text1->setText("anna.example.com"); },
         "Please enter your e-mail where do you want to recive our reply.", "Text1"},
        {"nothing counted", [](Z9Support& f) { f.Text2[0]->setText("0"); },
         "You have to enter at least one server or workstation.", "Text2_2"},
        {"servers without a system",
         [](Z9Support& f) {
             f.Check1[0]->setChecked(false);
             f.Check1[3]->setChecked(false);
         },
         "You have to enter at least one operating system.", "Check1_0"},
        {"workstations without a system", [](Z9Support& f) { f.Text2[3]->setText("2"); },
         "You have to enter at least one operating system.", "Check2_0"},
        {"19 characters described", [](Z9Support& f) { f.Text3->setPlainText("Backup stops again."); },
         "Please describe your problem.", "Text3"},
    };
    for (const Case& c : cases) {
        for (const char* button : {"Command1", "Command3"}) {
            SCOPED_TRACE(std::string(c.what) + " / " + button);
            form_.reset(new Z9Support);
            form_->show();
            FillExample();
            c.change(*form_);
            form_->Command2->setFocus();
            messages_.Clear();
            Child<QPushButton>(button)->click();
            ASSERT_EQ(messages_.Messages().size(), 1u);
            EXPECT_EQ(messages_.Messages()[0].text, c.message);
            EXPECT_EQ(messages_.Messages()[0].style, 48);
            EXPECT_EQ(Focused(), c.focus);
            EXPECT_EQ(Clipboard(), "left from before");
            EXPECT_TRUE(dialogs_.Dialogs().empty());
        }
    }
}

TEST_F(Z9SupportTest, ThreeCharacterAddressAndTwentyCharacterDescriptionPass) {
    FillExample();
    form_->Text1->setText("a@b");
    form_->Text3->setPlainText("Backup stops again!!");
    form_->Command1->click();
    EXPECT_NE(Clipboard().find("\r\na@b\r\n"), std::string::npos) << Clipboard();
    EXPECT_NE(Clipboard().find("\r\nBackup stops again!!\r\n<<"), std::string::npos) << Clipboard();
}

TEST_F(Z9SupportTest, TypedDescriptionKeepsItsLineBreaks) {
    FillExample();
    form_->Text3->clear();
    form_->Text3->setFocus();
    QTest::keyClicks(form_->Text3, "The backup task stops.");
    QTest::keyClick(form_->Text3, Qt::Key_Return);
    QTest::keyClicks(form_->Text3, "It ran before the move.");
    form_->Command1->click();
    EXPECT_NE(Clipboard().find("Workstations: 0, 0, \r\nThe backup task stops.\r\nIt ran before the move."
                               "\r\n<< Zorvan Trouble Ticket >>"),
              std::string::npos)
        << Clipboard();
}

TEST_F(Z9SupportTest, CountBoxesTakeDigitsOnlyAndFallBackToZero) {
    QLineEdit* count = form_->Text2[1];
    form_->Text1->setFocus();
    QTest::keyClick(form_->Text1, Qt::Key_Tab); // Text2_0
    QTest::keyClick(form_->Text2[0], Qt::Key_Tab);
    ASSERT_EQ(Focused(), "Text2_1");
    EXPECT_EQ(count->selectedText(), "0"); // entering selects the count

    QTest::keyClicks(count, "a7b,.- ");
    EXPECT_EQ(count->text(), "7");
    QTest::keyClicks(count, "12345");
    EXPECT_EQ(count->text(), "7123"); // four characters at most
    QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_EQ(count->text(), "712");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(count, Qt::Key_Backspace);
    EXPECT_EQ(count->text(), "0");
    QTest::keyClicks(count, "5");
    EXPECT_EQ(count->text(), "5"); // the fallback 0 is replaced, not prefixed

    count->setText("");
    EXPECT_EQ(count->text(), "0");

    // Clicking into a count selects it too, once the click has placed the caret.
    form_->Text2[3]->setText("42");
    QTest::mouseClick(form_->Text2[3], Qt::LeftButton, {}, QPoint(4, 4));
    QApplication::processEvents();
    ASSERT_EQ(Focused(), "Text2_3");
    EXPECT_EQ(form_->Text2[3]->selectedText(), "42");
}

TEST_F(Z9SupportTest, PastedNonNumberGivesTheRunTimeErrorAndNoTicket) {
    FillExample();
    QGuiApplication::clipboard()->setText("two");
    form_->Text2[2]->setFocus();
    form_->Text2[2]->selectAll();
    form_->Text2[2]->paste();
    EXPECT_EQ(form_->Text2[2]->text(), "two");

    form_->Command1->click();
    dialogs_.AnswerPath((out_ / "ticket.txt").string());
    form_->Command3->click();
    ASSERT_EQ(messages_.Messages().size(), 2u);
    for (const RecordedMessage& message : messages_.Messages()) {
        EXPECT_EQ(message.text, "There was an error creating Trouble Ticket.\n\nType mismatch");
        EXPECT_EQ(message.style, 0);
    }
    EXPECT_EQ(Clipboard(), "two");
    EXPECT_TRUE(dialogs_.Dialogs().empty());
    EXPECT_FALSE(fs::exists(out_ / "ticket.txt"));
}

TEST_F(Z9SupportTest, UnwritableTicketFileGivesTheReasonAndNoConfirmation) {
    FillExample();
    fs::create_directories(out_ / "tickets");
    const std::string folderPath = (out_ / "tickets").string();
    const std::string missing = (out_ / "gone" / "ticket.txt").string();
    const std::pair<std::string, std::string> cases[] = {
        {folderPath, "Access is denied."},
        {missing, "The system cannot find the path specified."},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        messages_.Clear();
        form_->Text1->setFocus();
        dialogs_.AnswerPath(path);
        form_->Command3->click();
        ASSERT_EQ(messages_.Messages().size(), 1u);
        EXPECT_EQ(messages_.Messages()[0].text, kNotWritten + path + "!\n\n" + reason);
        EXPECT_EQ(messages_.Messages()[0].style, 0);
        EXPECT_EQ(Focused(), "Text1");
    }
    EXPECT_TRUE(FolderEntries(out_ / "tickets").empty());
    EXPECT_FALSE(fs::exists(out_ / "gone"));
}

TEST_F(Z9SupportTest, FileNameInTheCodePageReachesTheHostUnderItsOwnName) {
    FillExample();
    // "Übersicht.txt" in code page 1252.
    const std::string ansi = (out_ / "").string() + "\xDC" + "bersicht.txt";
    dialogs_.AnswerPath(ansi);
    form_->Command3->click();
    EXPECT_EQ(ReadFileBytes(out_ / u8"Übersicht.txt"), kExampleTicket + "\r\n");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text.substr(0, 45 + ansi.size()),
              "Your Trouble Ticket has been copied to file: " + ansi);
}

TEST_F(Z9SupportTest, LongestAddressAndDescriptionGoIntoTheTicketWhole) {
    FillExample();
    const std::string address = std::string(479, 'a') + "@" + std::string(19, 'b') + ".";
    ASSERT_EQ(address.size(), 500u);
    form_->Text1->setText(QString::fromStdString(address + "zzz"));
    EXPECT_EQ(form_->Text1->text().toStdString(), address);

    // 65,535 characters, line breaks counting two each.
    std::string description;
    while (description.size() + 80 <= 65535)
        description += std::string(78, 'x') + "\r\n";
    description += std::string(65535 - description.size(), 'y');
    ASSERT_EQ(description.size(), 65535u);
    QString shown = FromAnsi(description);
    shown.replace("\r\n", "\n");
    form_->Text3->setPlainText(shown);
    form_->Text3->moveCursor(QTextCursor::End);
    form_->Text3->setFocus();
    QTest::keyClicks(form_->Text3, "zz");
    QTest::keyClick(form_->Text3, Qt::Key_Return);
    EXPECT_EQ(form_->Text3->toPlainText(), shown); // full: nothing more goes in

    dialogs_.AnswerPath((out_ / "long.txt").string());
    form_->Command3->click();
    const std::string expected = "support@zorvan.example\r\n>> Zorvan Trouble Ticket <<\r\n" + address +
                                 "\r\nZorvan Menu 1.0.0\r\nHardware:\r\nServers: 1, 0, 2000-2003\r\n"
                                 "Workstations: 0, 0, \r\n" +
                                 description + "\r\n<< Zorvan Trouble Ticket >>\r\n";
    EXPECT_TRUE(ReadFileBytes(out_ / "long.txt") == expected);
}

TEST_F(Z9SupportTest, PasteBeyondTheDescriptionsLimitKeepsOnlyWhatFits) {
    form_->Text3->setPlainText(QString(65530, 'x'));
    form_->Text3->moveCursor(QTextCursor::End);
    form_->Text3->insertPlainText("12\n3456789");
    EXPECT_EQ(form_->Text3->toPlainText(), QString(65530, 'x') + "12\n3");
    form_->Text3->setPlainText(QString(70000, 'w'));
    EXPECT_EQ(form_->Text3->toPlainText().size(), 65535);
}

TEST_F(Z9SupportTest, ControlsSpeakTheirNamesAndTabInReadingOrder) {
    auto name = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString("<none>");
    };
    auto role = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->role(); };
    EXPECT_EQ(name(form_->Check1[0]), "Servers 2000");
    EXPECT_EQ(name(form_->Check1[4]), "Servers Other");
    EXPECT_EQ(name(form_->Check2[3]), "Workstations Me");
    EXPECT_EQ(name(form_->Text2[0]), "Servers Number of existing");
    EXPECT_EQ(name(form_->Text2[3]), "Workstations Number of planned");
    EXPECT_EQ(name(form_->Text1), "Please enter your e-mail:");
    EXPECT_EQ(name(form_->Text3), "Please describe your problem or question:");
    EXPECT_EQ(name(form_->Text4), "Welcome to Zorvan Support page!");
    EXPECT_EQ(name(form_->Command3), "Copy Trouble Ticket To File");
    EXPECT_EQ(role(form_->Check2[5]), QAccessible::CheckBox);
    EXPECT_EQ(role(form_->Text2[1]), QAccessible::EditableText);
    EXPECT_EQ(role(form_->Command1), QAccessible::Button);
    EXPECT_EQ(form_->Label3->buddy(), form_->Text1);
    EXPECT_EQ(form_->Label12->buddy(), form_->Text3);

    QStringList order;
    QWidget* w = form_->Text4;
    do {
        if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != form_->Text4);
    EXPECT_EQ(order.join(' ').toStdString(),
              "Text4 Text1 Text2_0 Text2_1 Check1_0 Check1_1 Check1_2 Check1_3 Check1_4 Text2_2 Text2_3 "
              "Check2_0 Check2_1 Check2_2 Check2_3 Check2_4 Check2_5 Text3 Command1 Command3 Command2");

    // What assistive technology presses is what a click does.
    QAccessibleInterface* close = QAccessible::queryAccessibleInterface(form_->Command2);
    ASSERT_TRUE(close->actionInterface());
    EXPECT_TRUE(close->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    // A check box toggles from the keyboard as from a click.
    form_->Check2[4]->setFocus();
    QTest::keyClick(form_->Check2[4], Qt::Key_Space);
    EXPECT_TRUE(form_->Check2[4]->isChecked());
    close->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    for (int waited = 0; form_->isVisible() && waited < 2000; waited += 20)
        QTest::qWait(20); // the press is animated
    EXPECT_FALSE(form_->isVisible());
}

TEST_F(Z9SupportTest, EnterInABoxBuildsNothingAndEscapeClosesFromAnyBox) {
    FillExample();
    QTest::keyClick(form_->Text1, Qt::Key_Return);
    QTest::keyClick(form_->Text2[0], Qt::Key_Enter);
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(Clipboard(), "left from before");
    // Enter on a button presses it.
    form_->Command1->setFocus();
    QTest::keyClick(form_->Command1, Qt::Key_Return);
    EXPECT_EQ(Clipboard(), kExampleTicket);
    EXPECT_EQ(messages_.Messages().size(), 1u);
    for (QWidget* box : std::initializer_list<QWidget*>{form_->Text2[1], form_->Text3, form_->Text1}) {
        form_->show();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_FALSE(form_->isVisible()) << box->objectName().toStdString();
    }
    form_->show();
    form_->Command2->click();
    EXPECT_FALSE(form_->isVisible());
}

// The etched lines part the greeting, the address, the questionnaire, the
// description and the buttons; no control covers another or leaves the form.
TEST_F(Z9SupportTest, EtchedLinesPartTheGroupsAndNothingOverlaps) {
    std::vector<DrawingSurface::Stroke> strokes = DrawingSurface::Of(form_.get())->Strokes();
    ASSERT_EQ(strokes.size(), 8u);
    std::vector<int> greys;
    for (const auto& stroke : strokes) {
        EXPECT_EQ(stroke.line.y1(), stroke.line.y2());
        EXPECT_GT(stroke.line.dx(), form_->width() * 9 / 10);
        if (stroke.color == QColor(0x84, 0x84, 0x84)) greys.push_back(stroke.line.y1());
    }
    ASSERT_EQ(greys.size(), 4u);
    std::sort(greys.begin(), greys.end());
    const std::pair<QWidget*, QWidget*> between[] = {
        {form_->Text4, form_->Label3},
        {form_->Text1, form_->Label5},
        {form_->Text2[3], form_->Label12},
        {form_->Text3, form_->Command1},
    };
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_GT(greys[i], between[i].first->geometry().bottom()) << i;
        EXPECT_LT(greys[i] + 1, between[i].second->geometry().top()) << i;
    }

    std::vector<QWidget*> controls;
    for (QWidget* child : form_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!qobject_cast<DrawingSurface*>(child)) controls.push_back(child);
    EXPECT_EQ(controls.size(), 31u);
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(form_->rect().contains(controls[i]->geometry()))
            << controls[i]->objectName().toStdString();
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " / "
                << controls[j]->objectName().toStdString();
        // Captions fit their controls.
        if (auto* label = qobject_cast<QLabel*>(controls[i]); label && !label->wordWrap()) {
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->objectName().toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(controls[i])) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
        }
    }
}

TEST_F(Z9SupportTest, ShownModallyUntilClosed) {
    form_.reset();
    QWidget owner;
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        seen = qobject_cast<Z9Support*>(QApplication::activeModalWidget()) != nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<Z9Support*>(window); shown && shown->isVisible()) {
                seen = seen && shown->isModal() && shown->windowTitle() == "Zorvan Support";
                shown->Command2->click();
            }
    });
    ShowSupportForm(&owner);
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace z9::test
