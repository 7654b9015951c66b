#include "submitter/app/Form1.h"

#include "common/Desktop.h"
#include "common/Dialogs.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "common/Twips.h"
#include "submitter/base/ReportError.h"
#include "submitter/base/SubmitterKeys.h"
#include "submitter/fields/P8DT.h"
#include "submitter/fields/VexField.h"
#include "submitter/fields/VexFieldSplitter.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/TestSupport.h"

#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

using namespace z9;
using z9::test::MessageRecorder;
using z9::test::TempFolder;

namespace {

StepRecord Step(std::string name, std::string execute) {
    StepRecord s;
    s.StepName = std::move(name);
    s.Execute = std::move(execute);
    return s;
}

EnvironRecord Env(std::string step, std::string variable, std::string type, std::string value = "",
                  std::string min = "", std::string max = "") {
    EnvironRecord r;
    r.Step = std::move(step);
    r.Variable = std::move(variable);
    r.Caption = r.Variable + " caption";
    r.Type = std::move(type);
    r.Value = std::move(value);
    r.Min = std::move(min);
    r.Max = std::move(max);
    return r;
}

std::string Save(const TempFolder& tmp, TaskRecord t, const std::string& name = "task.z9f") {
    t.NumberSteps = std::to_string(t.Steps.size());
    t.NumberTaskFiles = std::to_string(t.TaskFiles.size());
    t.NumberEnviron = std::to_string(t.Environs.size());
    std::string path = (tmp.Path() / name).string();
    EXPECT_TRUE(SaveTask(path, t, true)) << LastTaskError();
    return path;
}

// Build 1, Protected 5 (a record), Hidden 4 (a record), an unnamed fixed step without records.
TaskRecord SampleTask() {
    TaskRecord t;
    t.TaskName = "Nightly";
    t.Steps = {Step("Build", "1"), Step("Protected", "5"), Step("Hidden", "4"), Step("", "3")};
    t.Environs = {Env("1", "OUT", "0", "C:\\out", "0", "40"), Env("1", "DEBUG", "5", "no", "no", "yes"),
                  Env("2", "KEY", "0", "k"), Env("3", "NEVER", "0", "n")};
    return t;
}

struct Fixture {
    TempFolder tmp;
    MessageRecorder messages;
};

bool Shown(QWidget* w) {
    return !w->isHidden();
}

// The window's controls, found by their names as tools and assistive technology find them.
template <class T> T* Control(const QWidget& form, const QString& name) {
    T* control = form.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

// The elements of a control array, the hidden template 0 included.
size_t Count(const QWidget& form, const QString& array) {
    size_t n = 0;
    while (form.findChild<QWidget*>(array + "_" + QString::number(n)))
        ++n;
    return n;
}

VexField* TF1(const QWidget& form, size_t i) {
    return Control<VexField>(form, "TF1_" + QString::number(i));
}

VexFieldSplitter* TFS1(const QWidget& form, size_t i) {
    return Control<VexFieldSplitter>(form, "TFS1_" + QString::number(i));
}

// Closes the modal submit window as soon as it is up, and counts it.
struct SubmitWindowCloser {
    int seen = 0;
    QTimer timer;
    SubmitWindowCloser() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++seen;
                modal->close();
            }
        });
        timer.start(20);
    }
};

} // namespace

