#include "common/WholeFile.h"

#include "common/SystemErrorText.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace z9 {
namespace {

namespace fs = std::filesystem;

TEST(WholeFileTest, ReadsEveryByteOfFilesLargeAndSmall) {
    test::TempFolder folder;
    std::string bytes;
    for (int i = 0; i < 300000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    folder.Write("all.bin", bytes);
    folder.Write("empty.bin", "");
    std::string read = "stale", why = "stale";
    ASSERT_TRUE(ReadWholeFile("all.bin", read, why));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(why, "");
    ASSERT_TRUE(ReadWholeFile("empty.bin", read, why));
    EXPECT_EQ(read, "");
}

TEST(WholeFileTest, WhatIsNoPlainFileIsRefusedWithTheSystemsWords) {
    test::TempFolder folder;
    fs::create_directory(folder.Path() / "dir");
    std::string read = "stale", why;
    EXPECT_FALSE(ReadWholeFile("missing.txt", read, why));
    EXPECT_EQ(why, SystemErrorText(ERROR_FILE_NOT_FOUND_CODE));
    EXPECT_EQ(read, "");
    EXPECT_FALSE(ReadWholeFile("dir", read, why));
    EXPECT_EQ(why, SystemErrorText(ERROR_ACCESS_DENIED_CODE));
#ifndef _WIN32
    // A pipe would wait for a writer for ever.
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(ReadWholeFile("pipe", read, why));
    EXPECT_EQ(why, SystemErrorText(ERROR_ACCESS_DENIED_CODE));
#endif
}

} // namespace
} // namespace z9
