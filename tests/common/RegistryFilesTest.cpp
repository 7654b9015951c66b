// The Linux registry's hive files: their text, their safety against damage,
// cuts and concurrent writers, and their speed.
#include "common/Registry.h"
#include "common/RegistryHive.h"
#include "common/Settings.h"
#include "tests/common/RegistrySample.h"
#include "tests/common/WideHive.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

const char* kUser = "HKEY_CURRENT_USER.reg";
const char* kClasses = "HKEY_CLASSES_ROOT.reg";

using test::RegistryText;

TEST(RegistryFilesTest, HiveTextOfARoundTrip) {
    test::TempFolder folder;
    test::CreateSampleKeys();
    if (HasFatalFailure()) return;

    std::string hive = test::ReadFileBytes(folder.RegistryDir() / kUser);
    EXPECT_EQ(hive.rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(hive.find("\r\n[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Menu\\Settings]\r\n"
                        "\"Last\"=\"C:\\\\Menus\\\\a \\\"b\\\".z9m\"\r\n"
                        "\"StartOpen\"=dword:0000000a\r\n"
                        "@=\"default\"\r\n"),
              std::string::npos)
        << hive;
    EXPECT_NE(hive.find("[HKEY_CURRENT_USER\\Software\\Brindle\\Empty]\r\n"), std::string::npos);
    EXPECT_EQ(hive.find("CLASSES"), std::string::npos);
    std::string classes = test::ReadFileBytes(folder.RegistryDir() / kClasses);
    EXPECT_NE(classes.find("[HKEY_CLASSES_ROOT\\.Z9F]\r\n@=\"Zorvan File\"\r\n"), std::string::npos)
        << classes;
}

TEST(RegistryFilesTest, ValuesThatDoNotFitOnALineAreWrittenAsBytes) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\T"), 0);
    RegValue lines{REG_SZ_TYPE, "one\r\ntwo"}; // no terminating zero
    RegValue binary{REG_BINARY_TYPE, std::string("\x00\xff\x10", 3)};
    RegValue expand = RegValue::String("%TEMP%\\x");
    expand.type = REG_EXPAND_SZ_TYPE;
    EXPECT_EQ(key.Set("Lines", lines), 0);
    EXPECT_EQ(key.Set("Bin", binary), 0);
    EXPECT_EQ(key.Set("Expand", expand), 0);
    std::string hive = test::ReadFileBytes(folder.RegistryDir() / kUser);
    EXPECT_NE(hive.find("\"Lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f\r\n"), std::string::npos) << hive;
    EXPECT_NE(hive.find("\"Bin\"=hex:00,ff,10\r\n"), std::string::npos);
    // A string without its terminating zero keeps its bytes when the hive is
    // rewritten for an unrelated change, and so does one read from such a file.
    RegValue bare{REG_SZ_TYPE, "abc"};
    EXPECT_EQ(key.Set("Bare", bare), 0);
    EXPECT_EQ(key.Set("Other", RegValue::String("x")), 0);
    hive = test::ReadFileBytes(folder.RegistryDir() / kUser);
    EXPECT_NE(hive.find("\"Bare\"=hex(1):61,62,63\r\n"), std::string::npos) << hive;
    EXPECT_NE(hive.find("\"Other\"=\"x\"\r\n"), std::string::npos) << hive;
    RegValue back;
    ASSERT_EQ(key.Query("Bare", back), 0);
    EXPECT_EQ(back.data, "abc");
    EXPECT_EQ(back.Text(), "abc");
    // Names with a line break cannot be written to the file and are refused.
    EXPECT_EQ(key.Set("a\nb", RegValue::String("x")), ERROR_INVALID_PARAMETER_CODE);
}

TEST(RegistryFilesTest, ReadsHandWrittenFiles) {
    test::TempFolder folder;
    folder.Write("registry/HKEY_CURRENT_USER.reg",
                 "REGEDIT4\n"
                 "; written by hand\n"
                 "\n"
                 "[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Submitter\\StartSet]\n"
                 "\"MainLeft\"=dword:4D2\n"
                 "\"Blob\"=hex:01,02,\\\n"
                 "  03,04\n"
                 "  \"Path\" = \"C:\\Temp\\new\"\n"
                 "[HKEY_CURRENT_USER\\Software\\Brindle\\Deep\\Down]\n");
    const std::string key = "Software\\Brindle\\Zorvan Submitter\\StartSet";
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, key, "MainLeft"), "dword 1234");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, key, "Path"), "C:\\Temp\\new");
    RegKey k;
    RegValue blob;
    ASSERT_EQ(k.Open(RegRoot::CurrentUser, key), 0);
    ASSERT_EQ(k.Query("Blob", blob), 0);
    EXPECT_EQ(blob.data, "\x01\x02\x03\x04");
    // A section names its parents into being.
    EXPECT_EQ(k.Open(RegRoot::CurrentUser, "Software\\Brindle\\Deep"), 0);
    EXPECT_EQ(k.Open(RegRoot::CurrentUser, "Software\\Brindle\\Deep\\Down"), 0);
}