TEST(Form1, BuildsOneHeaderPerShownStepAndOneEditorPerRecord) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    Form1 form;
    ASSERT_TRUE(form.Form_Load("\"" + path + "\""));
    EXPECT_TRUE(f.messages.Texts().empty());

    ASSERT_EQ(Count(form, "TFS1"), 3u); // Build, Protected
    EXPECT_EQ(TFS1(form, 1)->Caption(), "Build");
    EXPECT_EQ(TFS1(form, 1)->Check(), 0);
    EXPECT_EQ(TFS1(form, 2)->Caption(), "Protected");
    EXPECT_EQ(TFS1(form, 2)->Check(), 0);
    ASSERT_EQ(Count(form, "TF1"), 4u); // Hidden's record gets none
    EXPECT_EQ(TF1(form, 1)->objectName(), "TF1_1");
    EXPECT_TRUE(Shown(TF1(form, 1)));
    EXPECT_TRUE(Shown(TF1(form, 2)));
    EXPECT_FALSE(Shown(TF1(form, 3))); // protected step: editor hidden
    EXPECT_FALSE(Shown(TF1(form, 0)));
    EXPECT_EQ(TF1(form, 1)->T1()->text(), "C:\\out");

    EXPECT_EQ(Control<QLabel>(form, "Label1")->text(), "Task Name: Nightly");
    EXPECT_EQ(Control<QLabel>(form, "Label2")->text(), "Environment Fields: 3");
    EXPECT_EQ(form.windowTitle().toStdString(), form.WindowTitleText() + " - Nightly (" + path + ")");
    EXPECT_TRUE(form.WindowTitleText().starts_with("Zorvan Submitter "));
    EXPECT_FALSE(Shown(Control<QLabel>(form, "Label3")));
    EXPECT_FALSE(Shown(Control<QWidget>(form, "SchPic")));
    for (const char* name : {"Tpic1",    "Tpic2",    "Label1",   "Label2",   "Label3", "P1",       "P2",
                             "VS1",      "SchPic",   "Label16",  "P8DT1",    "P8DT2",  "Command1", "Command2",
                             "Command3", "VexLine1", "VexLine2", "VexLine3", "TFS1_0", "TF1_0",    "TL1_0"})
        EXPECT_NE(form.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(Control<QPushButton>(form, "Command1")->text(), "&Submit Task");
    EXPECT_EQ(Control<QPushButton>(form, "Command2")->text(), "&Exit");
    EXPECT_EQ(Control<QPushButton>(form, "Command3")->text(), "<< Now >>");
    EXPECT_EQ(form.HelpFile(), ProgramFolder() + PathSeparator() + "Z9SUB.HLP");
    EXPECT_EQ(Control<QLabel>(form, "Label1")->font().family(), "Times New Roman");
    EXPECT_TRUE(Control<QLabel>(form, "Label1")->font().bold());
    EXPECT_EQ(Control<QPushButton>(form, "Command1")->font().family(), "Tahoma");

    // Every start takes over the association of task files.
    RegKey type;
    ASSERT_EQ(type.Open(RegRoot::ClassesRoot, ".Z9F"), 0);
    RegValue cls;
    ASSERT_EQ(type.Query("", cls), 0);
    EXPECT_EQ(cls.Text(), "Zorvan File");
}

TEST(Form1, TickingAStepHeaderChangesExecuteAndItsEditors) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const int shownTop = TF1(form, 2)->y();

    QTest::mouseClick(TFS1(form, 1)->Check1(), Qt::LeftButton);
    EXPECT_EQ(Task().Steps[0].Execute, "2");
    EXPECT_FALSE(Shown(TF1(form, 1)));
    EXPECT_FALSE(Shown(TF1(form, 2)));
    // The protected step's header moved up into the freed room.
    const int headerTop = TFS1(form, 2)->y();
    QTest::mouseClick(TFS1(form, 1)->Check1(), Qt::LeftButton);
    EXPECT_EQ(Task().Steps[0].Execute, "1");
    EXPECT_TRUE(Shown(TF1(form, 1)));
    EXPECT_TRUE(Shown(TF1(form, 2)));
    EXPECT_EQ(TF1(form, 2)->y(), shownTop);
    EXPECT_GT(TFS1(form, 2)->y(), headerTop);

    // Protection survives: 5 -> 6 -> 5, and its editors stay hidden throughout.
    QTest::mouseClick(TFS1(form, 2)->Check1(), Qt::LeftButton);
    EXPECT_EQ(Task().Steps[1].Execute, "6");
    EXPECT_FALSE(Shown(TF1(form, 3)));
    QTest::mouseClick(TFS1(form, 2)->Check1(), Qt::LeftButton);
    EXPECT_EQ(Task().Steps[1].Execute, "5");
    EXPECT_FALSE(Shown(TF1(form, 3)));
}

// A screen reader toggles the box without a click: the task and the editors
// must follow the box all the same.
TEST(Form1, AStepToggledByAnAssistiveToolChangesExecuteAndItsEditors) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* build = form.findChild<VexFieldSplitter*>("TFS1_1");
    auto* out = form.findChild<QWidget*>("TF1_1");
    ASSERT_TRUE(build && out);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(build->Check1());
    ASSERT_TRUE(box && box->actionInterface());

    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(build->Check1()->isChecked());
    EXPECT_EQ(Task().Steps[0].Execute, "2");
    EXPECT_FALSE(Shown(out));
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(Task().Steps[0].Execute, "1");
    EXPECT_TRUE(Shown(out));
}

TEST(Form1, TheTasksTextsAreShownAsTextNotMarkup) {
    Fixture f;
    TaskRecord t = SampleTask();
    t.TaskName = "Nightly <b>run</b>";
    t.Steps[0].StepName = "Copy <i>new</i> files";
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    for (const char* name : {"Label1", "Label2", "Label3", "Label16"})
        EXPECT_EQ(form.findChild<QLabel*>(name)->textFormat(), Qt::PlainText) << name;
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(), "Task Name: Nightly <b>run</b>");
    auto* header = form.findChild<VexFieldSplitter*>("TFS1_1");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Label1()->textFormat(), Qt::PlainText);
    EXPECT_EQ(header->Label1()->text(), "Copy <i>new</i> files");
}

