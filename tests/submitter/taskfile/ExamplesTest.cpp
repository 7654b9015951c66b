#include "submitter/taskfile/Container.h"
#include "submitter/taskfile/TaskFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::ExamplesDir;
using test::ReadFileBytes;

TaskRecord LoadExample(const std::string& name) {
    TaskRecord t;
    const std::string path = (ExamplesDir() / name).string();
    EXPECT_TRUE(LoadTask(path, t, true)) << LastTaskError();
    return t;
}

const EnvironRecord* FindVariable(const TaskRecord& t, const std::string& variable) {
    for (const auto& e : t.Environs)
        if (e.Variable == variable) return &e;
    return nullptr;
}

TEST(Examples, EveryGoodExampleLoadsAndSavesBackToTheSameBytes) {
    test::TempFolder folder;
    int good = 0;
    for (const auto& entry : fs::directory_iterator(ExamplesDir())) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".z9f" || name.rfind("broken-", 0) == 0) continue;
        ++good;
        const TaskRecord t = LoadExample(name);
        const std::string bytes = ReadFileBytes(entry.path());
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << ": a line ends in LF alone";
            }
        }
        // Encrypted files differ on every save; plain ones come back byte for byte.
        ASSERT_TRUE(SaveTask("again.z9f", t, true)) << LastTaskError();
        if (t.EditPPP.empty() && name != "legacy-report.z9f") {
            EXPECT_EQ(ReadFileBytes(folder.Path() / "again.z9f"), bytes) << name;
        }
        TaskRecord again;
        ASSERT_TRUE(LoadTask("again.z9f", again, true));
        EXPECT_EQ(again, t) << name;
    }
    EXPECT_EQ(good, 4);
}

TEST(Examples, TheBackupTaskHasEveryFieldTypeAndEveryExecuteValue) {
    const TaskRecord t = LoadExample("nightly-backup.z9f");
    std::set<char> types;
    for (const auto& e : t.Environs)
        types.insert(e.Type.at(0));
    EXPECT_EQ(types, (std::set<char>{'0', '1', '2', '3', '4', '5', '6', '7'}));
    std::set<std::string> executes;
    for (const auto& s : t.Steps)
        executes.insert(s.Execute);
    EXPECT_EQ(executes, (std::set<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(t.Steps.size(), 7u);

    const EnvironRecord* type = FindVariable(t, "BACKUP_TYPE");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->Max, "Full backup|FULL\r\nDifferential backup|DIFF\r\nTransaction log only|LOG");
    const EnvironRecord* database = FindVariable(t, "DB_NAME");
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->Max, "ComboFromFile/:databases.txt");
    EXPECT_TRUE(fs::exists(ExamplesDir() / "databases.txt"));
    EXPECT_EQ(FindVariable(t, "VERIFY")->Format, "True");
    EXPECT_EQ(FindVariable(t, "NOTIFY")->Format, "False");
    ASSERT_EQ(t.TaskFiles.size(), 1u);
    EXPECT_TRUE(fs::exists(ExamplesDir() / t.TaskFiles[0].ServerPath));
}

TEST(Examples, PredecessorEncryptedAndPasswordExamples) {
    const std::string legacy = ReadFileBytes(ExamplesDir() / "legacy-report.z9f");
    EXPECT_EQ(legacy.rfind("Pelvar File Version 1.0\r\n<PELVAR>\r\n", 0), 0u);
    EXPECT_EQ(LoadExample("legacy-report.z9f").TaskName, "Monthly sales report");

    const std::string protectedText = ReadFileBytes(ExamplesDir() / "payroll-export-protected.z9f");
    EXPECT_EQ(protectedText.rfind(std::string(kContainerLine1) + "\r\n" + kContainerLine2 + "\r\n", 0), 0u);
    EXPECT_EQ(protectedText.find("Payroll"), std::string::npos);
    const TaskRecord payroll = LoadExample("payroll-export-protected.z9f");
    EXPECT_EQ(payroll.TaskName, "Payroll export to the bank");
    EXPECT_EQ(payroll.EditPPP, "1");
    EXPECT_EQ(payroll.Steps.size(), 2u);

    const TaskRecord ftp = LoadExample("ftp-upload-passwords.z9f");
    const EnvironRecord* password = FindVariable(ftp, "FTP_PASSWORD");
    const EnvironRecord* pin = FindVariable(ftp, "ARCHIVE_PIN");
    ASSERT_TRUE(password && pin);
    EXPECT_FALSE(password->Format.empty());
    EXPECT_FALSE(pin->Format.empty());
    EXPECT_EQ(UnscrambleValue(password->Value), "Summer-2025!");
    EXPECT_EQ(UnscrambleValue(pin->Value), "4711");
}

TEST(Examples, EveryBrokenExampleFailsWithItsOwnMessage) {
    const std::map<std::string, std::pair<std::string, int>> expected = {
        {"broken-version.z9f", {"Invalid File Version.", 6}},
        {"broken-lf-line-ends.z9f", {"Invalid File Version.", 6}},
        {"broken-root-tag.z9f", {"Invalid File Format.", 6}},
        {"broken-missing-key.z9f", {"Invalid Data: SERVERPATH", 6}},
        {"broken-step-count.z9f", {"Type mismatch", 6}},
        {"broken-edit-line-in-plain.z9f", {"Invalid Data: NUMBERSTEPS", 6}},
        {"broken-truncated-container.z9f", {"Invalid File Version.", 6}},
        {"broken-no-steps.z9f", {"Invalid File Format.", 7}},
        {"broken-missing-step-end.z9f", {"Invalid File Format.", 7}},
        {"broken-too-few-environs.z9f", {"Invalid File Format.", 9}},
    };
    std::set<std::string> seen;
    for (const auto& entry : fs::directory_iterator(ExamplesDir())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("broken-", 0) != 0) continue;
        seen.insert(name);
        auto it = expected.find(name);
        ASSERT_NE(it, expected.end()) << name << " has no expected message";
        const std::string path = entry.path().string();
        TaskRecord t;
        EXPECT_FALSE(LoadTask(path, t, true)) << name;
        EXPECT_EQ(LastTaskError(), "ERROR: Cannot Open \"" + path + "\". \n\n" + it->second.first +
                                       "\n\nLoad Progress Number: " + std::to_string(it->second.second));
    }
    EXPECT_EQ(seen.size(), expected.size());
}

} // namespace
} // namespace z9
