// The menu window driven as a user drives it: started with a command line,
// its toolbar pressed and its links clicked, by the controls' names.
#include "tests/menu/app/MenuWindowFixture.h"

#include "common/Registry.h"
#include "common/Twips.h"
#include "common/WindowPlacement.h"
#include "menu/app/MenuEditor.h"
#include "menu/app/MenuSettings.h"
#include "menu/app/MenuStartUp.h"
#include "menu/app/Options.h"
#include "menu/app/Sopen.h"
#include "menu/support/Z9Support.h"
#include "tests/support/LaunchWatch.h"
#include "widgets/VexButton.h"
#include "widgets/VexItem.h"
#include "widgets/VexLabel.h"
#include "widgets/VexLine.h"
#include "widgets/VexPic.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

int TwY(int px) {
    return PixelsToTwipsY(px);
}
int TwX(int px) {
    return PixelsToTwipsX(px);
}

// A pressed button: a click where a person clicks.
void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
}
void ClickLink(VexItem* item) {
    Click(item->L1());
}

// What the open dialog showed when it came up.
struct OpenDialogSeen {
    bool shown = false;
    bool mNew = false;
    QString title;
    QString path;
    QWidget* owner = nullptr;
};

// The next open dialog is answered as a person answers it: `path`, when
// given, typed over the path box, then the button `button` pressed.
void AnswerOpenDialog(OpenDialogSeen& seen, const std::string& path, const char* button) {
    OnModal<Sopen>([&seen, path, button](Sopen* dialog) {
        seen.shown = true;
        seen.mNew = dialog->MNew();
        seen.title = dialog->windowTitle();
        seen.path = dialog->Text1->text();
        seen.owner = dialog->parentWidget();
        if (!path.empty()) {
            dialog->Text1->selectAll();
            QTest::keyClicks(dialog->Text1, QString::fromStdString(path));
        }
        auto* pressed = dialog->findChild<VexButton*>(button);
        ASSERT_NE(pressed, nullptr) << button;
        Click(pressed);
    });
}

