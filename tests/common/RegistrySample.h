#pragma once
// What the registry tests share: a value read back as text, and the sample keys
// that the interface's round trip and the Linux hive text both start from.
#include "common/Registry.h"

#include <gtest/gtest.h>
#include <string>

namespace z9::test {

// The value's text, "dword N" for a number, "<missing>" when the key or value is not there.
inline std::string RegistryText(RegRoot root, const std::string& path, const std::string& name) {
    RegKey key;
    RegValue value;
    if (key.Open(root, path) != 0 || key.Query(name, value) != 0) return "<missing>";
    return value.IsDword() ? "dword " + std::to_string(value.Number()) : value.Text();
}

// The menu's settings (a string with quotes, a number, a default value), an
// empty key and a class.
inline void CreateSampleKeys() {
    RegKey key;
    ASSERT_EQ(key.Create(RegRoot::CurrentUser, "Software\\Brindle\\Zorvan Menu\\Settings"), 0);
    EXPECT_EQ(key.Set("Last", RegValue::String("C:\\Menus\\a \"b\".z9m")), 0);
    EXPECT_EQ(key.Set("StartOpen", RegValue::Dword(10)), 0);
    EXPECT_EQ(key.Set("", RegValue::String("default")), 0);
    RegKey empty;
    ASSERT_EQ(empty.Create(RegRoot::CurrentUser, "Software\\Brindle\\Empty"), 0);
    RegKey cls;
    ASSERT_EQ(cls.Create(RegRoot::ClassesRoot, ".Z9F"), 0);
    EXPECT_EQ(cls.Set("", RegValue::String("Zorvan File")), 0);
}

} // namespace z9::test
