#include "common/RegistryHive.h"

#include <gtest/gtest.h>

namespace z9 {
namespace {

// The hive text in memory alone, without files: it runs on every platform.
TEST(RegistryHiveTest, TextReadsBackAsItWasWritten) {
    Hive hive;
    hive.Ensure("Software\\Brindle\\Zorvan Menu").Put("Last", RegValue::String("C:\\a \"b\".z9m"));
    hive.Ensure("software\\BRINDLE\\zorvan menu\\Settings").Put("", RegValue::Dword(0xDEADBEEF));
    hive.Ensure("Software\\Empty");
    RegValue lines{REG_SZ_TYPE, "one\r\ntwo"};
    hive.Ensure("Software\\Brindle\\Zorvan Menu").Put("Lines", lines);

    std::string text = WriteHive(hive, RegRoot::CurrentUser);
    EXPECT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(
        text.find("[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Menu\\Settings]\r\n@=dword:deadbeef\r\n"),
        std::string::npos)
        << text;

    Hive back = ParseHive(text, RegRoot::CurrentUser);
    EXPECT_FALSE(back.lostLines);
    const HiveKey* menu = back.Find("SOFTWARE\\brindle\\ZORVAN MENU");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->path, "Software\\Brindle\\Zorvan Menu");
    ASSERT_NE(menu->Find("last"), nullptr);
    EXPECT_EQ(menu->Find("last")->value.Text(), "C:\\a \"b\".z9m");
    ASSERT_NE(menu->Find("Lines"), nullptr);
    EXPECT_EQ(menu->Find("Lines")->value.data, lines.data);
    EXPECT_EQ(back.Children("Software"), (std::vector<std::string>{"Brindle", "Empty"}));
    EXPECT_EQ(back.Children("Software\\Brindle\\Zorvan Menu"), std::vector<std::string>{"Settings"});
    EXPECT_EQ(WriteHive(back, RegRoot::CurrentUser), text);
}

// A key many levels deep brings every level above it, spelt as the first
// header that named it, and the hive written from it reads back the same.
TEST(RegistryHiveTest, DeepKeysReadBackWithEveryLevelAboveThem) {
    std::string path = "Software";
    for (int level = 1; level < 300; ++level)
        path += level % 2 ? "\\Level" : "\\level";
    const std::string text = "REGEDIT4\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Level]\r\n\"a\"=\"1\"\r\n"
                             "[HKEY_CURRENT_USER\\" +
                             path + "]\r\n\"b\"=dword:00000002\r\n";
    const Hive hive = ParseHive(text, RegRoot::CurrentUser);
    EXPECT_FALSE(hive.lostLines);
    ASSERT_EQ(hive.keys.size(), 301u); // the root and 300 levels
    const HiveKey* deepest = hive.Find(path);
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->path, "SOFTWARE\\Level" + path.substr(std::string("Software\\Level").size()));
    ASSERT_NE(deepest->Find("b"), nullptr);
    EXPECT_EQ(hive.Find("software\\level")->path, "SOFTWARE\\Level");
    EXPECT_EQ(hive.Children("Software\\Level"), std::vector<std::string>{"level"});

    // The levels between carry no values: only the two keys with values are written.
    const std::string written = WriteHive(hive, RegRoot::CurrentUser);
    EXPECT_LT(written.size(), text.size() + 100);
    const Hive again = ParseHive(written, RegRoot::CurrentUser);
    EXPECT_FALSE(again.lostLines);
    ASSERT_EQ(again.keys.size(), hive.keys.size());
    for (const auto& [folded, key] : hive.keys) {
        auto other = again.keys.find(folded);
        ASSERT_NE(other, again.keys.end());
        EXPECT_EQ(other->second.path, key.path);
        EXPECT_EQ(other->second.values.size(), key.values.size());
    }
}

TEST(RegistryHiveTest, SectionsOfTheOtherRootAndJunkAreNoted) {
    Hive hive = ParseHive("REGEDIT4\r\n[HKEY_CLASSES_ROOT\\.Z9F]\r\n@=\"Zorvan File\"\r\n"
                          "[HKEY_CURRENT_USER\\Software]\r\n\"A\"=\"1\"\r\njunk\r\n",
                          RegRoot::CurrentUser);
    EXPECT_TRUE(hive.lostLines);
    EXPECT_EQ(hive.Find(".Z9F"), nullptr);
    ASSERT_NE(hive.Find("Software"), nullptr);
    EXPECT_EQ(hive.Find("Software")->Find("A")->value.Text(), "1");

    Hive classes =
        ParseHive("REGEDIT4\r\n[HKEY_CLASSES_ROOT\\.Z9F]\r\n@=\"Zorvan File\"\r\n", RegRoot::ClassesRoot);
    EXPECT_FALSE(classes.lostLines);
    ASSERT_NE(classes.Find(".z9f"), nullptr);
    EXPECT_EQ(classes.Find(".z9f")->Find("")->value.Text(), "Zorvan File");
}

TEST(RegistryHiveTest, ErasingAKeyTakesItsSubKeysOnly) {
    Hive hive;
    hive.Ensure("A\\Foo\\x");
    hive.Ensure("A\\Foo Bar");
    hive.Ensure("A\\Fo");
    EXPECT_TRUE(hive.Erase("a\\foo"));
    EXPECT_FALSE(hive.Erase("A\\Foo"));
    EXPECT_EQ(hive.Find("A\\Foo\\x"), nullptr);
    EXPECT_EQ(hive.Children("A"), (std::vector<std::string>{"Fo", "Foo Bar"}));
}

TEST(RegistryHiveTest, KeyPathsAreCheckedBeforeUse) {
    std::string out;
    EXPECT_EQ(NormalizeKeyPath("Software\\Brindle\\", out), 0);
    EXPECT_EQ(out, "Software\\Brindle");
    EXPECT_EQ(NormalizeKeyPath("", out), 0);
    EXPECT_EQ(NormalizeKeyPath("\\", out), ERROR_BAD_PATHNAME_CODE);
    EXPECT_EQ(NormalizeKeyPath("a\\\\b", out), ERROR_BAD_PATHNAME_CODE);
    EXPECT_EQ(NormalizeKeyPath(std::string("a\0b", 3), out), ERROR_INVALID_PARAMETER_CODE);
    EXPECT_EQ(CheckValueName("a\rb"), ERROR_INVALID_PARAMETER_CODE);
    EXPECT_EQ(CheckValueName("MainLeft"), 0);
}

} // namespace
} // namespace z9