TEST_F(MenuWindowTest, WithoutTheSubmitterBesideItTheProgramEnds) {
    fs::remove(Bin() / (std::string("Z9Sub") + ExeSuffix()));
    Start("");
    EXPECT_FALSE(started_);
    EXPECT_EQ(messages_.Texts(), (std::vector<std::string>{Z9SubMissingText()}));
    EXPECT_EQ(messages_.Messages()[0].style, vbExclamation);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(MenuWindowTest, StartUpOpensTheCommandLinesMenuAndPreparesTheWindow) {
    const std::string path =
        WriteMenu("menus/first.z9m", {MenuLine(1, "Welcome"), MenuLine(3, "Run", "x.z9f")});
    MenuWindow& w = Start(path);
    ASSERT_TRUE(started_);
    EXPECT_TRUE(messages_.Texts().empty());
    EXPECT_EQ(w.FFile(), path);
    EXPECT_EQ(w.windowTitle().toStdString(), w.ProgramTitle() + " - " + path);
    EXPECT_EQ(w.ProgramTitle().rfind("Zorvan Menu ", 0), 0u);
    EXPECT_EQ(AppTitle(), w.ProgramTitle());
    EXPECT_EQ(w.HelpFile(), Bin().string() + "/Z9MENU.HLP");
    EXPECT_EQ(w.Z9SubPath(), (Bin() / (std::string("Z9Sub") + ExeSuffix())).string());
    EXPECT_EQ(w.VexPic1->Caption(), "first.z9m");
    EXPECT_TRUE(w.VexPic1->FixedPos());
    EXPECT_EQ(ReadLastMenu(), path);
    EXPECT_FALSE(w.LockedMode());
    // Revert and Edit follow the open file, Home the home menu (none here).
    EXPECT_TRUE(w.TB2->EnabledM());
    EXPECT_TRUE(w.TB5->EnabledM());
    EXPECT_FALSE(w.TB3->EnabledM());
    // Every control in Tahoma; every toolbar button with its icon and tool tip.
    EXPECT_EQ(w.TB1->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(w.P3->Combo1->font().family(), QStringLiteral("Tahoma"));
    const std::pair<VexButton*, const char*> tips[] = {
        {w.TB1, "Back"},
        {w.TB2, "Revert"},
        {w.TB3, "Home"},
        {w.TB4, "Normal"},
        {w.TB5, "Edit"},
        {w.TB6, "Options"},
        {w.TBHelp, "Help"},
        {w.TBOpen, "Open Menu"},
        {w.TBNew, "New Menu"},
        {w.P3->TB1Add, "Insert New"},
        {w.P3->TB1Remove, "Remove"},
        {w.P3->ChFont, "Change Font..."},
        {w.P3->TBBrowse1[0], "Insert Path"},
        {w.P3->TBBrowse1[1], "Browse"},
        {w.P3->TBUp, "Move Up"},
        {w.P3->TBDown, "Move Down"},
        {w.P3->TBSave, "Save Menu"},
        {w.P3->TBSetHome, "Set This Menu As Home Menu"},
    };
    for (const auto& [button, tip] : tips) {
        EXPECT_EQ(button->Label1()->toolTip().toStdString(), tip) << button->objectName().toStdString();
        EXPECT_TRUE(button->HasPicture()) << tip;
    }
    // The type list of the editor.
    ASSERT_EQ(w.P3->Combo1->count(), 6);
    EXPECT_EQ(w.P3->Combo1->itemText(0), QStringLiteral("0 - vNotVisible"));
    EXPECT_EQ(w.P3->Combo1->itemText(5), QStringLiteral("5 - vLine"));
    // The normal view; the window may not be dragged smaller than its minimum.
    EXPECT_EQ(w.Mode(), 0);
    EXPECT_TRUE(w.P2->isVisible());
    EXPECT_FALSE(w.P3->isVisible());
    const int frameH = TrueWindowSize(&w, true), frameW = TrueWindowSize(&w, false);
    EXPECT_NEAR(TwX(w.minimumWidth()) + frameW, 7000, 15);
    EXPECT_NEAR(TwY(w.minimumHeight()) + frameH, frameH + 6195, 15);
}

TEST_F(MenuWindowTest, TheMenuTypeIsRegisteredAtEveryStart) {
    WriteMenu("a.z9m", {});
    Start((temp_.Path() / "a.z9m").string());
    const std::pair<const char*, std::string> keys[] = {
        {"Zorvan Menu", "Zorvan Menu"},
        {".Z9M", "Zorvan Menu"},
        {"Zorvan Menu\\shell\\open\\command", "\"" + Bin().string() + "/Z9Menu\" %1"},
        {"Zorvan Menu\\DefaultIcon", Bin().string() + "/Z9Menu,0"},
    };
    for (const auto& [key, value] : keys) {
        RegKey k;
        RegValue v;
        ASSERT_EQ(k.Open(RegRoot::ClassesRoot, key), 0) << key;
        ASSERT_EQ(k.Query("", v), 0) << key;
        EXPECT_EQ(v.Text(), value) << key;
    }
}

TEST_F(MenuWindowTest, TheLockSwitchOpensItsMenuForBrowsingOnly) {
    const std::string path = WriteMenu("lisa/a.z9m", {MenuLine(3, "One", "one.z9f")});
    MenuWindow& w = Start("\"" + path + "\" /l");
    ASSERT_TRUE(started_);
    EXPECT_TRUE(w.LockedMode());
    EXPECT_EQ(w.FFile(), path) << "the quotes are dropped";
    for (VexButton* b : {w.TBOpen, w.TBNew, w.TB5, w.TB4, w.TB6})
        EXPECT_FALSE(b->EnabledM()) << b->objectName().toStdString();
    for (VexButton* b : {w.TB1, w.TB2, w.TBHelp})
        EXPECT_TRUE(b->EnabledM()) << b->objectName().toStdString();
    EXPECT_NEAR(TwY(w.T1->height()), kLockedStripHeight, 15);
    // The buttons a locked menu keeps stand within the shortened strip.
    for (VexButton* b : {w.TB1, w.TB2, w.TB3, w.TBHelp})
        EXPECT_LE(b->geometry().bottom(), w.T1->height()) << b->objectName().toStdString();
    EXPECT_NEAR(TwY(w.minimumHeight()) + TrueWindowSize(&w, true),
                TrueWindowSize(&w, true) + kMinClientHeight + kLockedExtraHeight, 15);
}

TEST_F(MenuWindowTest, ALinuxPathHoldingTheSwitchLettersIsJustAPath) {
    // /tmp/.../lisa/menus/a.z9m: "/l" inside a path is no switch.
    const std::string path = WriteMenu("lisa/menus/a.z9m", {});
    MenuWindow& w = Start(path);
    EXPECT_FALSE(w.LockedMode());
    EXPECT_EQ(w.FFile(), path);
    EXPECT_TRUE(w.TB5->EnabledM());
}

TEST_F(MenuWindowTest, TheSwitchAloneOpensTheStartUpMenuLocked) {
    const std::string last = WriteMenu("last.z9m", {MenuLine(2, "Last one")});
    StoreLastMenu(last);
    MenuWindow& w = Start("/l");
    EXPECT_TRUE(w.LockedMode());
    EXPECT_EQ(w.FFile(), last);
    EXPECT_TRUE(dialogs_.Dialogs().empty());
}

TEST_F(MenuWindowTest, StartOpenChoosesWhatAnEmptyCommandLineOpens) {
    const std::string last = WriteMenu("last.z9m", {});
    const std::string home = WriteMenu("home.z9m", {});
    const std::string folder = WriteMenu("bin/folder.z9m", {});
    StoreLastMenu(last);
    StoreHomeMenu(home);

    Start("");
    EXPECT_EQ(window_->FFile(), last) << "StartOpen missing: the last menu";
    StoreStartOpen(0);
    Start("");
    EXPECT_EQ(window_->FFile(), folder);
    StoreStartOpen(1);
    Start("");
    EXPECT_EQ(window_->FFile(), home);
    EXPECT_TRUE(window_->TB3->EnabledM());
    EXPECT_TRUE(dialogs_.Dialogs().empty());

    // Any other value: the open dialog, here left with a menu chosen.
    StoreStartOpen(3);
    OpenDialogSeen seen;
    AnswerOpenDialog(seen, last, "TBOk");
    Start("");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, QStringLiteral("Open Zorvan Menu"));
    EXPECT_FALSE(seen.mNew);
    EXPECT_EQ(seen.path.toStdString(), home) << "the dialog starts from the menu opened last";
    EXPECT_EQ(seen.owner, window_.get());
    EXPECT_EQ(window_->FFile(), last);
    EXPECT_TRUE(dialogs_.Dialogs().empty());
}

TEST_F(MenuWindowTest, HomeOpenWithNothingToOpenShowsTheOpenDialog) {
    // No "Home" value and no menu in the program's folder.
    StoreStartOpen(1);
    OpenDialogSeen seen;
    AnswerOpenDialog(seen, "", "TBCancel");
    MenuWindow& w = Start("");
    ASSERT_TRUE(started_);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(w.FFile(), "");
    EXPECT_EQ(w.Home(), "");
    EXPECT_FALSE(w.TB3->EnabledM());
    EXPECT_FALSE(w.TB2->EnabledM());
    EXPECT_FALSE(w.TB5->EnabledM());
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(MenuWindowTest, TheHomeMenuIsTheFirstMenuBesideTheProgramWhenNoneWasSet) {
    const std::string folder = WriteMenu("bin/b.z9m", {});
    WriteMenu("bin/c.z9m", {});
    const std::string last = WriteMenu("last.z9m", {});
    StoreLastMenu(last);
    MenuWindow& w = Start("");
    EXPECT_EQ(w.Home(), folder);
    Click(w.TB3);
    EXPECT_EQ(w.FFile(), folder);
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{last}));
}

