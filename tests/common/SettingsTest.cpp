#include "common/Settings.h"
#include "common/Program.h"
#include "tests/support/TestSupport.h"

#include <climits>
#include <gtest/gtest.h>

namespace z9 {
namespace {

using test::ClassesDefault;

// Keys of another program beside the resting one.
constexpr const char* kOtherAppKey = "Brindle\\Zorvan Submitter";
constexpr const char* kOtherKey = "Brindle\\Zorvan Workstation";

TEST(SettingsTest, ApplicationKeyRestsOnTheMenuProgram) {
    EXPECT_EQ(AppKey(), "Brindle\\Zorvan Menu");
    {
        AppKeyScope scope(kOtherAppKey);
        EXPECT_EQ(AppKey(), "Brindle\\Zorvan Submitter");
    }
    EXPECT_EQ(AppKey(), "Brindle\\Zorvan Menu");
}

TEST(SettingsTest, SaveAndGetUnderTheApplicationKey) {
    test::TempFolder folder;
    EXPECT_EQ(GetSetting("Settings", "Last", "C:\\Start.z9m"), "C:\\Start.z9m"); // no key yet
    EXPECT_EQ(SaveSetting("Settings", "Last", "C:\\Menus\\a.z9m"), 0);
    EXPECT_EQ(SaveSetting("Settings", "Home", "C:\\h.z9m", 0), 0);
    EXPECT_EQ(SaveSetting("Settings", "StartOpen", 3, REG_DWORD_TYPE), 0);
    EXPECT_EQ(GetSetting("Settings", "Last", "x"), "C:\\Menus\\a.z9m");
    EXPECT_EQ(GetSetting("Settings", "Home", "x"), "C:\\h.z9m");
    EXPECT_EQ(GetSetting("Settings", "StartOpen", 2L), 3);
    EXPECT_EQ(GetSetting("Settings", "Missing", "dflt"), "dflt");
    EXPECT_EQ(GetSetting("Settings", "", "dflt"), "dflt");
    {
        AppKeyScope scope(kOtherAppKey);
        EXPECT_EQ(SaveSetting("StartSet", "MainLeft", 1200), 0);
        EXPECT_EQ(GetSetting("Settings", "Last", "other key"), "other key");
    }
    // A string with its terminating zero, a number as four bytes.
    RegKey key;
    RegValue value;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Submitter\\StartSet"), 0);
    ASSERT_EQ(key.Query("MainLeft", value), 0);
    EXPECT_EQ(value.type, REG_SZ_TYPE);
    EXPECT_EQ(value.data, std::string("1200\0", 5));
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings"), 0);
    ASSERT_EQ(key.Query("StartOpen", value), 0);
    EXPECT_EQ(value.type, REG_DWORD_TYPE);
    EXPECT_EQ(value.data, std::string("\3\0\0\0", 4));
    // Only strings and 32-bit numbers are stored; a text that is no number is not stored as one.
    EXPECT_EQ(SaveSetting("Settings", "Odd", "x", REG_BINARY_TYPE), ERROR_INVALID_PARAMETER_CODE);
    EXPECT_EQ(SaveSetting("Settings", "Odd", "many", REG_DWORD_TYPE), ERROR_INVALID_PARAMETER_CODE);
    EXPECT_EQ(SaveSetting("Settings", "Odd", " 12 ", REG_DWORD_TYPE), 0);
    EXPECT_EQ(GetSetting("Settings", "Odd", ""), "12");
}

TEST(SettingsTest, NumbersStoredByHandAreStillRead) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Submitter\\StartSet"), 0);
    ASSERT_EQ(key.Set("MainLeft", RegValue::Dword(1234)), 0);
    ASSERT_EQ(key.Set("MainTop", RegValue::Dword(0xFFFFFFFF)), 0);
    ASSERT_EQ(key.Set("MainWidth", RegValue::String("12000.5")), 0);
    ASSERT_EQ(key.Set("MainHeight", RegValue{REG_BINARY_TYPE, "\x01\x02"}), 0);
    ASSERT_EQ(key.Set("Other", RegValue::String("wide")), 0);
    AppKeyScope scope(kOtherAppKey);
    EXPECT_EQ(GetSetting("StartSet", "MainLeft", 1000L), 1234);
    EXPECT_EQ(GetSetting("StartSet", "MainLeft", ""), "1234");
    EXPECT_EQ(GetSetting("StartSet", "MainTop", 1000L), -1);
    EXPECT_EQ(GetSetting("StartSet", "MainWidth", 10000L), 12000);
    EXPECT_EQ(GetSetting("StartSet", "MainHeight", 8000L), 8000); // neither string nor number
    EXPECT_EQ(GetSetting("StartSet", "MainHeight", "d"), "d");
    EXPECT_EQ(GetSetting("StartSet", "Other", 5L), 5); // not a number
}

TEST(SettingsTest, SettingNumbersRoundHalfToEven) {
    long n = 0;
    struct Case {
        const char* text;
        long value;
    };
    for (Case c : {Case{"1000", 1000},
                   {" 250 ", 250},
                   {"-40", -40},
                   {"+7", 7},
                   {"1000.5", 1000},
                   {"1001.5", 1002},
                   {"2.51", 3},
                   {"2.4999", 2},
                   {"-2.5", -2},
                   {".75", 1}}) {
        ASSERT_TRUE(SettingNumber(c.text, n)) << c.text;
        EXPECT_EQ(n, c.value) << c.text;
    }
    for (const char* bad : {"", " ", "abc", "12abc", "1 2", "-", ".", "99999999999999999999999"})
        EXPECT_FALSE(SettingNumber(bad, n)) << bad;
}

TEST(SettingsTest, KeysAndValuesUnderSoftware) {
    test::TempFolder folder;
    EXPECT_FALSE(KeyExists(kOtherKey));
    EXPECT_EQ(CreateKey("Brindle\\Zorvan Workstation\\Recent"), 0);
    EXPECT_TRUE(KeyExists("brindle\\zorvan workstation"));
    EXPECT_TRUE(KeyExists(kOtherKey));
    EXPECT_FALSE(KeyExists("Brindle\\Nothing"));
    EXPECT_EQ(SetStringValue(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Workstation\\Recent",
                             "C:\\Tasks\\a.z9f", "2024-03-01 09:30:00"),
              0);

    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Workstation\\Recent"), 0);
    std::string value = "kept";
    EXPECT_EQ(QueryValue(key, "C:\\Tasks\\a.z9f", value), 0);
    EXPECT_EQ(value, "2024-03-01 09:30:00");
    value = "kept";
    EXPECT_EQ(QueryValue(key, "C:\\Tasks\\b.z9f", value), 2);
    EXPECT_EQ(value, "kept");

    // A string stored without its terminating zero keeps its last character.
    ASSERT_EQ(key.Set("Raw", RegValue{REG_SZ_TYPE, "line1\r\nline2"}), 0);
    EXPECT_EQ(QueryValue(key, "Raw", value), 0);
    EXPECT_EQ(value, "line1\r\nline2");
    ASSERT_EQ(key.Set("Bin", RegValue{REG_BINARY_TYPE, "ab"}), 0);
    value = "kept";
    EXPECT_NE(QueryValue(key, "Bin", value), 0);
    EXPECT_EQ(value, "kept");

    EXPECT_EQ(SetValue(key, "N", REG_DWORD_TYPE, 4294967295L), 0);
    EXPECT_EQ(QueryValue(key, "N", value), 0);
    EXPECT_EQ(value, "-1");
#if LONG_MAX > 0xFFFFFFFF // a long of 32 bits (Windows) cannot hold a number out of range
    EXPECT_EQ(SetValue(key, "N", REG_DWORD_TYPE, 4294967296L), ERROR_INVALID_PARAMETER_CODE);
#endif
    EXPECT_EQ(SetValue(key, "N", 3, "x"), ERROR_INVALID_PARAMETER_CODE);
    EXPECT_EQ(SetValue(key, "S", 0, 42L), 0);
    EXPECT_EQ(QueryValue(key, "S", value), 0);
    EXPECT_EQ(value, "42");
}

TEST(SettingsTest, TheSameRoutineWritesTheMenuAssociation) {
    test::TempFolder folder;
    SetProgramFolder("/opt/zorvan");
    EXPECT_EQ(WriteClassesEntries(AssociationEntries({".Z9M", "Zorvan Menu", "Z9Menu"}), true), 0);
    EXPECT_EQ(ClassesDefault("Zorvan Menu"), "Zorvan Menu");
    EXPECT_EQ(ClassesDefault(".Z9M"), "Zorvan Menu");
    const std::string menu = std::string("/opt/zorvan") + PathSeparator() + "Z9Menu" + ExeSuffix();
    EXPECT_EQ(ClassesDefault("Zorvan Menu\\shell\\open\\command"), "\"" + menu + "\" %1");
    EXPECT_EQ(ClassesDefault("Zorvan Menu\\DefaultIcon"), menu + ",0");

    // The menu stops at the first failed write; the submitter tries them all.
    std::vector<ClassesEntry> entries = {{"One", "1"}, {"\\Bad", "2"}, {"Three", "3"}};
    EXPECT_EQ(WriteClassesEntries(entries, true), ERROR_BAD_PATHNAME_CODE);
    EXPECT_EQ(ClassesDefault("One"), "1");
    EXPECT_EQ(ClassesDefault("Three"), "<missing>");
    EXPECT_EQ(WriteClassesEntries(entries, false), ERROR_BAD_PATHNAME_CODE);
    EXPECT_EQ(ClassesDefault("Three"), "3");
}

} // namespace
} // namespace z9