TEST(Form1, EditingAFieldWritesTheRecordAtOnce) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QLineEdit* edit = TF1(form, 1)->T1();
    edit->selectAll();
    QTest::keyClicks(edit, "D:\\new");
    EXPECT_EQ(Task().Environs[0].Value, "D:\\new");
    QCheckBox* box = TF1(form, 2)->Ch1();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_EQ(Task().Environs[1].Value, "yes");
    EXPECT_TRUE(f.messages.Texts().empty());
}

TEST(Form1, AnInvalidFieldKeepsTheFocus) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QLineEdit* edit = TF1(form, 1)->T1();
    edit->setFocus();
    edit->setText(QString(41, 'x')); // longer than MAX 40
    Control<QPushButton>(form, "Command2")->setFocus();
    ASSERT_EQ(f.messages.Texts().size(), 1u);
    EXPECT_TRUE(f.messages.Texts()[0].starts_with("Current value does not fit into the current scope."));
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST(Form1, AssignmentsReachTheEditors) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path + " Z9EnvVar: 1-OUT=/tmp/x Z9EnvVar: 1-DEBUG=checked"));
    EXPECT_EQ(TF1(form, 1)->T1()->text(), "/tmp/x");
    EXPECT_TRUE(TF1(form, 2)->Ch1()->isChecked());
    EXPECT_EQ(Task().Environs[1].Format, "True");
}

TEST(Form1, NothingToShowGivesLabel3) {
    Fixture f;
    TaskRecord t;
    t.TaskName = "Plain";
    t.Steps = {Step("", "3")};
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(Shown(Control<QLabel>(form, "Label3")));
    EXPECT_FALSE(Shown(Control<QWidget>(form, "P1")));
    EXPECT_FALSE(Shown(Control<QScrollBar>(form, "VS1")));
    EXPECT_EQ(Control<QLabel>(form, "Label2")->text(), "Environment Fields: 0");
    EXPECT_EQ(Control<QLabel>(form, "Label3")->text(), "This Task Does Not Contain Any Environment Fields!");
}

TEST(Form1, ScrollBarOnlyWhenTheCanvasIsTallerThanTheViewport) {
    Fixture f;
    {
        std::string path = Save(f.tmp, SampleTask(), "small.z9f");
        Form1 form;
        ASSERT_TRUE(form.Form_Load(path));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_FALSE(Shown(Control<QScrollBar>(form, "VS1")));
        EXPECT_EQ(Control<QWidget>(form, "P1")->y(), 0);
        EXPECT_EQ(Control<QWidget>(form, "P1")->width(), Control<QWidget>(form, "P2")->width());
    }
    TaskRecord t = SampleTask();
    for (int i = 0; i < 300; ++i)
        t.Environs.push_back(Env("1", "V" + std::to_string(i), "0", "v"));
    std::string path = Save(f.tmp, t, "big.z9f");
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_TRUE(Shown(Control<QScrollBar>(form, "VS1")));
    EXPECT_GT(Control<QWidget>(form, "P1")->height(), Control<QWidget>(form, "P2")->height());
    EXPECT_EQ(Control<QWidget>(form, "P1")->width(),
              Control<QWidget>(form, "P2")->width() - Control<QScrollBar>(form, "VS1")->width());
    EXPECT_EQ(Control<QScrollBar>(form, "VS1")->x() + Control<QScrollBar>(form, "VS1")->width(),
              Control<QWidget>(form, "P2")->width());
    // The window is as tall as the screen allows (85 %).
    const int screenTwips = PixelsToTwipsY(QGuiApplication::primaryScreen()->geometry().height());
    EXPECT_NEAR(form.CurrentPlacement().height, screenTwips * 85 / 100, 30);

    // Scrolling to the end shows the canvas's bottom at the viewport's bottom (plus the margin).
    Control<QScrollBar>(form, "VS1")->setValue(Control<QScrollBar>(form, "VS1")->maximum());
    const int bottom = Control<QWidget>(form, "P1")->y() + Control<QWidget>(form, "P1")->height();
    EXPECT_LE(bottom, Control<QWidget>(form, "P2")->height());
    EXPECT_GE(bottom, Control<QWidget>(form, "P2")->height() - TwipsToPixelsY(100) - 3);
    Control<QScrollBar>(form, "VS1")->setValue(0);
    EXPECT_EQ(Control<QWidget>(form, "P1")->y(), 0);

    // Shrinking the content (all editors off) hides the bar again.
    QTest::mouseClick(TFS1(form, 1)->Check1(), Qt::LeftButton);
    EXPECT_FALSE(Shown(Control<QScrollBar>(form, "VS1")));
    EXPECT_EQ(Control<QWidget>(form, "P1")->y(), 0);
}