TEST_F(MenuWindowTest, AMissingMenuIsOfferedForCreationAndRefusedLeadsToTheOpenDialog) {
    const std::string missing = (temp_.Path() / "none" / "gone.z9m").string();
    messages_.Answer(vbNo);
    OpenDialogSeen seen;
    AnswerOpenDialog(seen, "", "TBCancel");
    MenuWindow& w = Start("\"" + missing + "\"");
    ASSERT_EQ(messages_.Texts().size(), 1u);
    EXPECT_EQ(messages_.Texts()[0],
              "File " + missing + " does not exist.\n\nWould you like to create a new menu?");
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(w.FFile(), "");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(MenuWindowTest, AnUnreadableMenuIsReportedAndLeadsToTheOpenDialog) {
    // A folder named like a menu cannot be read as one.
    fs::create_directories(temp_.Path() / "folder.z9m");
    const std::string path = (temp_.Path() / "folder.z9m").string();
    OpenDialogSeen seen;
    AnswerOpenDialog(seen, "", "TBCancel");
    MenuWindow& w = Start(path);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Texts()[0].rfind("Cannot open:\n\n" + path + "\n\n", 0), 0u) << messages_.Texts()[0];
    EXPECT_EQ(messages_.Messages()[0].style, vbCritical);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(w.FFile(), "");
}

TEST_F(MenuWindowTest, AFileThatIsNoMenuIsRefused) {
    const std::string text = temp_.Write("notes.txt", "hello").string();
    OpenDialogSeen seen;
    AnswerOpenDialog(seen, "", "TBCancel");
    MenuWindow& w = Start(text);
    EXPECT_EQ(messages_.Texts(),
              (std::vector<std::string>{"Cannot open: \"" + text + "\"\n\nInvalid file extension!"}));
    EXPECT_TRUE(seen.shown) << "the open dialog follows";
    EXPECT_EQ(w.FFile(), "");
}

TEST_F(MenuWindowTest, ThePageStandsAtItsTwips) {
    const std::string path =
        WriteMenu("page.z9m", {MenuLine(1, "Title", "", 14), MenuLine(2, "A label", "", 9),
                               MenuLine(3, "A link", "a.z9f"), MenuLine(4, ""), MenuLine(5, ""),
                               MenuLine(0, "hidden", "h.z9f"), MenuLine(3, "", "/x/y/b.z9m")});
    MenuWindow& w = Start(path);
    ASSERT_EQ(w.LTitle.size(), 2u);
    ASSERT_EQ(w.TL.size(), 2u);
    ASSERT_EQ(w.VexItem1.size(), 3u);
    ASSERT_EQ(w.TLN.size(), 2u);
    const int pageWidth = TwX(w.P1->width());
    const int screenWidth = TwX(QGuiApplication::primaryScreen()->geometry().width());

    double y = 100 + 50;
    EXPECT_NEAR(TwX(w.LTitle[1]->x()), 120, 15);
    EXPECT_NEAR(TwY(w.LTitle[1]->y()), y, 15);
    EXPECT_NEAR(TwX(w.LTitle[1]->width()), screenWidth + 2000, 15);
    EXPECT_EQ(w.LTitle[1]->Caption(), "Title");
    EXPECT_EQ(w.LTitle[1]->Font().pointSize(), 14);
    y += TwY(w.LTitle[1]->height()) + 50 + 150;
    EXPECT_NEAR(TwX(w.TL[1]->x()), 240, 15);
    EXPECT_NEAR(TwY(w.TL[1]->y()), y, 15);
    EXPECT_NEAR(TwX(w.TL[1]->width()), pageWidth - 480, 15);
    EXPECT_EQ(w.TL[1]->Caption(), "A label");
    y += TwY(w.TL[1]->height()) + 150 + 50;
    EXPECT_NEAR(TwX(w.VexItem1[1]->x()), 540, 15);
    EXPECT_NEAR(TwY(w.VexItem1[1]->y()), y, 15);
    EXPECT_EQ(w.VexItem1[1]->Caption(), "A link");
    y += TwY(w.VexItem1[1]->height()) + 50 + 500 + 50;
    EXPECT_NEAR(TwX(w.TLN[1]->x()), 120, 15);
    EXPECT_NEAR(TwY(w.TLN[1]->y()), y, 15);
    EXPECT_NEAR(TwX(w.TLN[1]->width()), pageWidth - 240, 15);
    y += TwY(w.TLN[1]->height()) + 50 + 50;
    // The hidden item took no room; a link without a caption shows its file's name.
    EXPECT_NEAR(TwY(w.VexItem1[2]->y()), y, 15);
    EXPECT_EQ(w.VexItem1[2]->Caption(), "b.z9m");
    y += TwY(w.VexItem1[2]->height()) + 50;
    EXPECT_NEAR(w.PageHeight(), y, 30);
    // The edit list holds every item, the hidden one too.
    EXPECT_EQ(w.P3->List3->count(), 7);
    EXPECT_EQ(w.P3->List3->item(5)->text(), QStringLiteral("Type = vNotVisible"));
}

