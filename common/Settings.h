#pragma once
// Settings helpers both programs use, and the mechanism that associates a file
// type with one of our programs. Failures come back as Windows error codes;
// nothing throws and nothing is shown.
#include "Registry.h"

#include <string>
#include <vector>

namespace z9 {

// The application key at rest; the submitter switches away from it only around
// its own window placement.
inline constexpr const char* kMenuAppKey = "Brindle\\Zorvan Menu";

// The sub-key of HKEY_CURRENT_USER\Software under which GetSetting and SaveSetting work.
const std::string& AppKey();
void SetAppKey(const std::string& key);

// Switches the application key for one scope and puts the previous one back.
class AppKeyScope {
public:
    explicit AppKeyScope(const std::string& key) : previous_(AppKey()) { SetAppKey(key); }
    ~AppKeyScope() { SetAppKey(previous_); }
    AppKeyScope(const AppKeyScope&) = delete;
    AppKeyScope& operator=(const AppKeyScope&) = delete;

private:
    std::string previous_;
};

// True when HKEY_CURRENT_USER\Software\<path> exists.
bool KeyExists(const std::string& path);
// Creates HKEY_CURRENT_USER\Software\<path> with its missing parents.
long CreateKey(const std::string& path);
// Creates or opens root\path and stores text there as a string value.
long SetStringValue(RegRoot root, const std::string& path, const std::string& name, const std::string& text);

// A value of section <section> of the application key: a string as it is, a
// number as its decimal text. The default when the key or the value is missing,
// when name is empty, or when the value is neither a string nor a number.
std::string GetSetting(const std::string& section, const std::string& name,
                       const std::string& defaultValue = "");
// The same value read as a whole number (fractions rounded); the default also
// when it is not a number.
long GetSetting(const std::string& section, const std::string& name, long defaultValue);

// Stores a value in section <section> of the application key, creating the key
// when it is missing. type 0 or 1 stores a string, 4 a 32-bit number.
long SaveSetting(const std::string& section, const std::string& name, const std::string& value,
                 long type = REG_SZ_TYPE);
long SaveSetting(const std::string& section, const std::string& name, long value, long type = REG_SZ_TYPE);

// The storing step of SaveSetting on an open key. Types other than 0, 1 and 4
// store nothing (ERROR_INVALID_PARAMETER_CODE), as does a number type given a
// text that is no number.
long SetValue(const RegKey& key, const std::string& name, long type, const std::string& value);
long SetValue(const RegKey& key, const std::string& name, long type, long value);

// Reads a string or a 32-bit number (as decimal text) into value. When the
// value is missing or of another type, value keeps what the caller put there.
long QueryValue(const RegKey& key, const std::string& name, std::string& value);

// A text read as a whole number the way a stored setting is: blanks around it
// allowed, fractions rounded half to even. False when it is no number or out of range.
bool SettingNumber(const std::string& text, long& number);

// ---- file association

// One default value under HKEY_CLASSES_ROOT.
struct ClassesEntry {
    std::string key;
    std::string value;
};

// A file type one of our programs opens.
struct FileType {
    std::string extension; // ".Z9F"
    std::string className; // "Zorvan File"
    std::string program;   // the executable's base name in the program's folder, "Z9Sub"
};

// The command the shell runs to open a file with program: the quoted program
// path, a blank and %1.
std::string ShellOpenCommand(const std::string& program);
// The icon of the type: the program path and ",0".
std::string ShellIcon(const std::string& program);

// The entries that give a file type to a program, in the order they are
// written: the class with its name, the extension, the open command, the icon.
// With an extra verb the program adds itself under that verb only and leaves
// the open command and the icon to whoever owns them.
std::vector<ClassesEntry> AssociationEntries(const FileType& type, const std::string& extraVerb = "");

// Writes each entry as the default string value of its key (created when it
// cannot be opened). With stopAtFirstError nothing more is written after a
// failure; otherwise every entry is tried. Returns the first error, 0 when all
// were written.
long WriteClassesEntries(const std::vector<ClassesEntry>& entries, bool stopAtFirstError);

} // namespace z9