TEST(Form1, SchedulingPanel) {
    Fixture f;
    TaskRecord t = SampleTask();
    t.Reserved1 = "1";
    t.ScheduledTime = "2031-05-06 07:08:09";
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    ASSERT_TRUE(form.Scheduling());
    EXPECT_TRUE(Shown(Control<QWidget>(form, "SchPic")));
    EXPECT_EQ(TFS1(form, 1)->Caption(), "Nightly");
    EXPECT_EQ(TFS1(form, 1)->Check(), 2);
    EXPECT_GT(Control<QWidget>(form, "SchPic")->y(), TFS1(form, 1)->y());
    EXPECT_LT(Control<QWidget>(form, "SchPic")->y(), TFS1(form, 2)->y());
    EXPECT_EQ(Control<P8DT>(form, "P8DT2")->Value().Year, 2031);
    EXPECT_EQ(Control<P8DT>(form, "P8DT1")->Value().Minute, 8);

    // A time the user chose survives ticking a step off and on.
    Control<P8DT>(form, "P8DT2")->SetValue(DateTime{2032, 1, 2});
    Control<P8DT>(form, "P8DT1")->SetValue(DateTime{1899, 12, 30, 22, 15, 0});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(TFS1(form, 2)->Check1(), Qt::LeftButton);
    EXPECT_EQ(Task().Steps[0].Execute, "2");
    QTest::mouseClick(TFS1(form, 2)->Check1(), Qt::LeftButton);
    EXPECT_EQ(Task().Steps[0].Execute, "1");
    EXPECT_EQ(Control<P8DT>(form, "P8DT2")->Value().Year, 2032);
    EXPECT_EQ(Control<P8DT>(form, "P8DT1")->Value().Hour, 22);
    EXPECT_EQ(Control<P8DT>(form, "P8DT1")->Value().Minute, 15);

    // Submit takes the time from the panel even when nothing else comes of it.
    for (StepRecord& s : Task().Steps)
        s.Execute = "2";
    EXPECT_FALSE(form.Command1_Click());
    EXPECT_EQ(Task().ScheduledTime, "2032-01-02 22:15:00");
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"There are no steps to execute.\n\nPlease mark at "
                                                           "least one step to execute."});
}

TEST(Form1, SubmitChecksFieldsFirstAndKeepsPlainPasswords) {
    Fixture f;
    TaskRecord t = SampleTask();
    EnvironRecord pw = Env("1", "PW", "0", "", "", "");
    pw.Format = "*";
    pw.Value = ScrambleValue("secret");
    t.Environs.push_back(pw);
    t.Environs.push_back(Env("1", "N", "1", "5", "1", "10"));
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    EXPECT_EQ(Task().Environs[4].Value, "secret");
    Task().Environs[5].Value = "50";
    EXPECT_FALSE(form.Command1_Click());
    ASSERT_EQ(f.messages.Texts().size(), 1u);
    EXPECT_TRUE(f.messages.Texts()[0].starts_with("Current value does not fit into the current scope."));
    Task().Environs[5].Value = "5";
    SubmitWindowCloser closer;
    // The checks pass: the submit window opens, and closing it unsent keeps the main window.
    EXPECT_FALSE(form.Command1_Click());
    EXPECT_EQ(closer.seen, 1);
    EXPECT_EQ(Task().Environs[4].Value, "secret");
    EXPECT_EQ(f.messages.Texts().size(), 1u);
}

TEST(Form1, MissingTaskFilesAreLookedForBesideTheTask) {
    Fixture f;
    TaskRecord t = SampleTask();
    f.tmp.Write("here.txt", "x");
    TaskFileRecord beside, gone;
    beside.LocalPath = "C:\\elsewhere\\here.txt";
    gone.LocalPath = "C:\\elsewhere\\gone.txt";
    t.TaskFiles = {beside, gone};
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    EXPECT_EQ(Task().TaskFiles[0].LocalPath, (f.tmp.Path() / "here.txt").string());
    ASSERT_EQ(f.messages.Messages().size(), 1u);
    EXPECT_EQ(f.messages.Messages()[0].text,
              "The Following Files Don't Exist And Were Removed From Task Files: \n\n     gone.txt\n");
    EXPECT_EQ(f.messages.Messages()[0].style, 48);
}

