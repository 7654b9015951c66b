// The Windows backends of the submission that need no Qt: the shell's
// multi-file copy and the server class looked up by its ProgID.
#include "submitter/submission/ServerTask.h"
#include "submitter/submission/ShellCopy.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

TEST(WindowsShellTest, CopiesEveryListedFileIntoTheFolderWithoutAsking) {
    test::TempFolder folder;
    auto a = folder.Write("src/a.txt", "alpha");
    auto b = folder.Write("src/b.dat", std::string("b\0b", 3));
    folder.Write("dest/a.txt", "old");
    int rc = ShellCopyFiles(MakeCopyList({a.string(), b.string()}), (folder.Path() / "dest").string(),
                            kCopyFlagsSubmitMode);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(test::ReadFileBytes(folder.Path() / "dest/a.txt"), "alpha");
    EXPECT_EQ(test::ReadFileBytes(folder.Path() / "dest/b.dat"), std::string("b\0b", 3));
}

TEST(WindowsShellTest, AMissingSourceFailsTheCopy) {
    test::TempFolder folder;
    folder.Write("dest/keep.txt", "kept");
    int rc = ShellCopyFiles(MakeCopyList({(folder.Path() / "src/none.txt").string()}),
                            (folder.Path() / "dest").string(), kCopyFlagsSubmitMode);
    EXPECT_NE(rc, 0);
    EXPECT_NE(rc, 7); // 7 would read as success
    EXPECT_EQ(test::ReadFileBytes(folder.Path() / "dest/keep.txt"), "kept");
}

TEST(WindowsShellTest, NoServerClassNoObject) {
    // No Zorvan server is installed here: the class cannot be created, and the
    // submission goes through the queue share instead.
    EXPECT_EQ(PlatformServerTask(), nullptr);
}

} // namespace
} // namespace z9
