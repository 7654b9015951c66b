#include "common/SafeFile.h"
#include "common/SystemErrorText.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace z9 {
namespace {

namespace fs = std::filesystem;
using test::FolderEntries;
using test::ReadFileBytes;

// Whether a read-only file keeps this process from replacing it: always on
// Windows, but not for Linux's super-user.
bool ReadOnlyBinds() {
#ifdef _WIN32
    return true;
#else
    return ::geteuid() != 0;
#endif
}

class SafeFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    fs::path dir = folder.Path() / "out";
    std::string target = (dir / "task.z9f").string();
    void SetUp() override { fs::create_directories(dir); }
};

TEST_F(SafeFileTest, TheTargetChangesOnlyAtCommit) {
    folder.Write("out/task.z9f", "old");
    SafeFile file(target);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("new "));
    ASSERT_TRUE(file.Write("bytes"));
    // Meanwhile the new bytes sit beside the target under a name the queue's readers pass over.
    std::vector<std::string> during = FolderEntries(dir);
    ASSERT_EQ(during.size(), 2u);
    EXPECT_EQ(during[0], "task.z9f");
    EXPECT_EQ(during[1].rfind("~task.z9f.", 0), 0u);
    EXPECT_EQ(during[1].substr(during[1].size() - 4), ".tmp");
    EXPECT_EQ(ReadFileBytes(target), "old");

    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ReadFileBytes(target), "new bytes");
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"task.z9f"});
    EXPECT_EQ(file.Error(), 0);
    EXPECT_EQ(file.ErrorText(), "");
    EXPECT_FALSE(file.Write("late")); // committed: nothing is open any more
    EXPECT_EQ(ReadFileBytes(target), "new bytes");
}

TEST_F(SafeFileTest, AFileLeftUncommittedIsDiscarded) {
    folder.Write("out/task.z9f", "old");
    {
        SafeFile file(target);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half"));
    }
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"task.z9f"});

    SafeFile file((dir / "new.txt").string());
    ASSERT_TRUE(file.Open());
    file.Discard();
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"task.z9f"});
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"task.z9f"});
}

// What a writer that died before its commit left beside the target goes at the
// next save of that target; a living writer's temporary and everything that is
// not a temporary of this target stay.
TEST_F(SafeFileTest, TemporariesOfDeadWritersGoAtTheNextSave) {
    folder.Write("out/task.z9f", "old");
    folder.Write("out/~task.z9f.123456.tmp", std::string(100000, 'h'));
    folder.Write("out/~task.z9f.7.tmp", "half");
    const std::vector<std::string> others = {"~other.z9f.1.tmp", "~task.z9f.12a.tmp", "~task.z9f..tmp",
                                             "task.z9f.1.tmp", "~task.z9f.1.tmp.keep"};
    for (const std::string& name : others)
        folder.Write("out/" + name, "keep");

    SafeFile living(target);
    ASSERT_TRUE(living.Open());
    ASSERT_TRUE(living.Write("from the living writer"));
    std::vector<std::string> expected = others;
    expected.push_back("task.z9f");
    for (const std::string& name : FolderEntries(dir))
        if (name.rfind("~task.z9f.", 0) == 0 && name != "~task.z9f.123456.tmp" && name != "~task.z9f.7.tmp" &&
            std::find(others.begin(), others.end(), name) == others.end())
            expected.push_back(name); // the living writer's own
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(expected.size(), others.size() + 2);

    EXPECT_TRUE(WriteFileSafely(target, "new"));
    EXPECT_EQ(FolderEntries(dir), expected);
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_TRUE(living.Commit());
    EXPECT_EQ(ReadFileBytes(target), "from the living writer");
}

TEST_F(SafeFileTest, OneCallWritesANewFileWhole) {
    std::string bytes(3 << 20, 'x');
    bytes.back() = 'y';
    long error = -1;
    std::string text = "unchanged";
    EXPECT_TRUE(WriteFileSafely((dir / "big.bin").string(), bytes, {}, &error, &text));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(ReadFileBytes(dir / "big.bin"), bytes);
    EXPECT_TRUE(WriteFileSafely((dir / "empty.bin").string(), ""));
    EXPECT_TRUE(fs::exists(dir / "empty.bin"));
    EXPECT_EQ(fs::file_size(dir / "empty.bin"), 0u);
}