TEST_F(MenuWindowTest, FontsAbove100PointsAreShownAt100) {
    const std::string path =
        WriteMenu("big.z9m", {MenuLine(2, "Huge", "", 400), MenuLine(3, "Link", "l.z9f", 250)});
    MenuWindow& w = Start(path);
    ASSERT_EQ(w.TL.size(), 2u);
    EXPECT_EQ(w.TL[1]->Font().pointSize(), 100);
    EXPECT_EQ(w.VexItem1[1]->Font().pointSize(), 100);
    // The file keeps what it said.
    EXPECT_NE(w.Document().Lines()[0].find("<FONTSIZE>400</FONTSIZE>"), std::string::npos);
}

TEST_F(MenuWindowTest, TheScrollBarShowsHidesAndScalesWithThePage) {
    const std::string shortMenu = WriteMenu("short.z9m", {MenuLine(2, "One line")});
    MenuWindow& w = Start(shortMenu);
    EXPECT_FALSE(w.VS1->isVisible());
    EXPECT_EQ(w.P1->y(), 0);

    // About 60 spaces of 500 twips: taller than the viewport, shorter than 32767.
    std::vector<std::string> lines(60, MenuLine(4, ""));
    lines.push_back(MenuLine(3, "At the end", "end.z9f"));
    const std::string tall = WriteMenu("tall.z9m", lines);
    ASSERT_TRUE(w.FOpen(tall));
    EXPECT_TRUE(w.VS1->isVisible());
    EXPECT_EQ(w.Scroll().factor, 1);
    const int viewport = TwY(w.P2->height());
    EXPECT_NEAR(w.VS1->maximum(), w.PageHeight() - viewport + 100, 1);
    EXPECT_EQ(w.VS1->pageStep(), 5000);
    EXPECT_EQ(w.VS1->singleStep(), 1000);
    w.VS1->setValue(3000);
    EXPECT_NEAR(w.P1->y(), -TwipsToPixelsY(3000), 1);

    // 200 spaces: 100,000 twips, scrolled in steps of 4 twips.
    const std::string taller = WriteMenu("taller.z9m", std::vector<std::string>(200, MenuLine(4, "")));
    ASSERT_TRUE(w.FOpen(taller));
    EXPECT_EQ(w.PageHeight(), 100 + 200 * 500);
    const int range = w.PageHeight() - viewport + 100;
    EXPECT_EQ(w.Scroll().factor, range / 32767 + 1);
    EXPECT_GT(w.Scroll().factor, 1);
    EXPECT_LE(w.VS1->maximum(), 32767);
    EXPECT_EQ(w.VS1->value(), 0) << "a new page starts at its top";
    w.VS1->setValue(w.VS1->maximum());
    EXPECT_NEAR(TwY(-w.P1->y()), w.VS1->maximum() * w.Scroll().factor, 30);
    EXPECT_NEAR(TwY(w.P1->y() + w.P1->height()), viewport - 100, 60) << "the end of the page is in view";

    // And back to a short page: hidden, the page at the top.
    ASSERT_TRUE(w.FOpen(shortMenu));
    EXPECT_FALSE(w.VS1->isVisible());
    EXPECT_EQ(w.P1->y(), 0);
}

TEST_F(MenuWindowTest, BackReturnsThroughTheMenusInReverse) {
    const std::string a = WriteMenu("a.z9m", {MenuLine(2, "A")});
    const std::string b = WriteMenu("b.z9m", {MenuLine(2, "B")});
    const std::string c = WriteMenu("c.z9m", {MenuLine(2, "C")});
    MenuWindow& w = Start(a);
    ASSERT_TRUE(w.FOpen(b));
    ASSERT_TRUE(w.FOpen(c));
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{a, b}));
    Click(w.TB1);
    EXPECT_EQ(w.FFile(), b);
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{a})) << "the file left is not added";
    EXPECT_EQ(w.TL[1]->Caption(), "B");
    Click(w.TB1);
    EXPECT_EQ(w.FFile(), a);
    EXPECT_TRUE(w.Document().History().empty());
    Click(w.TB1);
    EXPECT_EQ(w.FFile(), a) << "nothing to go back to";
    // Revert opens the same file again and adds nothing.
    Click(w.TB2);
    EXPECT_EQ(w.FFile(), a);
    EXPECT_TRUE(w.Document().History().empty());
    // The next ordinary open adds the current file again.
    ASSERT_TRUE(w.FOpen(c));
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{a}));
}

TEST_F(MenuWindowTest, AMenuLinkOpensInTheSameWindowAndStartsNothing) {
    LaunchWatch watch;
    const std::string next = WriteMenu("sub/next.z9m", {MenuLine(2, "Next menu")});
    const std::string first = WriteMenu("first.z9m", {MenuLine(3, "Go on", "\"" + next + "\" /Z9+"),
                                                      MenuLine(3, "Relative", "sub/next.z9m")});
    MenuWindow& w = Start(first);
    ASSERT_EQ(w.VexItem1.size(), 3u);
    ClickLink(w.VexItem1[1]);
    EXPECT_EQ(w.FFile(), next);
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{first}));
    EXPECT_EQ(w.TL[1]->Caption(), "Next menu");
    Click(w.TB1);
    ASSERT_EQ(w.FFile(), first);
    // A relative link is found from the current folder, and kept with it, so
    // a dialog that changes the current folder cannot lose it.
    ClickLink(w.VexItem1[2]);
    EXPECT_EQ(w.FFile(), temp_.Path().string() + "/sub/next.z9m");
    SetCurrentFolder(Bin().string());
    Click(w.TB2);
    EXPECT_EQ(w.FFile(), temp_.Path().string() + "/sub/next.z9m");
    Click(w.TB1);
    EXPECT_EQ(w.FFile(), first);
    EXPECT_TRUE(watch.NothingStarted());
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(MenuWindowTest, ATaskLinkStartsTheSubmitterBesideTheProgramOnlyWhenClicked) {
    LaunchWatch watch;
    const fs::path out = watch.ReportTo(temp_.Path() / "z9sub.txt");
    const std::string task = temp_.Write("jobs/pay day.z9f", "x").string();
    const std::string menu = WriteMenu("tasks.z9m", {MenuLine(3, "Pay", "Z9SUB \"" + task + "\""),
                                                     MenuLine(3, "Plain", "z9sub %Z9_TEST_TASK%")});
    ScopedEnv env("Z9_TEST_TASK", task);
    MenuWindow& w = Start(menu);
    ASSERT_EQ(w.VexItem1.size(), 3u);
    // Building, scrolling and resizing the page start nothing.
    w.resize(w.width() + 40, w.height() + 40);
    Settle(50);
    EXPECT_TRUE(watch.NothingStarted());
    EXPECT_EQ(w.VexItem1[2]->Link, "z9sub " + task) << "variables are expanded when the page is built";

    ClickLink(w.VexItem1[1]);
    auto report = watch.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{task}));
    EXPECT_EQ(w.FFile(), menu) << "the menu stays";
}