TEST(Form1, AccountAndRecentFiles) {
    Fixture f;
    ::setenv("Z9_NETBIOS_NAME", "ws7", 1);
    CreateKey(kWorkstationKey);
    TaskRecord t = SampleTask();
    t.User = "$localuser$";
    t.Domain = "$locals$";
    t.Server = "somewhere";
    t.Password = "414243";
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    ::unsetenv("Z9_NETBIOS_NAME");
    EXPECT_EQ(Task().User, "$LOCALUSER$");
    EXPECT_EQ(Task().Server, "WS7");
    EXPECT_EQ(Task().Password, "ABC");
    RegKey recent;
    ASSERT_EQ(recent.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Workstation\\Recent"), 0);
    RegValue when;
    ASSERT_EQ(recent.Query(path, when), 0);
    EXPECT_EQ(when.Text().size(), 19u);
    EXPECT_EQ(when.Text()[4], '-');
}

TEST(Form1, HelpAndTheOpenFileDialog) {
    Fixture f;
    {
        // A person at the screen reads the help in a box.
        struct Attended : DesktopBackend {
            bool PersonCanAnswer() override { return true; }
            bool PushBusyCursor() override { return false; }
            void PopBusyCursor() override {}
        } attended;
        DesktopBackend* previous = Desktop::Install(&attended);
        Form1 form;
        testing::internal::CaptureStdout();
        EXPECT_FALSE(form.Form_Load("  /?  "));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        Desktop::Install(previous);
        EXPECT_EQ(form.ExitCode(), 0);
        ASSERT_EQ(f.messages.Messages().size(), 1u);
        EXPECT_EQ(f.messages.Messages()[0].style, 64);
        EXPECT_TRUE(f.messages.Messages()[0].text.starts_with("Command Line Format: Z9Sub"));
    }
    {
        // Nobody could close a box (the tests' offscreen screen): the help goes to the terminal.
        Form1 form;
        testing::internal::CaptureStdout();
        EXPECT_FALSE(form.Form_Load("-h"));
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(form.ExitCode(), 0);
        EXPECT_EQ(f.messages.Messages().size(), 1u);
        EXPECT_TRUE(printed.starts_with("Command Line Format: Z9Sub")) << printed;
    }
    std::vector<OpenFileRequest> asked;
    std::string answer;
    OpenFileHandler previous = SetOpenFileHandler([&](const OpenFileRequest& r) {
        asked.push_back(r);
        return OpenFileAnswer{!answer.empty(), answer, ""};
    });
    {
        Form1 form;
        EXPECT_FALSE(form.Form_Load(""));
        EXPECT_EQ(form.ExitCode(), 0);
    }
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Zorvan Submitter - Select Zorvan File");
    ASSERT_EQ(asked[0].filters.size(), 1u);
    EXPECT_EQ(asked[0].filters[0], (FileFilter{"Zorvan Files (*.z9f)", "*.z9f"}));
    EXPECT_EQ(f.messages.Messages().size(), 1u); // a cancelled dialog says nothing

    answer = Save(f.tmp, SampleTask(), "my task.z9f");
    {
        Form1 form;
        EXPECT_TRUE(form.Form_Load(""));
        EXPECT_EQ(Control<QLabel>(form, "Label1")->text(), "Task Name: Nightly");
    }
    // A chosen path is never read for the switch: " /s" inside it stays.
    std::filesystem::create_directories(f.tmp.Path() / "old tasks " / "sub");
    answer = Save(f.tmp, SampleTask(), "old tasks /sub/a.z9f");
    {
        Form1 form;
        EXPECT_TRUE(form.Form_Load(""));
        EXPECT_FALSE(SubmitMode());
        EXPECT_EQ(Control<QLabel>(form, "Label1")->text(), "Task Name: Nightly");
    }
    EXPECT_EQ(f.messages.Messages().size(), 1u);
    SetOpenFileHandler(previous);
}

TEST(Form1, LoadFailureIsReportedAndEndsTheProgram) {
    Fixture f;
    f.tmp.Write("broken.z9f", "not a task\r\n");
    std::string path = (f.tmp.Path() / "broken.z9f").string();
    Form1 form;
    EXPECT_FALSE(form.Form_Load(path));
    EXPECT_NE(form.ExitCode(), 0);
    TaskRecord scratch;
    ASSERT_FALSE(LoadTask(path, scratch, true));
    ASSERT_EQ(f.messages.Messages().size(), 1u);
    EXPECT_EQ(f.messages.Messages()[0].text, LastTaskError());
    EXPECT_EQ(f.messages.Messages()[0].style, 16);
}

TEST(Form1, InconsistentRecordsEndTheProgram) {
    Fixture f;
    TaskRecord t = SampleTask();
    t.Environs.push_back(Env("1", "BAD", ""));
    std::string path = Save(f.tmp, t);
    Form1 form;
    EXPECT_FALSE(form.Form_Load(path));
    EXPECT_NE(form.ExitCode(), 0);
    EXPECT_EQ(f.messages.Texts(), (std::vector<std::string>{
                                      "Type of field required.",
                                      "The environment variables in task are entered incorrectly.\n\nPlease "
                                      "notify system administrator.\n\nZorvan program cannot continue."}));
}

TEST(Form1, PlacementIsPulledOntoTheScreenAndSavedOnlyWhenNormal) {
    Fixture f;
    std::string path = Save(f.tmp, SampleTask());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int screenW = PixelsToTwipsX(screen.width()), screenH = PixelsToTwipsY(screen.height());
    SavePlacement({screenW + 5000, screenH + 5000, 9000, 7000});
    {
        Form1 form;
        ASSERT_TRUE(form.Form_Load(path));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        Placement p = form.CurrentPlacement();
        EXPECT_NEAR(p.left + p.width, screenW, 20);
        EXPECT_NEAR(p.top + p.height, screenH, 20);
        EXPECT_NEAR(p.width, 9000, 20);
        EXPECT_GE(form.minimumWidth(), TwipsToPixelsX(6700));
        form.showMaximized();
        QTest::qWait(20);
        form.Command2_Click();
    }
    EXPECT_EQ(ReadPlacement(), (Placement{screenW + 5000, screenH + 5000, 9000, 7000}));

    SavePlacement({-3000, -100, 8000, 7000});
    Placement shown;
    {
        Form1 form;
        ASSERT_TRUE(form.Form_Load(path));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        shown = form.CurrentPlacement();
        EXPECT_EQ(shown.left, 0);
        EXPECT_EQ(shown.top, 0);
        form.Command2_Click();
    }
    EXPECT_EQ(ReadPlacement(), shown);
    EXPECT_EQ(AppKey(), kMenuAppKey);
}

TEST(Form1, OpensEveryExampleTask) {
    Fixture f;
    SetCurrentFolder(z9::test::ExamplesDir().string()); // the combo list file is named relative to it
    int opened = 0, refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(z9::test::ExamplesDir())) {
        if (entry.path().extension() != ".z9f") continue;
        const std::string path = entry.path().string();
        const bool broken = entry.path().filename().string().starts_with("broken-");
        f.messages.Clear();
        Task() = TaskRecord{};
        Form1 form;
        EXPECT_EQ(form.Form_Load(path), !broken) << path;
        if (broken) {
            ++refused;
            TaskRecord scratch;
            ASSERT_FALSE(LoadTask(path, scratch, true));
            EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{LastTaskError()}) << path;
        } else {
            ++opened;
            EXPECT_TRUE(f.messages.Texts().empty()) << path << ": " << f.messages.Texts().front();
            EXPECT_GT(Count(form, "TFS1"), 1u) << path;
        }
    }
    EXPECT_GE(opened, 4);
    EXPECT_GE(refused, 10);
}

