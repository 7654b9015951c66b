// The menu program's path helpers: SplitPath, FileExtension, MakeFolderPath.
#include "common/PathParts.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace z9 {
namespace {

namespace fs = std::filesystem;

TEST(SplitPathTest, AFolderKeepsItsSeparatorOnlyWhenItIsAShortRoot) {
    using Parts = SplitPathResult;
    EXPECT_EQ(SplitPath("C:\\Menus\\main.z9m"), (Parts{"C:\\Menus", "main.z9m"}));
    EXPECT_EQ(SplitPath("C:\\main.z9m"), (Parts{"C:\\", "main.z9m"}));
    EXPECT_EQ(SplitPath("abc\\x"), (Parts{"abc", "x"}));
    EXPECT_EQ(SplitPath("ab\\x"), (Parts{"ab\\", "x"}));
    EXPECT_EQ(SplitPath("/home/ann/m.z9m"), (Parts{"/home/ann", "m.z9m"}));
    EXPECT_EQ(SplitPath("/m.z9m"), (Parts{"/", "m.z9m"}));
    EXPECT_EQ(SplitPath("C:\\Menus/sub\\a/b.z9m"), (Parts{"C:\\Menus/sub\\a", "b.z9m"}));
    EXPECT_EQ(SplitPath("\\\\SRV\\Share\\m.z9m"), (Parts{"\\\\SRV\\Share", "m.z9m"}));
    EXPECT_EQ(SplitPath("C:\\Menus\\"), (Parts{"C:\\Menus", ""}));
    // Nothing to split: the callers say so ("This is not a valid path.") or keep what they had.
    EXPECT_EQ(SplitPath("main.z9m"), std::nullopt);
    EXPECT_EQ(SplitPath(""), std::nullopt);
}

TEST(SplitPathTest, TheExtensionIsWhatFollowsTheLastDotInUpperCase) {
    EXPECT_EQ(FileExtension("menu.Z9M"), "Z9M");
    EXPECT_EQ(FileExtension("C:\\Menus\\menu.z9m"), "Z9M");
    EXPECT_EQ(FileExtension("menu.txt"), "TXT");
    EXPECT_EQ(FileExtension("archive.tar.gz"), "GZ");
    EXPECT_EQ(FileExtension("\"C:\\a.z9f\""), "Z9F\"");
    EXPECT_EQ(FileExtension("C:\\v1.2\\menu"), "2\\MENU");
    EXPECT_EQ(FileExtension("menu."), "");
    EXPECT_EQ(FileExtension("menu"), "");
    EXPECT_EQ(FileExtension("\xE9t\xE9.\xE9z"), "\xE9Z");
}

TEST(SplitPathTest, MakeFolderPathMakesEachLevelWithEitherSeparator) {
    test::TempFolder folder;
    const std::string root = folder.Path().string();
    MakeFolderPath(root + "\\a\\b/c");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "a/b/c"));
    // Existing folders are no error, and a trailing separator changes nothing.
    MakeFolderPath(root + "/a/b/c/d/");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "a/b/c/d"));

    // At most 21 levels from the 4th character on: "/tmp/..." spends some on
    // the folders that already exist above the test folder.
    std::string deep = root;
    for (int i = 0; i < 30; ++i)
        deep += "\\" + std::to_string(i);
    MakeFolderPath(deep);
    int levels = 0;
    for (std::size_t at = 3; (at = root.find_first_of("\\/", at)) != std::string::npos; ++at)
        ++levels;
    const int made = 21 - levels - 1;
    EXPECT_TRUE(fs::is_directory(folder.Path() / "0")) << root;
    fs::path last = folder.Path();
    for (int i = 0; i < made; ++i)
        last /= std::to_string(i);
    EXPECT_TRUE(fs::is_directory(last));
    EXPECT_FALSE(fs::exists(last / std::to_string(made)));
}

TEST(SplitPathTest, MakeFolderPathIgnoresWhatCannotBeMade) {
    test::TempFolder folder;
    folder.Write("file", "x");
    MakeFolderPath((folder.Path() / "file/sub").string());
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "file"));
    MakeFolderPath("");
    MakeFolderPath("\\");

#ifndef _WIN32
    // A network path makes folders inside the share, never the server or the share.
    MakeFolderPath("\\\\SRV\\Share\\Menus\\New");
    EXPECT_FALSE(fs::exists(folder.UncRoot() / "SRV"));
    fs::create_directories(folder.UncRoot() / "SRV/Share");
    MakeFolderPath("\\\\SRV\\Share\\Menus\\New");
    EXPECT_TRUE(fs::is_directory(folder.UncRoot() / "SRV/Share/Menus/New"));
#endif
}

} // namespace
} // namespace z9