TEST_F(MenuWindowTest, ALinkIsPressedThroughAssistiveTechnologyAsByAClick) {
    const std::string next = WriteMenu("next.z9m", {});
    const std::string first = WriteMenu("first.z9m", {MenuLine(3, "Next menu", next)});
    MenuWindow& w = Start(first);
    ASSERT_EQ(w.VexItem1.size(), 2u);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(w.VexItem1[1]);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), QStringLiteral("Next menu"));
    // An icon-only toolbar button is known by its tool tip.
    QAccessibleInterface* back = QAccessible::queryAccessibleInterface(w.TB1);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->role(), QAccessible::PushButton);
    EXPECT_EQ(back->text(QAccessible::Name), QStringLiteral("Back"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.TBHelp)->text(QAccessible::Name),
              QStringLiteral("Help"));

    ASSERT_TRUE(link->actionInterface());
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.FFile(), next);
    back->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.FFile(), first);
}

TEST_F(MenuWindowTest, TheKeyboardAloneReachesTheToolbarAndALinkOutOfViewAndPressesIt) {
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back(MenuLine(2, "Label " + std::to_string(i)));
    const std::string target = WriteMenu("keys/target.z9m", {MenuLine(1, "Target")});
    lines.push_back(MenuLine(3, "Far link", target));
    const std::string path = WriteMenu("keys/keys.z9m", lines);
    MenuWindow& w = Start(path);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.VS1->isVisible());
    VexItem* far = w.VexItem1.back();
    EXPECT_GT(far->mapTo(w.P2, QPoint(0, 0)).y(), w.P2->height()) << "the link starts out of view";

    w.TB1->setFocus();
    std::vector<QString> reached;
    for (int i = 0; i < 40 && QApplication::focusWidget() != far; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(QApplication::focusWidget());
        reached.push_back(QApplication::focusWidget()->objectName());
    }
    ASSERT_EQ(QApplication::focusWidget(), far);
    for (const char* name : {"TB2", "TBHelp", "TBOpen", "TBNew", "TB4", "TB5", "TB6"})
        EXPECT_NE(std::find(reached.begin(), reached.end(), QLatin1String(name)), reached.end()) << name;
    // The link reached is scrolled into view.
    const int top = far->mapTo(w.P2, QPoint(0, 0)).y();
    EXPECT_GE(top, 0);
    EXPECT_LE(top + far->height(), w.P2->height());
    QTest::keyClick(far, Qt::Key_Space);
    EXPECT_EQ(w.FFile(), target);
    // Enter on a toolbar button presses it too.
    w.TB1->setFocus();
    QTest::keyClick(w.TB1, Qt::Key_Return);
    EXPECT_EQ(w.FFile(), path);
}

TEST_F(MenuWindowTest, LinksShowTheIconOfWhatTheyStart) {
    const std::string menu = WriteMenu(
        "icons.z9m", {MenuLine(3, "Menu", "other.z9m"), MenuLine(3, "Task", "a.z9f"),
                      MenuLine(3, "Submitter", "Z9SUB a.z9f"), MenuLine(3, "Text", "notes.unknowntype"),
                      MenuLine(3, "Menu 2", "\"x y.Z9M\" /Z9+")});
    MenuWindow& w = Start(menu);
    ASSERT_EQ(w.VexItem1.size(), 6u);
    auto picture = [&](int i) { return w.VexItem1[i]->L1()->Image1()->pixmap().toImage(); };
    EXPECT_EQ(picture(1), w.Im1[2].toImage());
    EXPECT_EQ(picture(2), w.Im1[0].toImage());
    EXPECT_EQ(picture(5), w.Im1[2].toImage());
    // The submitter's link shows the submitter program's own icon; a type
    // the desktop does not know, the generic one.
    for (int i : {3, 4}) {
        EXPECT_NE(picture(i), w.Im1[2].toImage()) << i;
        EXPECT_NE(picture(i), w.Im1[0].toImage()) << i;
        EXPECT_FALSE(picture(i).isNull()) << i;
    }
    EXPECT_EQ(picture(4), w.Im1[1].toImage());
    for (std::size_t i = 1; i <= 5; ++i)
        EXPECT_TRUE(w.HasLinkIcon(i)) << i;
}