TEST(Form1, LooksRightWithTheBackupExample) {
    Fixture f;
    SetCurrentFolder(z9::test::ExamplesDir().string());
    Form1 form;
    ASSERT_TRUE(form.Form_Load((z9::test::ExamplesDir() / "nightly-backup.z9f").string()));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QImage shot = form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // Set Z9_SCREENSHOT_DIR to keep the picture (the README's one is made this way).
    const std::string dir = EnvVar("Z9_SCREENSHOT_DIR");
    if (!dir.empty()) shot.save(QString::fromStdString(dir + "/z9sub-main.png"));

    // The controls lie inside the window and do not overlap each other.
    const QRect window = form.rect();
    for (const char* name : {"Command1", "Command2", "P2"}) {
        QWidget* w = Control<QWidget>(form, name);
        EXPECT_TRUE(window.contains(QRect(w->mapTo(&form, QPoint(0, 0)), w->size()))) << name;
    }
    EXPECT_LT(Control<QPushButton>(form, "Command1")->geometry().right(),
              Control<QPushButton>(form, "Command2")->geometry().left());
    for (size_t i = 2; i < Count(form, "TF1"); ++i) {
        if (Shown(TF1(form, i)) && Shown(TF1(form, i - 1))) {
            EXPECT_GE(TF1(form, i)->y(), TF1(form, i - 1)->y() + TF1(form, i - 1)->height()) << i;
        }
    }
    // Rows end before the scroll bar.
    for (size_t i = 1; i < Count(form, "TF1"); ++i)
        EXPECT_LE(TF1(form, i)->geometry().right(), Control<QWidget>(form, "P1")->width()) << i;
}

TEST(Form1, TheFocusBringsAFieldIntoView) {
    Fixture f;
    TaskRecord t = SampleTask();
    for (int i = 0; i < 100; ++i)
        t.Environs.push_back(Env("1", "V" + std::to_string(i), "0", "v"));
    Form1 form;
    ASSERT_TRUE(form.Form_Load(Save(f.tmp, t)));
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_TRUE(Shown(Control<QScrollBar>(form, "VS1")));
    QLineEdit* last = TF1(form, Count(form, "TF1") - 1)->T1();
    last->setFocus();
    const int top = last->mapTo(Control<QWidget>(form, "P2"), QPoint(0, 0)).y();
    EXPECT_GE(top, 0);
    EXPECT_LE(top + last->height(), Control<QWidget>(form, "P2")->height());
    QLineEdit* first = TF1(form, 1)->T1();
    first->setFocus();
    EXPECT_GE(first->mapTo(Control<QWidget>(form, "P2"), QPoint(0, 0)).y(), 0);
    EXPECT_TRUE(f.messages.Texts().empty());
}

