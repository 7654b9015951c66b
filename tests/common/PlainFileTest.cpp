#include "common/PlainFile.h"
#include "common/SystemErrorText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace z9 {
namespace {

using test::TempFolder;

class PlainFileTest : public ::testing::Test {
protected:
    // Reads name below the folder with the limit; the failure, if any, in error.
    bool Read(const std::string& name, std::uint64_t limit, std::string& bytes) {
        return ReadPlainFile((folder.Path() / name).string(), limit, bytes, &error);
    }

    TempFolder folder;
    PlainFileError error;
};

TEST_F(PlainFileTest, ReadsEveryByteUpToTheLimit) {
    const std::string text("line 1\r\nline 2\0\xFF\x01\n", 19);
    folder.Write("a.txt", text);
    std::string bytes = "left over";
    ASSERT_TRUE(Read("a.txt", text.size(), bytes)) << error.text;
    EXPECT_EQ(bytes, text);

    folder.Write("empty.txt", "");
    ASSERT_TRUE(Read("empty.txt", 0, bytes)) << error.text;
    EXPECT_EQ(bytes, "");

    // Larger than what one pass of the reader takes.
    const std::string large(300000, 'x');
    folder.Write("large.txt", large);
    ASSERT_TRUE(Read("large.txt", 1u << 20, bytes)) << error.text;
    EXPECT_EQ(bytes, large);
}

TEST_F(PlainFileTest, AFileOverTheLimitIsNotRead) {
    folder.Write("a.txt", "12345");
    std::string bytes = "kept";
    EXPECT_FALSE(Read("a.txt", 4, bytes));
    EXPECT_EQ(error.step, PlainFileStep::Size);
    EXPECT_EQ(error.text, "");
    EXPECT_EQ(bytes, "kept");
}

TEST_F(PlainFileTest, WhatIsNoFileIsRefusedWhenOpened) {
    std::string bytes = "kept";
    EXPECT_FALSE(Read("missing.txt", 100, bytes));
    EXPECT_EQ(error.step, PlainFileStep::Open);
    EXPECT_EQ(error.text, SystemErrorText(ERROR_FILE_NOT_FOUND_CODE));
    EXPECT_EQ(bytes, "kept");

    folder.Write("folder/inside.txt", "x");
    error = {};
    EXPECT_FALSE(Read("folder", 100, bytes));
    EXPECT_EQ(error.step, PlainFileStep::Open);
    EXPECT_EQ(error.text, SystemErrorText(ERROR_ACCESS_DENIED_CODE));
    EXPECT_EQ(bytes, "kept");
}

// (A file another program holds: TaskFileTest, where loading waits for it.)
TEST_F(PlainFileTest, ExclusiveAccessToAFileNobodyHolds) {
    const std::string file = folder.Write("a.txt", "x").string();
    EXPECT_EQ(ExclusiveAccessFailure(file), "");
    EXPECT_EQ(ExclusiveAccessFailure((folder.Path() / "missing.txt").string()),
              SystemErrorText(ERROR_FILE_NOT_FOUND_CODE));
}

} // namespace
} // namespace z9