TEST(RegistryFilesTest, KeysAreWrittenAsTheyWereFirstSpelt) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Foo"), 0);
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "software\\BRINDLE\\FOO\\Bar"), 0);
    std::string hive = test::ReadFileBytes(folder.RegistryDir() / kUser);
    EXPECT_NE(hive.find("[HKEY_CURRENT_USER\\Software\\Brindle\\Foo\\Bar]"), std::string::npos) << hive;
    EXPECT_EQ(hive.find("BRINDLE"), std::string::npos);
}

TEST(RegistryFilesTest, PathsWithEmptyPartsAreRefused) {
    test::TempFolder folder;
    RegKey key;
    EXPECT_EQ(key.Open(RegRoot::CurrentUser, "Software\\\\A"), ERROR_BAD_PATHNAME_CODE);
    EXPECT_EQ(key.Open(RegRoot::CurrentUser, "\\Software"), ERROR_BAD_PATHNAME_CODE);
    EXPECT_EQ(key.Create(RegRoot::CurrentUser, "Software\\a\nb"), ERROR_INVALID_PARAMETER_CODE);
}

TEST(RegistryFilesTest, FilesArePrivateAndTheFolderIsMadeWhenNeeded) {
    test::TempFolder folder;
    fs::path nested = folder.Path() / "a" / "b";
    setenv("Z9_REGISTRY_DIR", nested.c_str(), 1);
    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software"), 2); // a missing hive is empty
    EXPECT_FALSE(fs::exists(nested));
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle"), 0);
    struct stat st {};
    ASSERT_EQ(stat((nested / kUser).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(nested.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // Only the hive and its lock are left behind.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(nested)) {
        ++files;
        EXPECT_TRUE(entry.path().filename() == kUser ||
                    entry.path().filename() == std::string(kUser) + ".lock")
            << entry.path();
    }
    EXPECT_EQ(files, 2);

    unsetenv("Z9_REGISTRY_DIR");
    EXPECT_EQ(RegistryFolder(), (folder.Path() / "home" / ".config" / "Brindle").string());
    setenv("XDG_CONFIG_HOME", (folder.Path() / "xdg").c_str(), 1);
    EXPECT_EQ(HiveFile(RegRoot::ClassesRoot), (folder.Path() / "xdg" / "Brindle" / kClasses).string());
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryFolder(), (folder.Path() / "home" / ".config" / "Brindle").string());
}

TEST(RegistryFilesTest, DamagedHiveKeepsWhatCanBeRead) {
    test::TempFolder folder;
    const std::string damaged = "REGEDIT4\r\n"
                                "\"Orphan\"=\"before any section\"\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Menu\\Settings]\r\n"
                                "\"Last\"=\"C:\\\\Start.z9m\"\r\n"
                                "this line is junk\r\n"
                                "\"Bad\"=dword:xyz\r\n"
                                "\"Home\"=\"C:\\Menus\\home.z9m\"\r\n"
                                "\"Dir\"=\"C:\\\"\r\n"
                                "\xff\x01\x02garbage\"=\r\n"
                                "[HKEY_CLASSES_ROOT\\.Z9F]\r\n"
                                "@=\"belongs to the other hive\"\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Menu\\StartSet]\r\n"
                                "\"MainLeft\"=\"1500\"\r\n"
                                "\"MainTop\"=\"12"; // cut short
    std::string bytes = damaged;
    bytes.insert(bytes.find("garbage") - 3, std::string(1, '\0')); // a zero byte inside a line
    folder.Write("registry/HKEY_CURRENT_USER.reg", bytes);

    const std::string settings = "Software\\Brindle\\Zorvan Menu\\Settings";
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, settings, "Last"), "C:\\Start.z9m");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, settings, "Home"), "C:\\Menus\\home.z9m");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, settings, "Dir"), "C:\\");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, settings, "Bad"), "<missing>");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\StartSet", "MainLeft"),
              "1500");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\StartSet", "MainTop"),
              "<missing>");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, ".Z9F", ""), "<missing>");

    EXPECT_EQ(SaveSetting("StartSet", "MainTop", 700), 0);
    for (const char* name : {"Last", "Home", "Dir"})
        EXPECT_NE(RegistryText(RegRoot::CurrentUser, settings, name), "<missing>") << name;
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\StartSet", "MainLeft"),
              "1500");
    EXPECT_EQ(GetSetting("StartSet", "MainTop", 0L), 700);
    // The damaged original stays beside the hive for whoever wants the rest.
    EXPECT_EQ(test::ReadFileBytes(folder.RegistryDir() / "HKEY_CURRENT_USER.reg.damaged"), bytes);
    std::string rewritten = test::ReadFileBytes(folder.RegistryDir() / kUser);
    EXPECT_EQ(rewritten.find("junk"), std::string::npos);
    EXPECT_NE(rewritten.find("\"Home\"=\"C:\\\\Menus\\\\home.z9m\""), std::string::npos) << rewritten;
}

