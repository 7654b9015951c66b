#pragma once
// The registry: keys and values under HKEY_CURRENT_USER and HKEY_CLASSES_ROOT.
//
// Every operation returns a Windows error code (0 success, 2 missing, ...) and
// never throws. On Windows this is advapi32 (Registry_win.cpp), asking for no
// more access than each call needs. On Linux each root is a REGEDIT4 text file
// (HKEY_CURRENT_USER.reg, HKEY_CLASSES_ROOT.reg, see RegistryHive.h); every
// change re-reads the file under a lock and replaces it atomically, so both
// programs may write at once (Registry_unix.cpp). Key and value names compare
// without regard to letter case and keep the case they were created with.
#include <string>
#include <vector>

namespace z9 {

enum class RegRoot { CurrentUser, ClassesRoot };

// Value types, numbered as Windows numbers them.
enum RegType : unsigned long {
    REG_NONE_TYPE = 0,
    REG_SZ_TYPE = 1,
    REG_EXPAND_SZ_TYPE = 2,
    REG_BINARY_TYPE = 3,
    REG_DWORD_TYPE = 4,
    REG_MULTI_SZ_TYPE = 7,
};

// Codes the registry returns besides those of SystemErrorText.h.
inline constexpr long ERROR_INVALID_HANDLE_CODE = 6;
inline constexpr long ERROR_INVALID_DATA_CODE = 13;
inline constexpr long ERROR_INVALID_PARAMETER_CODE = 87;
inline constexpr long ERROR_BAD_PATHNAME_CODE = 161;
inline constexpr long ERROR_KEY_DELETED_CODE = 1018;

// A value as the registry holds it: its type and its data bytes. A string's
// data normally ends with one zero byte; a number is 4 bytes, low byte first.
struct RegValue {
    unsigned long type = REG_NONE_TYPE;
    std::string data;

    static RegValue String(const std::string& text); // REG_SZ with its terminating zero
    static RegValue Dword(unsigned long number);     // REG_DWORD
    bool IsString() const { return type == REG_SZ_TYPE || type == REG_EXPAND_SZ_TYPE; }
    bool IsDword() const { return type == REG_DWORD_TYPE && data.size() == 4; }
    // A string's text: the data up to its first zero byte (all of it when there is none).
    std::string Text() const;
    // A number's value; 0 when the value is not a 4-byte number.
    unsigned long Number() const;
};

struct RegNamedValue {
    std::string name; // empty for the key's default value
    RegValue value;
};

// An open key. Moves, does not copy, and closes itself.
class RegKey {
public:
    RegKey() = default;
    ~RegKey();
    RegKey(RegKey&& other) noexcept;
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Opens root\path, which must exist (2 when it does not). Sub-keys are
    // separated by '\'; an empty path opens the root itself.
    long Open(RegRoot root, const std::string& path);
    // Opens root\path, creating it and any missing parents first.
    long Create(RegRoot root, const std::string& path);
    void Close();
    bool IsOpen() const { return open_; }

    // Reads one value; an empty name is the default value. 2 when it is missing.
    long Query(const std::string& name, RegValue& value) const;
    // Creates or replaces one value.
    long Set(const std::string& name, const RegValue& value) const;
    long DeleteValue(const std::string& name) const;
    // The names of the key's direct sub-keys, as they were created.
    long EnumKeys(std::vector<std::string>& names) const;
    // All values of the key with their data; on Linux in the order they were
    // created (Windows promises no order).
    long EnumValues(std::vector<RegNamedValue>& values) const;

private:
    bool open_ = false;
    RegRoot root_ = RegRoot::CurrentUser;
    std::string path_;               // as opened (Windows) or as the hive spells it (Linux)
    void* handle_ = nullptr;         // Windows: the key opened for reading
    mutable void* setter_ = nullptr; // Windows: the same key opened for changing its values, once needed
};

// Deletes root\path with all its sub-keys and values; 2 when it does not exist.
long DeleteRegKey(RegRoot root, const std::string& path);

} // namespace z9
