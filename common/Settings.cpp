#include "Settings.h"

#include "Program.h"
#include "SystemErrorText.h"

#include <climits>

namespace z9 {
namespace {

std::string& AppKeyStore() {
    static std::string key = kMenuAppKey;
    return key;
}

std::string UnderSoftware(const std::string& path) {
    return "Software\\" + path;
}

std::string SectionPath(const std::string& section) {
    return UnderSoftware(AppKey() + "\\" + section);
}

bool IsStringType(long type) {
    return type == 0 || type == REG_SZ_TYPE;
}

} // namespace

const std::string& AppKey() {
    return AppKeyStore();
}
void SetAppKey(const std::string& key) {
    AppKeyStore() = key;
}

bool KeyExists(const std::string& path) {
    RegKey key;
    return key.Open(RegRoot::CurrentUser, UnderSoftware(path)) == 0;
}

long CreateKey(const std::string& path) {
    RegKey key;
    return key.Create(RegRoot::CurrentUser, UnderSoftware(path));
}

long SetStringValue(RegRoot root, const std::string& path, const std::string& name, const std::string& text) {
    RegKey key;
    if (long rc = key.Create(root, path)) return rc;
    // Stored with its terminating zero, as every reader of a string value expects.
    return key.Set(name, RegValue::String(text));
}

bool SettingNumber(const std::string& text, long& number) {
    size_t i = 0, n = text.size();
    auto blank = [&](size_t at) { return at < n && (text[at] == ' ' || text[at] == '\t'); };
    while (blank(i))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long whole = 0;
    size_t digits = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (whole > (LLONG_MAX - 1 - (text[i] - '0')) / 10) return false;
        whole = whole * 10 + (text[i] - '0');
    }
    // The fraction decides the rounding: above one half rounds up, exactly one half to even.
    int firstFraction = -1;
    bool restNonZero = false;
    if (i < n && text[i] == '.') {
        for (++i; i < n && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            if (firstFraction < 0)
                firstFraction = text[i] - '0';
            else if (text[i] != '0')
                restNonZero = true;
        }
    }
    while (blank(i))
        ++i;
    if (digits == 0 || i != n) return false;
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1))) ++whole;
    if (negative) whole = -whole;
    if (whole > LONG_MAX || whole < LONG_MIN) return false;
    number = static_cast<long>(whole);
    return true;
}

long SetValue(const RegKey& key, const std::string& name, long type, const std::string& value) {
    if (IsStringType(type)) return key.Set(name, RegValue::String(value));
    if (type == REG_DWORD_TYPE) {
        long number = 0;
        if (!SettingNumber(value, number)) return ERROR_INVALID_PARAMETER_CODE;
        return SetValue(key, name, type, number);
    }
    return ERROR_INVALID_PARAMETER_CODE;
}

long SetValue(const RegKey& key, const std::string& name, long type, long value) {
    if (IsStringType(type)) return key.Set(name, RegValue::String(std::to_string(value)));
    if (type == REG_DWORD_TYPE) {
        // A 32-bit number, signed or not.
        if (static_cast<long long>(value) < INT_MIN ||
            static_cast<long long>(value) > static_cast<long long>(UINT_MAX))
            return ERROR_INVALID_PARAMETER_CODE;
        return key.Set(name, RegValue::Dword(static_cast<unsigned long>(value) & 0xFFFFFFFFUL));
    }
    return ERROR_INVALID_PARAMETER_CODE;
}

long QueryValue(const RegKey& key, const std::string& name, std::string& value) {
    RegValue stored;
    if (long rc = key.Query(name, stored)) return rc;
    if (stored.IsString()) {
        value = stored.Text();
        return 0;
    }
    if (stored.IsDword()) {
        value = std::to_string(static_cast<int>(static_cast<unsigned int>(stored.Number())));
        return 0;
    }
    return ERROR_INVALID_DATA_CODE;
}

std::string GetSetting(const std::string& section, const std::string& name, const std::string& defaultValue) {
    std::string value = defaultValue;
    RegKey key;
    if (key.Open(RegRoot::CurrentUser, SectionPath(section)) == 0 && !name.empty())
        QueryValue(key, name, value);
    return value;
}

long GetSetting(const std::string& section, const std::string& name, long defaultValue) {
    long number = defaultValue;
    std::string text;
    RegKey key;
    if (key.Open(RegRoot::CurrentUser, SectionPath(section)) == 0 && !name.empty() &&
        QueryValue(key, name, text) == 0 && SettingNumber(text, number))
        return number;
    return defaultValue;
}

long SaveSetting(const std::string& section, const std::string& name, const std::string& value, long type) {
    if (!IsStringType(type) && type != REG_DWORD_TYPE) return ERROR_INVALID_PARAMETER_CODE;
    RegKey key;
    if (long rc = key.Create(RegRoot::CurrentUser, SectionPath(section))) return rc;
    return SetValue(key, name, type, value);
}

long SaveSetting(const std::string& section, const std::string& name, long value, long type) {
    if (!IsStringType(type) && type != REG_DWORD_TYPE) return ERROR_INVALID_PARAMETER_CODE;
    RegKey key;
    if (long rc = key.Create(RegRoot::CurrentUser, SectionPath(section))) return rc;
    return SetValue(key, name, type, value);
}

// ---- file association

std::string ShellOpenCommand(const std::string& program) {
    return "\"" + ProgramFile(program) + "\" %1";
}

std::string ShellIcon(const std::string& program) {
    return ProgramFile(program) + ",0";
}

std::vector<ClassesEntry> AssociationEntries(const FileType& type, const std::string& extraVerb) {
    std::vector<ClassesEntry> entries = {{type.className, type.className}, {type.extension, type.className}};
    if (extraVerb.empty()) {
        entries.push_back({type.className + "\\shell\\open\\command", ShellOpenCommand(type.program)});
        entries.push_back({type.className + "\\DefaultIcon", ShellIcon(type.program)});
    } else {
        entries.push_back(
            {type.className + "\\shell\\" + extraVerb + "\\command", ShellOpenCommand(type.program)});
    }
    return entries;
}

long WriteClassesEntries(const std::vector<ClassesEntry>& entries, bool stopAtFirstError) {
    long first = 0;
    for (const auto& entry : entries) {
        long rc = SetStringValue(RegRoot::ClassesRoot, entry.key, "", entry.value);
        if (rc && !first) first = rc;
        if (rc && stopAtFirstError) break;
    }
    return first;
}

} // namespace z9
