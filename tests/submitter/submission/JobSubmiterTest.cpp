#include "QueueFixture.h"

#include "common/P8LocaleSettings.h"
#include "common/Program.h"
#include "common/Settings.h"
#include "submitter/submission/JobQueue.h"
#include "submitter/submission/JobSubmiter.h"
#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <ctime>
#include <filesystem>

namespace z9::test {
namespace {

namespace fs = std::filesystem;

class JobSubmiterTest : public QueueTest {
protected:
    JobSubmiterTest() {
        Task() = MakeTask();
        Task().TaskFiles = {{folder_.Write("work/tools.zip", "ZIP").string(), "", "1"}};
        SetCounts(Task());
        UseLocale("en_US");
    }
    QString Text(const JobSubmiter& w, const char* name) {
        auto* label = w.findChild<QLabel*>(name);
        return label ? label->text() : QString("<no %1>").arg(name);
    }
    QPushButton* Button(const JobSubmiter& w, const char* name) { return w.findChild<QPushButton*>(name); }
    std::vector<int> Indicators(const JobSubmiter& w) {
        return {w.Indicator(0), w.Indicator(1), w.Indicator(2), w.Indicator(3)};
    }
};

TEST_F(JobSubmiterTest, ReadyWindowNamesTheTask) {
    JobSubmiter w;
    EXPECT_EQ(w.windowTitle(), "Zorvan Submitter");
    EXPECT_EQ(Text(w, "L1"), "Task Name: Backup");
    EXPECT_EQ(Text(w, "L3"), "User: ANNA");
    EXPECT_EQ(Text(w, "L2"), "Server: HOST1");
    EXPECT_EQ(Text(w, "P1_1"), "Creating Directory Structure...");
    EXPECT_EQ(Text(w, "Label1"), "Status: Ready");
    EXPECT_EQ(Text(w, "Label3"), "Submit Time: 0:00:00");
    EXPECT_EQ(Indicators(w), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_TRUE(Button(w, "Command2")->isEnabled());
    EXPECT_TRUE(Button(w, "Command1")->isEnabled());
    EXPECT_EQ(w.findChild<QLabel*>("Pic1_2")->pixmap().size(), QSize(16, 16));
    EXPECT_TRUE(w.findChild<QLabel*>("Picture1_0")->pixmap().isNull());
}

TEST_F(JobSubmiterTest, TheTasksTextsAreShownAsTextNotMarkup) {
    Task().TaskName = "<i>Backup</i>";
    Task().User = "<b>ANNA</b>";
    JobSubmiter w;
    EXPECT_EQ(Text(w, "L1"), "Task Name: <i>Backup</i>");
    for (const char* name : {"L1", "L2", "L3", "Label1", "Label3", "P1_0", "P1_3"})
        EXPECT_EQ(w.findChild<QLabel*>(name)->textFormat(), Qt::PlainText) << name;
}

TEST_F(JobSubmiterTest, SuccessfulSubmissionQueuesTheTaskOnce) {
    JobSubmiter w;
    Button(w, "Command2")->click();
    EXPECT_TRUE(TaskSubmitted());
    EXPECT_EQ(Indicators(w), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Text(w, "Label1"), "Task was submitted successfully!");
    EXPECT_TRUE(Text(w, "Label3").startsWith("Elapsed Time: 12:00:0")) << Text(w, "Label3").toStdString();
    EXPECT_FALSE(Button(w, "Command2")->isEnabled());
    EXPECT_TRUE(Button(w, "Command1")->isEnabled());
    EXPECT_TRUE(Button(w, "Command1")->isDefault());
    EXPECT_TRUE(messages_.Messages().empty());
    // Set Z9_SCREENSHOT_DIR to keep a picture of the finished window.
    if (const std::string dir = EnvVar("Z9_SCREENSHOT_DIR"); !dir.empty()) {
        w.show();
        w.grab().save(QString::fromStdString(dir + "/z9sub-submitted.png"));
    }

    auto queued = server_.Queue().QueuedTasks();
    ASSERT_EQ(queued.size(), 1u);
    std::string name = queued[0].filename().string();
    EXPECT_EQ(name.rfind("WS7-OFFICE-ANNA-Backup-", 0), 0u) << name;
    int n = std::stoi(name.substr(23));
    EXPECT_GE(n, 0);
    EXPECT_LE(n, 9998);
    TaskRecord file;
    ASSERT_TRUE(LoadTask(queued[0].string(), file, true));
    EXPECT_EQ(file.Password, HexEncode(Task().Password));
    EXPECT_EQ(Task().ServerPath, "C:\\ZorvanQueue\\");
    // Without the workstation product no profile is written.
    EXPECT_FALSE(KeyExists("Brindle\\Zorvan Workstation"));
}

TEST_F(JobSubmiterTest, ProfileIsRememberedWhenTheWorkstationProductIsThere) {
    CreateKey("Brindle\\Zorvan Workstation");
    JobSubmiter w;
    Button(w, "Command2")->click();
    ASSERT_TRUE(TaskSubmitted());
    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Workstation\\Profiles"), 0);
    std::string value = "unset";
    EXPECT_EQ(QueryValue(key, "HOST1/\\OFFICE/\\ANNA", value), 0);
    EXPECT_EQ(value, "");

    TaskRecord lower;
    lower.Server = "host1";
    lower.Domain = "office";
    lower.User = "anna";
    EXPECT_EQ(ProfileName(lower), "HOST1/\\OFFICE/\\ANNA");
}

TEST_F(JobSubmiterTest, FailedPhaseLeavesLaterPhasesEmpty) {
    server_.FolderDelay(16);
    JobSubmiter w;
    Button(w, "Command2")->click();
    EXPECT_FALSE(TaskSubmitted());
    EXPECT_EQ(Indicators(w), (std::vector<int>{0, 2, -1, -1}));
    // A screen reader hears each phase's indicator by the phase's name, and its state.
    const char* states[] = {"done", "failed", "", ""};
    for (int i = 0; i < kPhaseCount; ++i) {
        QAccessibleInterface* indicator =
            QAccessible::queryAccessibleInterface(w.findChild<QWidget*>(QString("Picture1_%1").arg(i)));
        ASSERT_NE(indicator, nullptr);
        EXPECT_EQ(indicator->text(QAccessible::Name), QString(kPhaseCaptions[i]));
        EXPECT_EQ(indicator->text(QAccessible::Description), QString(states[i])) << i;
    }
    EXPECT_EQ(Text(w, "Label1"), "Task was not submitted successfully!");
    EXPECT_FALSE(Button(w, "Command2")->isEnabled());
    EXPECT_TRUE(Button(w, "Command1")->isEnabled());
    // Interactively the phase had no message of its own and none is added.
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_TRUE(server_.Queue().QueuedTasks().empty());
    EXPECT_EQ(ErrorLog(), "");
}

TEST_F(JobSubmiterTest, NothingClosesTheWindowWhileItSubmits) {
    JobSubmiter w;
    w.show();
    int tries = 0;
    clock_.OnSleep([&](int) {
        server_.Poll();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&w, &escape);
        w.close();
        ++tries;
    });
    Button(w, "Command2")->click();
    EXPECT_GT(tries, 0);
    EXPECT_TRUE(TaskSubmitted());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Indicators(w), (std::vector<int>{0, 0, 0, 0}));
    // Once the submission is over, Close works again.
    Button(w, "Command1")->click();
    EXPECT_FALSE(w.isVisible());
}

TEST_F(JobSubmiterTest, ElapsedTimeReadsAsATimeOfDay) {
    server_.Answer(std::nullopt); // 30 seconds without an answer
    JobSubmiter w;
    Button(w, "Command2")->click();
    EXPECT_EQ(Indicators(w), (std::vector<int>{2, -1, -1, -1}));
    EXPECT_EQ(Text(w, "Label3"), "Elapsed Time: 12:00:30 AM");
    EXPECT_EQ(messages_.Texts(),
              std::vector<std::string>{"There has been no response from the Zorvan Server in "
                                       "30 seconds.\n\nPlease try again later."});
}

// On a day whose clock skipped the hour after midnight the elapsed time still reads from midnight.
TEST_F(JobSubmiterTest, ElapsedTimeOnADayWithoutMidnight) {
    server_.Answer(std::nullopt);
    {
        ScopedEnv tz("TZ", "America/Santiago");
        tzset();
        clock_.Set(std::chrono::system_clock::from_time_t(1693753200)); // 3 September 2023, 12:00 there
        JobSubmiter w;
        Button(w, "Command2")->click();
        EXPECT_EQ(Text(w, "Label3").toStdString(), "Elapsed Time: 12:00:30 AM");
    }
    tzset();
    EXPECT_EQ(messages_.Messages().size(), 1u);
}

TEST_F(JobSubmiterTest, SubmitModeNeverShowsTheWindowAndLogsOnce) {
    SetSubmitMode(true);
    server_.Answer("Denied");
    EXPECT_FALSE(ShowJobSubmiter(nullptr));
    EXPECT_TRUE(messages_.Messages().empty());
    std::string log = ErrorLog();
    size_t own = log.find(" - The password you specified is incorrect");
    size_t phase = log.find(" - Error: Following phase in submit process failed:\r\n"
                            "Creating Connection And Validating Credentials...\r\n"
                            "Task was not submitted successfully!\r\n");
    EXPECT_NE(own, std::string::npos) << log;
    EXPECT_NE(phase, std::string::npos) << log;
    EXPECT_LT(own, phase);
    EXPECT_EQ(log.find("Following phase", phase + 20), std::string::npos);
}

TEST_F(JobSubmiterTest, SubmitModeSuccessWritesNoLog) {
    SetSubmitMode(true);
    EXPECT_TRUE(ShowJobSubmiter(nullptr));
    EXPECT_EQ(ErrorLog(), "");
    EXPECT_EQ(server_.Queue().QueuedTasks().size(), 1u);
    EXPECT_TRUE(FilesContaining(folder_.Path(), kPlainPassword).empty());
}

TEST_F(JobSubmiterTest, UnexpectedErrorIsASubmitError) {
    Task().Server = "WS7";
    SetServerTaskFactory([]() -> std::unique_ptr<ServerTask> { throw RunTimeError("Class not registered"); });
    JobSubmiter w;
    Button(w, "Command2")->click();
    EXPECT_FALSE(TaskSubmitted());
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Submit Error: Class not registered"});
    EXPECT_EQ(messages_.Messages()[0].style, 16);
    EXPECT_EQ(Indicators(w), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Text(w, "Label1"), "Task was not submitted successfully!");
    EXPECT_TRUE(Button(w, "Command1")->isEnabled());
}

TEST_F(JobSubmiterTest, IndicatorImagesDiffer) {
    QImage tick = JobSubmiter::IndicatorImage(0).toImage();
    QImage arrow = JobSubmiter::IndicatorImage(1).toImage();
    QImage cross = JobSubmiter::IndicatorImage(2).toImage();
    EXPECT_NE(tick, arrow);
    EXPECT_NE(arrow, cross);
    EXPECT_NE(tick, cross);
    // Each draws something in its own colour: green, blue, red.
    auto has = [](const QImage& image, auto test) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (test(image.pixelColor(x, y))) return true;
        return false;
    };
    EXPECT_TRUE(has(tick, [](QColor c) { return c.alpha() > 200 && c.green() > 100 && c.red() < 50; }));
    EXPECT_TRUE(has(arrow, [](QColor c) { return c.alpha() > 200 && c.blue() > 200 && c.red() < 50; }));
    EXPECT_TRUE(has(cross, [](QColor c) { return c.alpha() > 200 && c.red() > 150 && c.green() < 50; }));
}

} // namespace
} // namespace z9::test
