#include "submitter/app/OpenTask.h"

#include "submitter/base/ReportError.h"
#include "submitter/fields/MVexTask.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::MessageRecorder;
using test::TempFolder;

TaskFileRecord FileAt(std::string path) {
    TaskFileRecord r;
    r.LocalPath = std::move(path);
    return r;
}

// A task file may name many files with a wildcard; the transfer copies them
// all, so the test for missing files must search as the transfer does.
TEST(RedirectMissingTaskFiles, AWildcardWithMatchesIsFoundWhereItIs) {
    TempFolder tmp;
    tmp.Write("data/a.txt", "a");
    tmp.Write("data/b.TXT", "b");
    tmp.Write("tasks/beside.csv", "c");
    const std::string data = (tmp.Path() / "data").string();
    const std::string taskPath = (tmp.Path() / "tasks" / "job.z9f").string();

    TaskRecord task;
    task.TaskFiles = {FileAt(data + "/*.txt"), FileAt(data + "\\?.txt"), FileAt(data + "/*.csv"),
                      FileAt(data + "/*.log")};
    std::vector<std::string> missing = RedirectMissingTaskFiles(task, taskPath);

    EXPECT_EQ(task.TaskFiles[0].LocalPath, data + "/*.txt");
    EXPECT_EQ(task.TaskFiles[1].LocalPath, data + "\\?.txt");
    // No match where it was named, but one beside the task.
    EXPECT_EQ(task.TaskFiles[2].LocalPath, (tmp.Path() / "tasks").string() + "/*.csv");
    // No match anywhere: missing, by its pattern.
    EXPECT_EQ(missing, std::vector<std::string>{"*.log"});
}

TEST(RedirectMissingTaskFiles, PlainNamesAreTestedAsBefore) {
    TempFolder tmp;
    tmp.Write("tasks/beside.txt", "b");
    const std::filesystem::path there = tmp.Write("there.txt", "t");
    const std::string taskPath = (tmp.Path() / "tasks" / "job.z9f").string();

    TaskRecord task;
    task.TaskFiles = {FileAt(there.string()), FileAt("C:\\gone\\beside.txt"),
                      FileAt("C:\\gone\\nowhere.txt")};
    std::vector<std::string> missing = RedirectMissingTaskFiles(task, taskPath);
    EXPECT_EQ(task.TaskFiles[0].LocalPath, there.string());
    EXPECT_EQ(task.TaskFiles[1].LocalPath, (tmp.Path() / "tasks" / "beside.txt").string());
    EXPECT_EQ(missing, std::vector<std::string>{"nowhere.txt"});
}

// A combo list named without a folder travels beside its task: a task opened
// from another folder (a file manager, a menu) must still find it. The current
// folder is asked first, so a list there still wins.
TEST(PrepareTask, ARelativeComboListIsFoundBesideTheTask) {
    TempFolder tmp; // also the current folder
    tmp.Write("tasks/lists/db.txt", "alpha\r\nbeta\r\n");
    TaskRecord t;
    t.Steps.resize(1);
    t.Steps[0].Execute = "1";
    t.Environs.resize(1);
    t.Environs[0].Step = "1";
    t.Environs[0].Variable = "DB";
    t.Environs[0].Type = "6";
    t.Environs[0].Min = "0";
    t.Environs[0].Max = "ComboFromFile/:lists\\db.txt";
    t.NumberSteps = "1";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = "1";
    const std::string path = (tmp.Path() / "tasks" / "job.z9f").string();
    ASSERT_TRUE(SaveTask(path, t, true)) << LastTaskError();

    MessageRecorder messages;
    OpenedTask opened;
    ASSERT_TRUE(PrepareTask({path, "1-DB=1"}, opened));
    EXPECT_EQ(Task().Environs[0].Value, "beta");
    EXPECT_EQ(ComboItems(Task().Environs[0].Max), "alpha\nbeta");
    EXPECT_TRUE(ValidateAllEnvFields());
    EXPECT_TRUE(messages.Texts().empty());

    tmp.Write("lists/db.txt", "here\r\n");
    EXPECT_EQ(ComboItems(Task().Environs[0].Max), "here");

    // Missing in both places: the list is empty and the check says so.
    Task().Environs[0].Max = "ComboFromFile/:lists\\gone.txt";
    EXPECT_FALSE(ValidateAllEnvFields());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind("Cannot read file for combo contents.", 0), 0u);
    SetComboListFolder("");
}

} // namespace
} // namespace z9