TEST_F(SafeFileTest, TargetsThatCannotBeReplacedAreRefusedUntouched) {
    long error = 0;
    std::string text;
    fs::create_directory(dir / "folder.z9f");
    EXPECT_FALSE(WriteFileSafely((dir / "folder.z9f").string(), "x", {}, &error, &text));
    EXPECT_EQ(error, ERROR_ACCESS_DENIED_CODE);
    EXPECT_EQ(text, SystemErrorText(ERROR_ACCESS_DENIED_CODE));
    EXPECT_TRUE(fs::is_directory(dir / "folder.z9f"));

    EXPECT_FALSE(WriteFileSafely((dir / "no such folder" / "a.txt").string(), "x", {}, &error, &text));
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND_CODE);
    EXPECT_EQ(text, SystemErrorText(ERROR_PATH_NOT_FOUND_CODE));

    // A read-only file is not replaced, as the system keeps it.
    folder.Write("out/ro.txt", "keep");
    fs::permissions(dir / "ro.txt", fs::perms(0444));
    if (ReadOnlyBinds()) {
        EXPECT_FALSE(WriteFileSafely((dir / "ro.txt").string(), "x", {}, &error, &text));
        EXPECT_EQ(error, ERROR_ACCESS_DENIED_CODE);
        EXPECT_EQ(text, SystemErrorText(ERROR_ACCESS_DENIED_CODE));
    }
    EXPECT_EQ(ReadFileBytes(dir / "ro.txt"), "keep");
    EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"folder.z9f", "ro.txt"}));
    fs::permissions(dir / "ro.txt", fs::perms::owner_write, fs::perm_options::add); // for the clean-up
}

#ifndef _WIN32
// The rest holds POSIX's own rules: folder permissions (a read-only folder on
// Windows still takes new files), file size limits, modes and advisory locks
// (Windows does not lock the target; LoadTask's tests show its sharing).

unsigned Mode(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0);
    return st.st_mode & 0777;
}

TEST_F(SafeFileTest, AReadOnlyFolderKeepsItsFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    folder.Write("out/task.z9f", "old");
    fs::permissions(dir, fs::perms(0555));
    SafeFile file(target);
    EXPECT_FALSE(file.Open());
    EXPECT_EQ(file.ErrorText(), "Access is denied.");
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.ErrorText(), "Access is denied."); // the first failure is kept
    fs::permissions(dir, fs::perms(0755));
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"task.z9f"});
}

// The file system refuses to let the file grow past 64 KiB: the write itself
// fails midway, and the previous file is all that is left.
TEST_F(SafeFileTest, AFailingWriteLeavesThePreviousFile) {
    folder.Write("out/task.z9f", "old");
    SafeFile file(target);
    bool opened = false, wrote = true, committed = true;
    {
        test::FileSizeLimit limit(65536);
        ASSERT_TRUE(limit.Set());
        opened = file.Open();
        wrote = file.Write(std::string(200000, 'b'));
        committed = file.Commit();
    }

    EXPECT_TRUE(opened);
    EXPECT_FALSE(wrote);
    EXPECT_FALSE(committed);
    EXPECT_EQ(file.ErrorText(), "File too large");
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"task.z9f"});
}

TEST_F(SafeFileTest, AReplacedFileKeepsItsModeAndAPrivateOneIsTheOwnersAlone) {
    folder.Write("out/task.z9f", "old");
    fs::permissions(dir / "task.z9f", fs::perms(0640));
    EXPECT_TRUE(WriteFileSafely(target, "new"));
    EXPECT_EQ(Mode(target), 0640u);

    const std::string hive = (dir / "HKEY_CURRENT_USER.reg").string();
    EXPECT_TRUE(WriteFileSafely(hive, "REGEDIT4\r\n", {.privateToUser = true}));
    EXPECT_EQ(Mode(hive), 0600u);
    fs::permissions(hive, fs::perms(0644));
    EXPECT_TRUE(WriteFileSafely(hive, "REGEDIT4\r\n", {.privateToUser = true}));
    EXPECT_EQ(Mode(hive), 0600u);
}

TEST_F(SafeFileTest, ALockedTargetWaitsForTheWholeNewFile) {
    folder.Write("out/task.z9f", "old");
    // A reader that holds the file exclusively keeps a locking writer out.
    {
        int fd = ::open(target.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_EX), 0);
        long error = 0;
        EXPECT_FALSE(WriteFileSafely(target, "new", {.lockTarget = true}, &error));
        EXPECT_EQ(error, ERROR_SHARING_VIOLATION_CODE);
        EXPECT_TRUE(WriteFileSafely((dir / "other.txt").string(), "x")); // other files are free
        ::close(fd);
    }
    EXPECT_EQ(ReadFileBytes(target), "old");

    // While the new file is written, a reader's exclusive probe of the old one fails.
    SafeFile file(target, {.lockTarget = true});
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("new"));
    int probe = ::open(target.c_str(), O_RDONLY);
    ASSERT_GE(probe, 0);
    EXPECT_NE(::flock(probe, LOCK_EX | LOCK_NB), 0);
    ::close(probe);
    ASSERT_TRUE(file.Commit());
    probe = ::open(target.c_str(), O_RDONLY);
    EXPECT_EQ(::flock(probe, LOCK_EX | LOCK_NB), 0);
    ::close(probe);
    EXPECT_EQ(ReadFileBytes(target), "new");
}
#endif

} // namespace
} // namespace z9
