// A save that meets a full disk (here: a file size the process may not pass)
// reports the system's message and keeps the previous file whole.
#include "common/Registry.h"
#include "common/SystemErrorText.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/FaultSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::FolderEntries;
using test::ReadFileBytes;

TaskRecord TaskWithValue(const std::string& value) {
    TaskRecord t;
    t.TaskName = "Full disk";
    t.Steps.resize(1);
    t.Environs.resize(1);
    t.Environs[0].Value = value;
    t.NumberSteps = "1";
    t.NumberTaskFiles = "0";
    t.NumberEnviron = "1";
    return t;
}

TEST(FullDisk, TaskFileSaveReportsItAndKeepsTheOldFile) {
    test::TempFolder folder;
    ASSERT_TRUE(SaveTask("task.z9f", TaskWithValue("old"), true));
    const std::string before = ReadFileBytes(folder.Path() / "task.z9f");
    const auto entries = FolderEntries(folder.Path());

    const std::string message = test::RunWithFileSizeLimit(64 << 10, [] {
        return SaveTask("task.z9f", TaskWithValue(std::string(1 << 20, 'n')), true) ? std::string("saved")
                                                                                    : LastTaskError();
    });
    EXPECT_EQ(message, "SAVETASK ERROR:\n\n\tFile too large");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "task.z9f"), before);
    EXPECT_EQ(FolderEntries(folder.Path()), entries);
}

TEST(FullDisk, RegistryChangeReportsItAndKeepsTheOldHive) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings"), 0);
    ASSERT_EQ(key.Set("Last", RegValue::String("C:\\Menus\\home.z9m")), 0);
    const fs::path hive = folder.RegistryDir() / "HKEY_CURRENT_USER.reg";
    const std::string before = ReadFileBytes(hive);
    const auto entries = FolderEntries(folder.RegistryDir());

    const std::string result = test::RunWithFileSizeLimit(static_cast<long long>(before.size()) + 1024, [] {
        RegKey k;
        long rc = k.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings");
        if (rc == 0) rc = k.Set("Big", RegValue::String(std::string(1 << 20, 'b')));
        return std::to_string(rc) + " " + SystemErrorText(rc);
    });
    EXPECT_EQ(result.substr(result.find(' ') + 1), "File too large");
    EXPECT_NE(result.substr(0, result.find(' ')), "0");
    EXPECT_EQ(ReadFileBytes(hive), before);
    EXPECT_EQ(FolderEntries(folder.RegistryDir()), entries);
    RegValue last;
    ASSERT_EQ(key.Query("Last", last), 0);
    EXPECT_EQ(last.Text(), "C:\\Menus\\home.z9m");
}

} // namespace
} // namespace z9