TEST(RegistryFilesTest, HiveCutAnywhereNeverReadsAWrongValue) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Cut"), 0);
    const std::vector<RegNamedValue> values = {{"Path", RegValue::String("C:\\a \"q\"\\")},
                                               {"Number", RegValue::Dword(0x12345678)},
                                               {"Bin", {REG_BINARY_TYPE, "\x01\x02\x03"}},
                                               {"", RegValue::String("end")}};
    for (const auto& v : values)
        ASSERT_EQ(key.Set(v.name, v.value), 0);
    const std::string full = test::ReadFileBytes(folder.RegistryDir() / kUser);
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        folder.Write("registry/HKEY_CURRENT_USER.reg", full.substr(0, cut));
        RegKey k;
        if (k.Open(RegRoot::CurrentUser, "Software\\Brindle\\Cut") != 0) continue;
        for (const auto& v : values) {
            RegValue got;
            if (k.Query(v.name, got) != 0) {
                std::string line = v.name.empty() ? "@=" : "\"" + v.name + "\"=";
                size_t at = full.find(line);
                EXPECT_LT(cut, full.find("\r\n", at) + 2) << "complete line lost at " << cut;
                continue;
            }
            EXPECT_EQ(got.type, v.value.type) << "cut at " << cut;
            EXPECT_EQ(got.data, v.value.data) << "cut at " << cut;
        }
    }
}

TEST(RegistryFilesTest, BinaryJunkIsAnEmptyHiveThatAcceptsChanges) {
    test::TempFolder folder;
    std::string junk;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245 + 12345;
        junk.push_back(static_cast<char>(state >> 16));
    }
    folder.Write("registry/HKEY_CURRENT_USER.reg", junk);
    EXPECT_EQ(GetSetting("Settings", "Last", "C:\\Start.z9m"), "C:\\Start.z9m");
    EXPECT_EQ(SaveSetting("Settings", "Last", "C:\\m.z9m"), 0);
    EXPECT_EQ(GetSetting("Settings", "Last", "C:\\Start.z9m"), "C:\\m.z9m");
}

TEST(RegistryFilesTest, ReadsSeeAHiveRewrittenInPlace) {
    test::TempFolder folder;
    const std::string hive =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brindle\\Zorvan Menu\\Settings]\r\n"
        "\"Last\"=\"aaaa\"\r\n";
    folder.Write("registry/HKEY_CURRENT_USER.reg", hive);
    // Let the file settle long enough for its parsed form to be kept in memory.
    usleep(2100 * 1000);
    EXPECT_EQ(GetSetting("Settings", "Last", ""), "aaaa");
    EXPECT_EQ(GetSetting("Settings", "Last", ""), "aaaa");
    std::string changed = hive;
    changed.replace(changed.find("aaaa"), 4, "bbbb"); // same size, same file
    folder.Write("registry/HKEY_CURRENT_USER.reg", changed);
    EXPECT_EQ(GetSetting("Settings", "Last", ""), "bbbb");
}

TEST(RegistryFilesTest, TwoProcessesChangingOneHiveLoseNothing) {
    test::TempFolder folder;
    const int perChild = 150;
    std::vector<pid_t> children;
    for (char who : {'A', 'B', 'C'}) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < perChild; ++i)
                failures += SaveSetting("Race", std::string(1, who) + std::to_string(i),
                                        "v" + std::to_string(i)) != 0;
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Race"), 0);
    std::vector<RegNamedValue> values;
    ASSERT_EQ(key.EnumValues(values), 0);
    EXPECT_EQ(values.size(), 3u * perChild);
    for (char who : {'A', 'B', 'C'})
        for (int i = 0; i < perChild; ++i)
            EXPECT_EQ(GetSetting("Race", std::string(1, who) + std::to_string(i), "<missing>"),
                      "v" + std::to_string(i));
}

// Their speed is measured by bench_hive; a quadratic reader would not end here.
TEST(RegistryFilesTest, ThousandsOfKeysAndValues) {
    test::TempFolder folder;
    const int count = 20000;
    folder.Write("registry/HKEY_CURRENT_USER.reg", test::WideHiveText(count));

    RegKey key;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Many"), 0);
    std::vector<std::string> names;
    ASSERT_EQ(key.EnumKeys(names), 0);
    EXPECT_EQ(names.size(), static_cast<size_t>(count));
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Many\\KEY19999", "name"), "19999");
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Workstation\\Recent"), 0);
    ASSERT_EQ(key.Set("C:\\Tasks\\new.z9f", RegValue::String("2024-02-02 11:00:00")), 0);
    std::vector<RegNamedValue> values;
    ASSERT_EQ(key.EnumValues(values), 0);
    EXPECT_EQ(values.size(), static_cast<size_t>(count) + 1);
    EXPECT_EQ(values.back().name, "C:\\Tasks\\new.z9f");
}

} // namespace
} // namespace z9