TEST_F(MenuWindowTest, LinksOutOfViewGetTheirIconsWhenScrolledTo) {
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i)
        lines.push_back(MenuLine(3, "Task " + std::to_string(i), "t" + std::to_string(i) + ".z9f"));
    MenuWindow& w = Start(WriteMenu("many.z9m", lines));
    ASSERT_EQ(w.VexItem1.size(), 201u);
    EXPECT_TRUE(w.HasLinkIcon(1));
    EXPECT_FALSE(w.HasLinkIcon(200));
    // The room of the icon is kept: a link is as wide before as after.
    const int width = w.VexItem1[200]->width();
    w.VS1->setValue(w.VS1->maximum());
    EXPECT_TRUE(w.HasLinkIcon(200));
    EXPECT_FALSE(w.HasLinkIcon(1) && w.HasLinkIcon(100)) << "only what came into view";
    EXPECT_EQ(w.VexItem1[200]->L1()->Image1()->pixmap().toImage(), w.Im1[0].toImage());
    EXPECT_EQ(w.VexItem1[200]->width(), width);
}

TEST_F(MenuWindowTest, AGarbageMenuShowsWhatCouldBeReadAndLosesNothing) {
    const std::string bytes =
        std::string("3><CAPTION>Half a link</CAPTION> <LINK>x.z9f\r\n") + "garbage without any tag\r\n" +
        "\x01\x02\xff<CAPTION>\r\n" + "9>future\r\n" +
        "2><CAPTION>Label</CAPTION><FONTSIZE>abc</FONTSIZE><FONTCOLOR>-1</FONTCOLOR>\r\n" + "5>\r\n" +
        std::string(100000, '%') + "\r\n";
    const fs::path path = temp_.Write("garbage.z9m", bytes);
    MenuWindow& w = Start(path.string());
    EXPECT_TRUE(messages_.Texts().empty());
    ASSERT_EQ(w.VexItem1.size(), 2u);
    EXPECT_EQ(w.VexItem1[1]->Caption(), "Half a link");
    EXPECT_EQ(w.VexItem1[1]->Link, "x.z9f");
    ASSERT_EQ(w.TL.size(), 2u);
    EXPECT_EQ(w.TL[1]->Caption(), "Label");
    EXPECT_EQ(w.TLN.size(), 2u);
    EXPECT_EQ(w.Document().Count(), 7u);
    // Saved untouched, every byte comes back.
    ASSERT_TRUE(w.Document().SaveP8M(path.string()));
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST_F(MenuWindowTest, HostileLinksBuildAPageWithoutTrouble) {
    LaunchWatch watch;
    const std::string storm(5000, '%');
    const std::string menu =
        WriteMenu("hostile.z9m",
                  {MenuLine(3, "Unterminated", "\"C:\\no end"), MenuLine(3, "Huge", std::string(100000, 'x')),
                   MenuLine(3, "Storm", storm + "PATH" + storm), MenuLine(3, "Switch only", "/Z9")});
    MenuWindow& w = Start(menu);
    EXPECT_EQ(w.VexItem1.size(), 5u);
    EXPECT_TRUE(messages_.Texts().empty());
    ClickLink(w.VexItem1[4]);
    EXPECT_TRUE(watch.NothingStarted()) << "a switch alone starts nothing";
}

TEST_F(MenuWindowTest, CancelOnCloseKeepsTheWindowAndTheChanges) {
    const std::string path = WriteMenu("edit.z9m", {MenuLine(2, "Old")});
    MenuWindow& w = Start(path);
    w.Document().SetMCh(true);
    messages_.Answer(vbCancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(messages_.Texts().size(), 1u);
    EXPECT_EQ(messages_.Texts()[0], "Do you want to save the changes you made to \n\n" + path + "?");
    EXPECT_EQ(messages_.Messages()[0].style, vbYesNoCancel | vbQuestion);
    EXPECT_TRUE(w.Document().Dirty());

    // Yes saves, then the window closes and keeps its place for the next start.
    w.Document().ReplaceItem(0, ReadItem(MenuLine(2, "New")));
    messages_.Answer(vbYes);
    EXPECT_TRUE(w.close());
    EXPECT_NE(ReadFileBytes(path).find("<CAPTION>New</CAPTION>"), std::string::npos);
    const Placement stored = ReadStartSet();
    EXPECT_NEAR(stored.width, TwX(w.frameGeometry().width()), 15);
    EXPECT_NEAR(stored.height, TwY(w.frameGeometry().height()), 15);
}

TEST_F(MenuWindowTest, AFailedSaveOnCloseKeepsTheWindow) {
    const std::string path = WriteMenu("ro/edit.z9m", {MenuLine(2, "Old")});
    MenuWindow& w = Start(path);
    w.Document().SetMCh(true);
    // The file's folder is gone: the save cannot write it.
    fs::remove_all(temp_.Path() / "ro");
    messages_.Answer(vbYes);
    EXPECT_FALSE(w.close());
    ASSERT_EQ(messages_.Texts().size(), 2u);
    EXPECT_EQ(messages_.Texts()[1].rfind("Cannot save:\n\n" + path, 0), 0u);
    EXPECT_TRUE(w.Document().Dirty());
    messages_.Answer(vbNo);
    EXPECT_TRUE(w.close());
}

TEST_F(MenuWindowTest, PlacementComesFromStartSetWithItsMinimumsAndIsNotStoredMaximised) {
    SaveStartSet(Placement{300, 450, 4000, 2000}, REG_DWORD_TYPE);
    const std::string path = WriteMenu("p.z9m", {});
    MenuWindow& w = Start(path);
    EXPECT_NEAR(TwX(w.frameGeometry().width()), 10000, 15);
    EXPECT_NEAR(TwY(w.frameGeometry().height()), TrueWindowSize(&w, true) + 6195, 15);

    w.showMaximized();
    Settle();
    SaveStartSet(Placement{1, 2, 3, 4}, REG_DWORD_TYPE);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(ReadStartSet(), (Placement{1, 2, 3, 4})) << "a maximised window leaves the stored place alone";
}

TEST_F(MenuWindowTest, ViewsSwitchAndNormalRebuildsAChangedPage) {
    const std::string path = WriteMenu("v.z9m", {MenuLine(2, "First"), MenuLine(2, "Second")});
    MenuWindow& w = Start(path);
    Click(w.TB5);
    EXPECT_EQ(w.Mode(), 1);
    EXPECT_TRUE(w.P3->isVisible());
    EXPECT_FALSE(w.P2->isVisible());
    EXPECT_EQ(w.P3->SelectedRow(), 0) << "the first row when none was remembered";
    EXPECT_EQ(w.HelpKeyword(), "Menu Edit");
    EXPECT_FALSE(w.Document().MCh()) << "showing a row changes nothing";

    w.P3->SelectRow(1);
    w.P3->Text2->setPlainText(QStringLiteral("Changed"));
    EXPECT_TRUE(w.Document().MCh());
    EXPECT_EQ(w.TL[2]->Caption(), "Second") << "the page waits for the normal view";
    Click(w.TB4);
    EXPECT_EQ(w.Mode(), 0);
    EXPECT_FALSE(w.Document().MCh());
    EXPECT_TRUE(w.Document().Dirty());
    EXPECT_EQ(w.TL[2]->Caption(), "Changed");
    EXPECT_EQ(w.HelpKeyword(), "Zorvan Main Menu");
    // Back in the edit panel, the row left is selected again.
    Click(w.TB5);
    EXPECT_EQ(w.P3->SelectedRow(), 1);

    w.TMode(2);
    EXPECT_FALSE(w.P2->isEnabled());
    EXPECT_FALSE(w.P3->isEnabled());
    w.TMode(0);
    EXPECT_TRUE(w.P2->isEnabled());
}

TEST_F(MenuWindowTest, HelpWithoutAHelpFileSaysSo) {
    const std::string path = WriteMenu("h.z9m", {});
    MenuWindow& w = Start(path);
    w.SetHelpFile("");
    Click(w.TBHelp);
    EXPECT_EQ(messages_.Texts(),
              (std::vector<std::string>{"Unable to display Help Contents. There is no Help "
                                        "associated with this project."}));
    EXPECT_EQ(messages_.Messages()[0].style, vbInformation);
}

TEST_F(MenuWindowTest, OpenAndNewGoThroughTheOpenDialogOverTheWindow) {
    const std::string first = WriteMenu("first.z9m", {MenuLine(2, "First")});
    const std::string second = WriteMenu("second.z9m", {MenuLine(2, "Second")});
    MenuWindow& w = Start(first);

    OpenDialogSeen open;
    AnswerOpenDialog(open, second, "TBOk");
    Click(w.TBOpen);
    ASSERT_TRUE(open.shown);
    EXPECT_FALSE(open.mNew);
    EXPECT_EQ(open.path.toStdString(), first);
    EXPECT_EQ(open.owner, &w);
    EXPECT_EQ(w.FFile(), second);

    // New: a path without an extension becomes a new, empty menu in a new folder.
    const fs::path made = temp_.Path() / "made" / "new";
    OpenDialogSeen create;
    AnswerOpenDialog(create, made.string(), "TBOk");
    Click(w.TBNew);
    ASSERT_TRUE(create.shown);
    EXPECT_TRUE(create.mNew);
    EXPECT_EQ(w.FFile(), made.string() + ".z9m");
    EXPECT_TRUE(fs::is_regular_file(made.string() + ".z9m"));
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{first, second}));

    // Cancel keeps the menu that is open.
    OpenDialogSeen cancelled;
    AnswerOpenDialog(cancelled, second, "TBCancel");
    Click(w.TBOpen);
    EXPECT_TRUE(cancelled.shown);
    EXPECT_EQ(w.FFile(), made.string() + ".z9m");
    EXPECT_TRUE(messages_.Texts().empty());
    EXPECT_TRUE(dialogs_.Dialogs().empty());
}

