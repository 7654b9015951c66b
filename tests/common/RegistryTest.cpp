#include "common/Registry.h"
#include "common/SystemErrorText.h"
#include "tests/common/RegistrySample.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include <aclapi.h>
#include <windows.h>
#endif

// The registry through its interface, the same on every platform: Windows's own
// registry (inside a scratch key that stands in for the roots while a test
// folder lives) or the Linux hive files.
namespace z9 {
namespace {

using test::RegistryText;

TEST(RegistryTest, ValuesRoundTrip) {
    test::TempFolder folder;
    test::CreateSampleKeys();
    if (HasFatalFailure()) return;

    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings", "Last"),
              "C:\\Menus\\a \"b\".z9m");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings", "StartOpen"),
              "dword 10");
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings", ""), "default");
    EXPECT_EQ(RegistryText(RegRoot::ClassesRoot, ".Z9F", ""), "Zorvan File");
    RegKey reopened;
    EXPECT_EQ(reopened.Open(RegRoot::CurrentUser, "Software\\Brindle\\Empty"), 0);
    EXPECT_EQ(reopened.Open(RegRoot::ClassesRoot, "Software\\Brindle\\Empty"), 2);
}

TEST(RegistryTest, ValuesWithLineBreaksAndOtherTypesSurvive) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\T"), 0);
    RegValue lines = RegValue::String("one\r\ntwo");
    RegValue binary{REG_BINARY_TYPE, std::string("\x00\xff\x10", 3)};
    RegValue expand = RegValue::String("%TEMP%\\x");
    expand.type = REG_EXPAND_SZ_TYPE;
    EXPECT_EQ(key.Set("Lines", lines), 0);
    EXPECT_EQ(key.Set("Bin", binary), 0);
    EXPECT_EQ(key.Set("Expand", expand), 0);
    for (const RegNamedValue& v : {RegNamedValue{"Lines", lines}, {"Bin", binary}, {"Expand", expand}}) {
        RegValue back;
        ASSERT_EQ(key.Query(v.name, back), 0) << v.name;
        EXPECT_EQ(back.type, v.value.type) << v.name;
        EXPECT_EQ(back.data, v.value.data) << v.name;
    }
}

TEST(RegistryTest, KeysIgnoreLetterCaseAndKeepTheirOwn) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Foo"), 0);
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "SOFTWARE\\brindle\\foo"), 0);
    EXPECT_EQ(key.Set("MainLeft", RegValue::String("1")), 0);
    EXPECT_EQ(key.Set("MAINLEFT", RegValue::String("2")), 0);
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "software\\BRINDLE\\FOO\\Bar"), 0);

    RegKey parent;
    ASSERT_EQ(parent.Open(RegRoot::CurrentUser, "software\\brindle"), 0);
    std::vector<std::string> names;
    ASSERT_EQ(parent.EnumKeys(names), 0);
    EXPECT_EQ(names, std::vector<std::string>{"Foo"});
    ASSERT_EQ(parent.Open(RegRoot::CurrentUser, "Software\\Brindle\\FOO"), 0);
    ASSERT_EQ(parent.EnumKeys(names), 0);
    EXPECT_EQ(names, std::vector<std::string>{"Bar"});
    std::vector<RegNamedValue> values;
    ASSERT_EQ(parent.EnumValues(values), 0);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "MainLeft");
    EXPECT_EQ(values[0].value.Text(), "2");
}

TEST(RegistryTest, DeletionAndEnumeration) {
    test::TempFolder folder;
    RegKey key;
    for (const char* path :
         {"Software\\A\\Foo\\x\\y", "Software\\A\\Foo Bar", "Software\\A\\Fo", "Software\\A\\Zed"})
        ASSERT_EQ(key.Create(RegRoot::CurrentUser, path), 0) << path;
    ASSERT_EQ(key.Open(RegRoot::CurrentUser, "Software\\A"), 0);
    for (const char* name : {"c", "a", "b"})
        ASSERT_EQ(key.Set(name, RegValue::String(name)), 0);

    std::vector<RegNamedValue> values;
    ASSERT_EQ(key.EnumValues(values), 0);
    ASSERT_EQ(values.size(), 3u);
#ifdef _WIN32
    // Windows promises no order of values.
    std::vector<std::string> sorted{values[0].name, values[1].name, values[2].name};
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"a", "b", "c"}));
#else
    EXPECT_EQ(values[0].name + values[1].name + values[2].name,
              "cab"); // the hive keeps the order of creation