TEST(Form1, HelpWithoutAHelpFile) {
    Fixture f;
    Form1 form;
    ASSERT_TRUE(form.Form_Load(Save(f.tmp, SampleTask())));
    ASSERT_FALSE(std::filesystem::exists(form.HelpFile()));
    QTest::keyClick(TF1(form, 1)->T1(), Qt::Key_F1);
    EXPECT_EQ(f.messages.Texts(),
              std::vector<std::string>{"Unable to display Help Contents. There is no Help "
                                       "associated with this project."});
}

TEST(Form1, EveryControlSpeaksToAScreenReader) {
    Fixture f;
    TaskRecord t = SampleTask();
    t.Reserved1 = "1"; // the scheduling boxes are shown
    t.Environs.push_back(Env("1", "MODE", "6", "", "0", "Daily\nWeekly"));
    std::string path = Save(f.tmp, t);
    Form1 form;
    ASSERT_TRUE(form.Form_Load(path));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto speaker = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w); };

    EXPECT_EQ(speaker(&form)->role(), QAccessible::Window);
    EXPECT_TRUE(speaker(&form)->text(QAccessible::Name).startsWith("Zorvan Submitter"));

    // Whatever a user can operate has a name.
    int operable = 0;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const bool interactive = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w);
        if (!interactive || !w->isVisibleTo(&form)) continue;
        ++operable;
        EXPECT_FALSE(speaker(w)->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_GT(operable, 10);

    // A step's box says which step it runs.
    EXPECT_EQ(speaker(TFS1(form, 2)->Check1())->text(QAccessible::Name), "Execute Build");
    // A combo box is its caption; its item is its value.
    QComboBox* combo = Control<QComboBox>(*TF1(form, 3), "C1");
    EXPECT_EQ(speaker(combo)->text(QAccessible::Name), "MODE caption");
    EXPECT_EQ(speaker(combo)->text(QAccessible::Value), "Daily");

    // The scheduling boxes are named, and their spin bars step up on increase.
    P8DT* date = Control<P8DT>(form, "P8DT2");
    EXPECT_EQ(speaker(date->TxT1())->text(QAccessible::Name), "Scheduled date");
    EXPECT_EQ(speaker(Control<P8DT>(form, "P8DT1")->TxT1())->text(QAccessible::Name), "Scheduled time");
    QAccessibleInterface* spin = speaker(date->P8Inc());
    EXPECT_EQ(spin->text(QAccessible::Name), "Scheduled date");
    ASSERT_NE(spin->actionInterface(), nullptr);
    date->SetValue(DateTime{2031, 5, 6});
    date->TxT1()->setCursorPosition(date->TxT1()->text().size()); // in the year
    spin->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(date->Value().Year, 2032);
    spin->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    spin->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(date->Value().Year, 2030);
}

namespace {

// The objects behind the interfaces that `of` reports in `relation`.
std::vector<QObject*> Related(QObject* of, QAccessible::Relation relation) {
    std::vector<QObject*> objects;
    for (const auto& [other, kind] : QAccessible::queryAccessibleInterface(of)->relations(relation))
        if (kind & relation) objects.push_back(other->object());
    return objects;
}

} // namespace