TEST_F(MenuWindowTest, OptionsStoresTheStartUpChoiceAndLeadsToTheSupportForm) {
    const std::string path = WriteMenu("o.z9m", {});
    MenuWindow& w = Start(path);
    bool shown = false;
    QString support;
    OnModal<Options>([&](Options* options) {
        shown = true;
        EXPECT_EQ(options->parentWidget(), &w);
        EXPECT_TRUE(options->Option1[2]->isChecked()) << "no choice stored: the last file";
        OnModal<Z9Support>([&](Z9Support* form) {
            support = form->objectName();
            form->close();
        });
        Click(options->findChild<VexButton*>("VexButton2"));
        QTest::mouseClick(options->Option1[3], Qt::LeftButton);
        Click(options->findChild<VexButton*>("TBOk"));
    });
    Click(w.TB6);
    EXPECT_TRUE(shown);
    EXPECT_EQ(support, QStringLiteral("Z9Support"));
    EXPECT_EQ(ReadStartOpen(), 3);

    // The next start without a menu shows the open dialog.
    OpenDialogSeen seen;
    AnswerOpenDialog(seen, "", "TBCancel");
    Start("");
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(window_->FFile(), "");
}

TEST_F(MenuWindowTest, ALogoBesideTheMenuIsFittedIntoItsBoxAndAFalseOneIgnored) {
    QImage logo(400, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    fs::create_directories(temp_.Path() / "with");
    ASSERT_TRUE(logo.save(QString::fromStdString((temp_.Path() / "with/logo.jpg").string()), "JPG"));
    temp_.Write("with/zz.bmp", "not a picture");
    const std::string with = WriteMenu("with/m.z9m", {});
    MenuWindow& w = Start(with);
    ASSERT_TRUE(w.Picture1->isVisible());
    const int boxWidth = TwX(w.LNH->x()) + 50, boxHeight = TwY(w.T1->y()) - 25;
    EXPECT_LE(TwX(w.Picture1->width()), boxWidth + 15);
    EXPECT_LE(TwY(w.Picture1->height()), boxHeight + 15);
    EXPECT_NEAR(w.Picture1->width() * 100.0 / w.Picture1->height(), 400, 10) << "its proportions kept";

    // A "picture" that is none shows nothing.
    temp_.Write("false/logo.gif", "GIF? no");
    const std::string falseLogo = WriteMenu("false/m.z9m", {});
    ASSERT_TRUE(w.FOpen(falseLogo));
    EXPECT_FALSE(w.Picture1->isVisible());
    EXPECT_TRUE(messages_.Texts().empty());
}

TEST_F(MenuWindowTest, ResizingStretchesTheLinesAndReframesTheLinks) {
    const std::string path = WriteMenu("r.z9m", {MenuLine(5, ""), MenuLine(3, "Link", "x.z9f")});
    MenuWindow& w = Start(path);
    w.resize(w.width() + 300, w.height());
    Settle();
    EXPECT_NEAR(TwX(w.TLN[1]->width()), TwX(w.P1->width()) - 240, 15);
    EXPECT_NEAR(TwY(w.LNH->height()), TwY(w.height()) - 50, 15);
    EXPECT_NEAR(TwX(w.P2->x() + w.P2->width()), TwX(w.width()) - 60, 15);
}

TEST_F(MenuWindowTest, ALoadCannotBeEnteredAgainByACommandMeanwhile) {
    const std::string other = WriteMenu("other.z9m", {MenuLine(2, "Other")});
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back(MenuLine(3, "Item " + std::to_string(i), other));
    const std::string big = WriteMenu("big.z9m", lines);
    const std::string start = WriteMenu("start.z9m", {MenuLine(3, "To big", big)});
    MenuWindow& w = Start(start);
    w.SetLoadYieldInterval(0);
    // While the big menu loads, the first link built is clicked and the window closed.
    bool clicked = false;
    QTimer::singleShot(0, &w, [&] {
        if (w.VexItem1.size() > 1 && w.Loading()) {
            clicked = true;
            w.VexItem1[1]->AccessiblePress();
            w.TB1_Click();
            w.close();
        }
    });
    ClickLink(w.VexItem1[1]);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(w.FFile(), big);
    EXPECT_EQ(w.VexItem1.size(), 301u);
    EXPECT_EQ(w.Document().History(), (std::vector<std::string>{start}));
    // The close waited for the end of the load.
    Settle(50);
    EXPECT_FALSE(w.isVisible());
}

} // namespace
} // namespace z9::test