#endif
    EXPECT_EQ(key.DeleteValue("A"), 0);
    EXPECT_EQ(key.DeleteValue("a"), 2);
    ASSERT_EQ(key.EnumValues(values), 0);
    EXPECT_EQ(values.size(), 2u);

    RegKey foo;
    ASSERT_EQ(foo.Open(RegRoot::CurrentUser, "Software\\A\\Foo"), 0);
    EXPECT_EQ(DeleteRegKey(RegRoot::CurrentUser, "software\\a\\foo"), 0);
    EXPECT_EQ(DeleteRegKey(RegRoot::CurrentUser, "Software\\A\\Foo"), 2);
    EXPECT_EQ(DeleteRegKey(RegRoot::CurrentUser, ""), ERROR_INVALID_PARAMETER_CODE);
    std::vector<std::string> names;
    ASSERT_EQ(key.EnumKeys(names), 0);
    EXPECT_EQ(names, (std::vector<std::string>{"Fo", "Foo Bar", "Zed"}));
    EXPECT_EQ(key.Open(RegRoot::CurrentUser, "Software\\A\\Foo\\x\\y"), 2);

    // A handle to a deleted key answers as Windows does.
    RegValue v;
    EXPECT_EQ(foo.Query("x", v), ERROR_KEY_DELETED_CODE);
    EXPECT_EQ(foo.Set("x", RegValue::String("x")), ERROR_KEY_DELETED_CODE);
    RegKey closed;
    EXPECT_EQ(closed.Query("x", v), ERROR_INVALID_HANDLE_CODE);
}

#ifdef _WIN32
// A key the user may read but not change is still read: reading never asks
// for the right to write. The key's access list grants reading only.
TEST(RegistryTest, AKeyThatMayOnlyBeReadIsStillRead) {
    test::TempFolder folder;
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Locked"), 0);
    ASSERT_EQ(key.Set("Last", RegValue::String("C:\\m.z9m")), 0);
    key.Close();

    HKEY raw = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brindle\\Locked", 0, READ_CONTROL | WRITE_DAC, &raw),
        ERROR_SUCCESS);
    EXPLICIT_ACCESS_A grant = {};
    grant.grfAccessPermissions = KEY_READ;
    grant.grfAccessMode = SET_ACCESS;
    grant.grfInheritance = NO_INHERITANCE;
    grant.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    grant.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &grant, nullptr, &acl), ERROR_SUCCESS);
    DWORD rc =
        SetSecurityInfo(raw, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    RegCloseKey(raw);
    ASSERT_EQ(rc, ERROR_SUCCESS);

    HKEY probe = nullptr;
    LONG denied = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brindle\\Locked", 0, KEY_ALL_ACCESS, &probe);
    if (probe) RegCloseKey(probe);
    if (denied != ERROR_ACCESS_DENIED) GTEST_SKIP() << "this system does not check registry access lists";

    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Locked", "Last"), "C:\\m.z9m");
    RegKey again;
    ASSERT_EQ(again.Create(RegRoot::CurrentUser, "Software\\Brindle\\Locked"), 0); // already there: opened
    EXPECT_EQ(again.Set("Last", RegValue::String("x")), ERROR_ACCESS_DENIED_CODE);
    EXPECT_EQ(RegistryText(RegRoot::CurrentUser, "Software\\Brindle\\Locked", "Last"), "C:\\m.z9m");
}
#endif

} // namespace
} // namespace z9