TEST(Form1, EveryEditorIsRelatedToItsCaptionForAScreenReader) {
    Fixture f;
    // The backup example (every field type, the scheduling boxes) with a caption
    // holding '&', and the example with two password fields.
    TaskRecord backup;
    ASSERT_TRUE(LoadTask((test::ExamplesDir() / "nightly-backup.z9f").string(), backup, true));
    ASSERT_EQ(backup.Environs[2].Caption, "Tape drive");
    backup.Environs[2].Caption = "Tape & drive";
    std::filesystem::copy_file(test::ExamplesDir() / "databases.txt", f.tmp.Path() / "databases.txt");
    const std::string backupPath = Save(f.tmp, backup, "backup.z9f");
    const std::string passwordsPath = (test::ExamplesDir() / "ftp-upload-passwords.z9f").string();

    std::set<int> kinds;
    int masked = 0;
    for (const std::string& path : {backupPath, passwordsPath}) {
        Form1 form;
        ASSERT_TRUE(form.Form_Load("\"" + path + "\"")) << path;
        for (size_t i = 1; i < Count(form, "TF1"); ++i) {
            VexField* field = TF1(form, i);
            QLabel* caption = field->L1();
            SCOPED_TRACE(field->GetFieldDef()[fdCaption]);
            kinds.insert(field->FieldType());
            if (field->FieldType() == ftCheck) {
                // A check box carries its caption itself; the empty label captions nothing.
                EXPECT_EQ(QAccessible::queryAccessibleInterface(field->Ch1())->text(QAccessible::Name),
                          QString::fromStdString(field->GetFieldDef()[fdCaption]));
                EXPECT_TRUE(Related(field->Ch1(), QAccessible::Label).empty());
                EXPECT_TRUE(Related(caption, QAccessible::Labelled).empty());
                continue;
            }
            QWidget* editor =
                field->FieldType() == ftCombo ? static_cast<QWidget*>(field->C1()) : field->T1();
            EXPECT_EQ(Related(editor, QAccessible::Label), std::vector<QObject*>{caption});
            EXPECT_EQ(Related(caption, QAccessible::Labelled), std::vector<QObject*>{editor});
            QAccessibleInterface* label = QAccessible::queryAccessibleInterface(caption);
            EXPECT_EQ(label->role(), QAccessible::StaticText);
            EXPECT_EQ(label->text(QAccessible::Name), caption->text());
            EXPECT_EQ(QAccessible::queryAccessibleInterface(editor)->text(QAccessible::Name),
                      caption->text());
            if (field->FieldType() == ftCombo) continue;

            // The text box still offers its text, caret and editing.
            QAccessibleInterface* box = QAccessible::queryAccessibleInterface(editor);
            EXPECT_EQ(box->role(), QAccessible::EditableText);
            ASSERT_NE(box->textInterface(), nullptr);
            ASSERT_NE(box->editableTextInterface(), nullptr);
            const QString value = field->T1()->text();
            EXPECT_EQ(box->textInterface()->characterCount(), value.size());
            if (field->T1()->echoMode() == QLineEdit::Normal) {
                EXPECT_FALSE(box->state().passwordEdit);
                EXPECT_EQ(box->text(QAccessible::Value), value);
                EXPECT_EQ(box->textInterface()->text(0, value.size()), value);
                box->editableTextInterface()->insertText(0, "x");
                EXPECT_EQ(field->T1()->text(), "x" + value);
                box->editableTextInterface()->deleteText(0, 1);
                EXPECT_EQ(field->T1()->text(), value);
            } else {
                // A password is read as its mask, never as itself.
                ++masked;
                ASSERT_FALSE(value.isEmpty());
                EXPECT_TRUE(box->state().passwordEdit);
                EXPECT_EQ(box->text(QAccessible::Value), field->T1()->displayText());
                EXPECT_NE(box->text(QAccessible::Value), value);
                EXPECT_TRUE(box->textInterface()->text(0, value.size()).isEmpty());
                int start = 0, end = 0;
                EXPECT_TRUE(
                    box->textInterface()->textAtOffset(0, QAccessible::WordBoundary, &start, &end).isEmpty());
            }
        }
        if (path != backupPath) continue;

        // The caption with '&' shows it as it is.
        EXPECT_EQ(TF1(form, 3)->L1()->text(), "Tape & drive");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(TF1(form, 3)->L1())->text(QAccessible::Name),
                  "Tape & drive");
        // "Scheduled Time:" captions both scheduling boxes, their text and their spin bar.
        ASSERT_TRUE(form.Scheduling());
        QLabel* scheduled = Control<QLabel>(form, "Label16");
        std::vector<QObject*> parts;
        for (const char* name : {"P8DT2", "P8DT1"}) {
            P8DT* box = Control<P8DT>(form, name);
            for (QWidget* part : {static_cast<QWidget*>(box->TxT1()), static_cast<QWidget*>(box->P8Inc())}) {
                EXPECT_EQ(Related(part, QAccessible::Label), std::vector<QObject*>{scheduled}) << name;
                parts.push_back(part);
            }
        }
        EXPECT_EQ(Related(scheduled, QAccessible::Labelled), parts);
        // The date box stays read-only for a screen reader too.
        QAccessibleInterface* date =
            QAccessible::queryAccessibleInterface(Control<P8DT>(form, "P8DT2")->TxT1());
        EXPECT_TRUE(date->state().readOnly);
        const QString shown = Control<P8DT>(form, "P8DT2")->TxT1()->text();
        date->editableTextInterface()->insertText(0, "9");
        EXPECT_EQ(Control<P8DT>(form, "P8DT2")->TxT1()->text(), shown);
    }
    EXPECT_EQ(kinds, (std::set<int>{ftText, ftNumber, ftFile, ftDate, ftTime, ftCheck, ftCombo, ftFolder}));
    EXPECT_EQ(masked, 2);
}