namespace z9::test {
namespace {

// The front door: the example menu, its task links and its menu link, as
// `make run` shows them.
TEST_F(MenuWindowTest, TheExampleMenuAsAUserMeetsIt) {
    LaunchWatch watch;
    const fs::path out = watch.ReportTo(temp_.Path() / "z9sub.txt");
    SetCurrentFolder(ExamplesDir().string());
    MenuWindow& w = Start("main-menu.z9m");
    ASSERT_TRUE(started_);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // The titles and the header type themselves out.
    Settle(2500);
    EXPECT_EQ(w.VexPic1->Printed(), QStringLiteral("main-menu.z9m"));
    ASSERT_GE(w.LTitle.size(), 2u);
    EXPECT_EQ(w.LTitle[1]->Printed(), QStringLiteral("Operations"));
    const QImage shot = w.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // Set Z9_SCREENSHOT_DIR to keep the picture (the README's one is made this way).
    if (const std::string dir = EnvVar("Z9_SCREENSHOT_DIR"); !dir.empty())
        shot.save(QString::fromStdString(dir + "/z9menu-main.png"));

    // Nothing on the page overlaps the next item, and the links keep clear of the scroll bar.
    std::vector<QWidget*> items;
    for (QWidget* child : w.P1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible() && child->objectName() != QStringLiteral("DrawingSurface"))
            items.push_back(child);
    std::sort(items.begin(), items.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    for (std::size_t i = 1; i < items.size(); ++i)
        EXPECT_GE(items[i]->y(), items[i - 1]->y() + items[i - 1]->height())
            << items[i]->objectName().toStdString();
    for (std::size_t i = 1; i < w.VexItem1.size(); ++i)
        EXPECT_LE(w.VexItem1[i]->geometry().right(), w.P1->width()) << i;

    auto link = [&](const std::string& caption) -> VexItem* {
        for (std::size_t i = 1; i < w.VexItem1.size(); ++i)
            if (w.VexItem1[i]->Caption() == caption) return w.VexItem1[i];
        ADD_FAILURE() << "no link " << caption;
        return nullptr;
    };
    // A menu link and back.
    VexItem* reports = link("Reports \x96 \xDC"
                            "bersicht");
    ASSERT_TRUE(reports);
    ClickLink(reports);
    EXPECT_EQ(w.FFile(), (ExamplesDir() / "reports.z9m").string());
    Click(w.TB1);
    EXPECT_EQ(w.FFile(), (ExamplesDir() / "main-menu.z9m").string());
    EXPECT_EQ(ReadLastMenu(), w.FFile());
    // A task link starts the submitter beside the program with the task.
    VexItem* backup = link("Nightly backup (Z9SUB)");
    ASSERT_TRUE(backup);
    ClickLink(backup);
    auto report = watch.WaitForReport(out);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->args, (std::vector<std::string>{"nightly-backup.z9f"}));
    EXPECT_EQ(report->cwd, ExamplesDir().string());
    EXPECT_TRUE(messages_.Texts().empty());
}

} // namespace
} // namespace z9::test
