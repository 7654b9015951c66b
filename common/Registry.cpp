#include "Registry.h"

#include "AsciiText.h"
#include "SystemErrorText.h"

#ifdef _WIN32
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601 // RegDeleteTree
#endif
#include <windows.h>
#else
#include "Program.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#endif

namespace z9 {

RegValue RegValue::String(const std::string& text) {
    RegValue v;
    v.type = REG_SZ_TYPE;
    v.data = text;
    v.data.push_back('\0');
    return v;
}

RegValue RegValue::Dword(unsigned long number) {
    RegValue v;
    v.type = REG_DWORD_TYPE;
    for (int i = 0; i < 4; ++i)
        v.data.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
    return v;
}

std::string RegValue::Text() const {
    auto end = data.find('\0');
    return end == std::string::npos ? data : data.substr(0, end);
}

unsigned long RegValue::Number() const {
    if (!IsDword()) return 0;
    unsigned long n = 0;
    for (int i = 3; i >= 0; --i)
        n = (n << 8) | static_cast<unsigned char>(data[i]);
    return n;
}

RegKey::~RegKey() {
    Close();
}

RegKey::RegKey(RegKey&& other) noexcept {
    *this = std::move(other);
}

#ifdef _WIN32
// ---------------------------------------------------------------- Windows

namespace {

HKEY RootHandle(RegRoot root) {
    return root == RegRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

} // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        open_ = other.open_;
        handle_ = other.handle_;
        other.open_ = false;
        other.handle_ = nullptr;
    }
    return *this;
}

long RegKey::Open(RegRoot root, const std::string& path) {
    Close();
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExA(RootHandle(root), path.c_str(), 0, KEY_ALL_ACCESS, &h);
    if (rc != ERROR_SUCCESS) return rc;
    handle_ = h;
    open_ = true;
    return ERROR_SUCCESS;
}

long RegKey::Create(RegRoot root, const std::string& path) {
    Close();
    HKEY h = nullptr;
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &h, &disposition);
    if (rc != ERROR_SUCCESS) return rc;
    handle_ = h;
    open_ = true;
    return ERROR_SUCCESS;
}

void RegKey::Close() {
    if (open_ && handle_) RegCloseKey(static_cast<HKEY>(handle_));
    handle_ = nullptr;
    open_ = false;
}

long RegKey::Query(const std::string& name, RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    HKEY h = static_cast<HKEY>(handle_);
    // The value may grow between the two calls; ask again until it fits.
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0, size = 0;
        LONG rc = RegQueryValueExA(h, name.c_str(), nullptr, &type, nullptr, &size);
        if (rc != ERROR_SUCCESS) return rc;
        std::string data(size, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(h, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.empty() ? nullptr : &data[0]), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS) return rc;
        data.resize(got);
        value.type = type;
        value.data = std::move(data);
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

long RegKey::Set(const std::string& name, const RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    return RegSetValueExA(static_cast<HKEY>(handle_), name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size()));
}

long RegKey::DeleteValue(const std::string& name) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    return RegDeleteValueA(static_cast<HKEY>(handle_), name.c_str());
}

long RegKey::EnumKeys(std::vector<std::string>& names) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    names.clear();
    HKEY h = static_cast<HKEY>(handle_);
    for (DWORD i = 0;; ++i) {
        char buffer[256]; // key names are at most 255 characters
        DWORD len = sizeof buffer;
        LONG rc = RegEnumKeyExA(h, i, buffer, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (rc != ERROR_SUCCESS) return rc;
        names.emplace_back(buffer, len);
    }
}

long RegKey::EnumValues(std::vector<RegNamedValue>& values) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    values.clear();
    HKEY h = static_cast<HKEY>(handle_);
    DWORD maxName = 0, maxData = 0;
    LONG rc = RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                               &maxData, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    std::string name(maxName + 1, '\0');
    std::string data(maxData, '\0');
    for (DWORD i = 0;;) {
        DWORD nameLen = static_cast<DWORD>(name.size());
        DWORD dataLen = static_cast<DWORD>(data.size());
        DWORD type = 0;
        rc = RegEnumValueA(h, i, &name[0], &nameLen, nullptr, &type,
                           reinterpret_cast<BYTE*>(data.empty() ? nullptr : &data[0]), &dataLen);
        if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (rc == ERROR_MORE_DATA) {
            // Something grew meanwhile: widen both buffers and read this value again.
            name.resize(name.size() * 2 + 256);
            data.resize(dataLen > data.size() ? dataLen : data.size() * 2 + 256);
            continue;
        }
        if (rc != ERROR_SUCCESS) return rc;
        RegNamedValue v;
        v.name.assign(name.data(), nameLen);
        v.value.type = type;
        v.value.data.assign(data.data(), dataLen);
        values.push_back(std::move(v));
        ++i;
    }
}

long DeleteRegKey(RegRoot root, const std::string& path) {
    if (path.empty()) return ERROR_INVALID_PARAMETER_CODE;
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExA(RootHandle(root), path.c_str(), 0, KEY_ALL_ACCESS, &h);
    if (rc != ERROR_SUCCESS) return rc;
    RegCloseKey(h);
    rc = RegDeleteTreeA(RootHandle(root), path.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
    rc = RegDeleteKeyA(RootHandle(root), path.c_str());
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

#else
// ---------------------------------------------------------------- Linux: REGEDIT4 hive files

namespace {

const char* RootName(RegRoot root) {
    return root == RegRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

// Names compare by their lower-case ASCII form (the registry folds letter case).
std::string FoldName(const std::string& name) {
    std::string out(name);
    for (char& c : out)
        c = LowerAscii(c);
    return out;
}

// A key path's lookup form: folded, with '\0' for the separator so that a key
// sorts right before its sub-keys.
std::string FoldPath(const std::string& path) {
    std::string out(path);
    for (char& c : out)
        c = c == '\\' ? '\0' : LowerAscii(c);
    return out;
}

bool HasLineBreakOrZero(const std::string& s) {
    return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// Checks a key path and drops one trailing '\'. Empty parts and characters the
// hive file cannot hold in a section line are refused.
long NormalizeKeyPath(const std::string& path, std::string& out) {
    out = path;
    if (!out.empty() && out.back() == '\\') out.pop_back();
    if (out.empty()) return path.empty() ? 0 : ERROR_BAD_PATHNAME_CODE;
    if (out.front() == '\\' || out.find("\\\\") != std::string::npos) return ERROR_BAD_PATHNAME_CODE;
    if (HasLineBreakOrZero(out)) return ERROR_INVALID_PARAMETER_CODE;
    return 0;
}

struct HiveKey {
    std::string path; // as created; empty for the root
    std::vector<RegNamedValue> values;
    std::unordered_map<std::string, size_t> index; // folded value name -> position in values

    const RegNamedValue* Find(const std::string& name) const {
        auto it = index.find(FoldName(name));
        return it == index.end() ? nullptr : &values[it->second];
    }
    // Stores a value; an existing one keeps the case of its name. False when nothing changed.
    bool Put(const std::string& name, const RegValue& value) {
        auto [it, added] = index.emplace(FoldName(name), values.size());
        if (added) {
            values.push_back({name, value});
            return true;
        }
        RegValue& old = values[it->second].value;
        if (old.type == value.type && old.data == value.data) return false;
        old = value;
        return true;
    }
    bool Remove(const std::string& name) {
        auto it = index.find(FoldName(name));
        if (it == index.end()) return false;
        size_t at = it->second;
        index.erase(it);
        values.erase(values.begin() + static_cast<std::ptrdiff_t>(at));
        for (size_t i = at; i < values.size(); ++i)
            index[FoldName(values[i].name)] = i;
        return true;
    }
};

struct Hive {
    std::map<std::string, HiveKey> keys; // by FoldPath; the root is always there under ""
    bool lostLines = false;              // some line could not be read

    Hive() { keys[""]; }

    HiveKey* Find(const std::string& path) {
        auto it = keys.find(FoldPath(path));
        return it == keys.end() ? nullptr : &it->second;
    }
    // Finds or creates a key and its missing parents; a new key is spelt as its
    // parent is, followed by its own name as given. Sets created when anything was added.
    HiveKey& Ensure(const std::string& path, bool* created = nullptr) {
        HiveKey* key = &keys[""];
        size_t start = 0;
        while (start < path.size()) {
            size_t end = path.find('\\', start);
            if (end == std::string::npos) end = path.size();
            std::string folded = FoldPath(path.substr(0, end));
            auto it = keys.find(folded);
            if (it == keys.end()) {
                std::string spelt = key->path.empty() ? path.substr(start, end - start)
                                                      : key->path + '\\' + path.substr(start, end - start);
                it = keys.emplace(std::move(folded), HiveKey{}).first;
                it->second.path = std::move(spelt);
                if (created) *created = true;
            }
            key = &it->second;
            start = end + 1;
        }
        return *key;
    }
    // Removes a key and everything below it. False when it did not exist.
    bool Erase(const std::string& path) {
        std::string folded = FoldPath(path);
        auto first = keys.find(folded);
        if (first == keys.end()) return false;
        std::string prefix = folded + '\0';
        auto last = std::next(first);
        while (last != keys.end() && last->first.compare(0, prefix.size(), prefix) == 0)
            ++last;
        keys.erase(first, last);
        return true;
    }
    std::vector<std::string> Children(const std::string& path) const {
        std::vector<std::string> names;
        std::string prefix = FoldPath(path);
        if (!prefix.empty()) prefix.push_back('\0');
        for (auto it = keys.lower_bound(prefix); it != keys.end(); ++it) {
            const std::string& folded = it->first;
            if (folded.compare(0, prefix.size(), prefix) != 0) break;
            if (folded.size() == prefix.size()) continue; // the root itself
            if (folded.find('\0', prefix.size()) != std::string::npos) continue;
            const std::string& spelt = it->second.path;
            names.push_back(spelt.substr(spelt.size() - (folded.size() - prefix.size())));
        }
        return names;
    }
};

// ---- reading the text

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Blanks and a CR left over from a CR LF line end.
std::string_view Trim(std::string_view s) {
    return TrimView(s, " \t\r");
}

// Reads a quoted text starting at s[0] == '"'. Only \\ and \" are escapes; a
// backslash before anything else stands for itself, as people type paths by
// hand. Returns the position after the closing quote, or npos when it is missing.
size_t ReadQuoted(std::string_view s, std::string& out) {
    out.clear();
    for (size_t i = 1; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out.push_back(s[++i]);
        } else if (c == '"') {
            return i + 1;
        } else {
            out.push_back(c);
        }
    }
    return std::string_view::npos;
}

// "text" as a whole data field. A string whose quotes do not pair up cleanly
// (an unescaped quote inside, a lone backslash before the closing quote) is
// still read as everything between the first and the last quote, unless only
// the strict form is wanted.
bool ReadStringData(std::string_view data, std::string& text, bool strict) {
    size_t end = ReadQuoted(data, text);
    if (end != std::string_view::npos && Trim(data.substr(end)).empty()) return true;
    if (strict || data.size() < 2 || data.back() != '"') return false;
    std::string_view inner = data.substr(1, data.size() - 2);
    text.clear();
    for (size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '\\' && i + 1 < inner.size() && (inner[i + 1] == '\\' || inner[i + 1] == '"')) ++i;
        text.push_back(inner[i]);
    }
    return true;
}

// aa,bb,... (blanks and line joins already removed or tolerated).
bool ReadHexBytes(std::string_view s, std::string& out) {
    out.clear();
    s = Trim(s);
    if (s.empty()) return true;
    size_t i = 0;
    for (;;) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        if (i + 2 > s.size()) return false;
        int hi = HexDigit(s[i]), lo = HexDigit(s[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        if (i == s.size()) return true;
        if (s[i] != ',') return false;
        ++i;
    }
}

// strict: only the forms this file's writer produces, complete. A file cut
// short ends in a line that may look valid but hold only part of its value.
bool ReadData(std::string_view data, RegValue& value, bool strict) {
    data = Trim(data);
    if (!data.empty() && data.front() == '"') {
        std::string text;
        if (!ReadStringData(data, text, strict)) return false;
        value = RegValue::String(text);
        return true;
    }
    if (StartsWithNoCase(data, "dword:")) {
        std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8 || (strict && digits.size() != 8)) return false;
        unsigned long n = 0;
        for (char c : digits) {
            int d = HexDigit(c);
            if (d < 0) return false;
            n = n * 16 + static_cast<unsigned long>(d);
        }
        value = RegValue::Dword(n);
        return true;
    }
    if (strict) return false;
    if (StartsWithNoCase(data, "hex:")) {
        value.type = REG_BINARY_TYPE;
        return ReadHexBytes(data.substr(4), value.data);
    }
    if (StartsWithNoCase(data, "hex(")) {
        size_t close = data.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12) return false;
        unsigned long type = 0;
        for (char c : data.substr(4, close - 4)) {
            int d = HexDigit(c);
            if (d < 0) return false;
            type = type * 16 + static_cast<unsigned long>(d);
        }
        value.type = type;
        return ReadHexBytes(data.substr(close + 2), value.data);
    }
    return false;
}

// One value line: @=data or "name"=data.
bool ReadValueLine(std::string_view line, std::string& name, RegValue& value, bool strict) {
    size_t pos;
    if (line.front() == '@') {
        name.clear();
        pos = 1;
    } else {
        pos = ReadQuoted(line, name);
        if (pos == std::string_view::npos) return false;
    }
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos >= line.size() || line[pos] != '=') return false;
    if (HasLineBreakOrZero(name)) return false;
    return ReadData(line.substr(pos + 1), value, strict);
}

// Reads a hive text. Lines that cannot be read are skipped (and noted); all
// others are kept, whatever surrounds them.
Hive ParseHive(std::string_view text, RegRoot root) {
    Hive hive;
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    HiveKey* current = nullptr;
    size_t pos = 0;
    bool cutShort = false; // the line just read has no line break after it
    auto nextLine = [&](std::string_view& line) {
        if (pos >= text.size()) return false;
        size_t end = text.find('\n', pos);
        cutShort = end == std::string_view::npos;
        if (cutShort) end = text.size();
        line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        return true;
    };
    std::string_view line;
    bool first = true;
    while (nextLine(line)) {
        bool header = first && line == "REGEDIT4";
        first = false;
        if (header || line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            current = nullptr;
            std::string_view inner =
                line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
            // Sections of another root do not belong in this file and are skipped.
            std::string_view rootName = RootName(root);
            if (StartsWithNoCase(inner, rootName)) {
                std::string_view rest = inner.substr(rootName.size());
                std::string path;
                if (rest.empty() ||
                    (rest.front() == '\\' && NormalizeKeyPath(std::string(rest.substr(1)), path) == 0 &&
                     !path.empty()))
                    current = &hive.Ensure(path);
            }
            if (!current) hive.lostLines = true;
            continue;
        }
        if (line.front() == '@' || line.front() == '"') {
            // Long binary data continues on the next lines after a trailing '\'.
            std::string joined;
            if (line.back() == '\\' && line.find("=hex") != std::string_view::npos) {
                joined.assign(line.substr(0, line.size() - 1));
                std::string_view more;
                bool open = true;
                while (open && nextLine(more)) {
                    open = !more.empty() && more.back() == '\\';
                    joined.append(open ? more.substr(0, more.size() - 1) : more);
                }
                line = joined;
            }
            std::string name;
            RegValue value;
            if (current && ReadValueLine(line, name, value, cutShort)) {
                current->Put(name, value);
                continue;
            }
        }
        hive.lostLines = true;
    }
    return hive;
}

// ---- writing the text

void AppendQuoted(std::string& out, const std::string& s) {
    out.push_back('"');
    for (char c : s) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendData(std::string& out, const RegValue& v) {
    static const char* digits = "0123456789abcdef";
    if (v.type == REG_SZ_TYPE) {
        // "text" stands for the text and its terminating zero, exactly. A string
        // stored without that zero (or with a zero or a line break inside) is
        // written as its bytes, so a later change elsewhere in the hive leaves
        // it as it was instead of adding the zero.
        std::string_view text = v.data;
        if (!text.empty() && text.back() == '\0') {
            text.remove_suffix(1);
            if (!HasLineBreakOrZero(std::string(text))) {
                AppendQuoted(out, std::string(text));
                return;
            }
        }
    }
    if (v.IsDword()) {
        out += "dword:";
        unsigned long n = v.Number();
        for (int shift = 28; shift >= 0; shift -= 4)
            out.push_back(digits[(n >> shift) & 0xF]);
        return;
    }
    if (v.type == REG_BINARY_TYPE) {
        out += "hex:";
    } else {
        out += "hex(";
        std::string t;
        unsigned long type = v.type;
        do {
            t.insert(t.begin(), digits[type & 0xF]);
            type >>= 4;
        } while (type);
        out += t + "):";
    }
    for (size_t i = 0; i < v.data.size(); ++i) {
        if (i) out.push_back(',');
        AppendHexByte(out, static_cast<unsigned char>(v.data[i]), false);
    }
}

std::string WriteHive(const Hive& hive, RegRoot root) {
    std::string out = "REGEDIT4\r\n";
    for (const auto& [folded, key] : hive.keys) {
        if (folded.empty() && key.values.empty()) continue;
        out += "\r\n[";
        out += RootName(root);
        if (!key.path.empty()) out += '\\' + key.path;
        out += "]\r\n";
        for (const auto& v : key.values) {
            if (v.name.empty())
                out.push_back('@');
            else
                AppendQuoted(out, v.name);
            out.push_back('=');
            AppendData(out, v.value);
            out += "\r\n";
        }
    }
    return out;
}

// ---- files

struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

long LastError() {
    return WinErrorFromErrno(errno);
}

// Reads an open file to its end.
long ReadAll(int fd, std::string& out) {
    out.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastError();
        if (n == 0) return 0;
        out.append(buffer, static_cast<size_t>(n));
    }
}

// Creates the folder and its missing parents, private to the user.
long MakeFolder(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return LastError();
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return LastError();
    return S_ISDIR(st.st_mode) ? 0L : static_cast<long>(ERROR_PATH_NOT_FOUND_CODE);
}

// Writes a whole file beside its final name and then puts it in place, so a
// reader sees either the old or the new file and never a part of one.
long ReplaceFile(const std::string& file, const std::string& bytes) {
    std::string temp = file + ".XXXXXX";
    int fd = ::mkostemp(&temp[0], O_CLOEXEC); // mode 0600
    if (fd < 0) return LastError();
    long rc = 0;
    {
        Fd guard(fd);
        size_t done = 0;
        while (done < bytes.size() && rc == 0) {
            ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0)
                rc = LastError();
            else
                done += static_cast<size_t>(n);
        }
        if (rc == 0 && ::fsync(fd) != 0) rc = LastError();
    }
    if (rc == 0 && ::rename(temp.c_str(), file.c_str()) != 0) rc = LastError();
    if (rc != 0) ::unlink(temp.c_str());
    return rc;
}

// Parsed hives, reused while the file is unchanged. A file changed within the
// last two seconds is never trusted from memory: another writer may replace it
// again within the resolution of its time stamp.
struct CachedHive {
    std::string file;
    struct stat st {};
    std::shared_ptr<const Hive> hive;
};

std::mutex cacheLock;
CachedHive cache[2];

CachedHive& CacheOf(RegRoot root) {
    return cache[root == RegRoot::ClassesRoot ? 1 : 0];
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

bool SettledLongEnough(const struct stat& st) {
    using namespace std::chrono;
    auto now = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    return now - static_cast<long long>(st.st_mtim.tv_sec) >= 2 &&
           now - static_cast<long long>(st.st_ctim.tv_sec) >= 2;
}

// The current content of a root's hive; a missing file is an empty hive.
long LoadHive(RegRoot root, std::shared_ptr<const Hive>& out) {
    std::string folder = RegistryFolder();
    if (folder.empty()) {
        out = std::make_shared<Hive>();
        return 0;
    }
    std::string file = HiveFile(root);
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) return LastError();
        out = std::make_shared<Hive>();
        return 0;
    }
    struct stat st {};
    if (::fstat(fd.fd, &st) != 0) return LastError();
    std::lock_guard<std::mutex> guard(cacheLock);
    CachedHive& cached = CacheOf(root);
    if (cached.hive && cached.file == file && SameFile(cached.st, st)) {
        out = cached.hive;
        return 0;
    }
    std::string bytes;
    if (long rc = ReadAll(fd.fd, bytes)) return rc;
    auto hive = std::make_shared<Hive>(ParseHive(bytes, root));
    if (SettledLongEnough(st)) {
        cached.file = file;
        cached.st = st;
        cached.hive = hive;
    } else {
        cached.hive.reset();
    }
    out = std::move(hive);
    return 0;
}

// Changes a hive under its lock: reads the file afresh, lets change edit it and
// writes it back when change succeeded and changed something. A hive that had
// lines nobody could read is first kept beside it as <hive>.damaged.
long ChangeHive(RegRoot root, const std::function<long(Hive&, bool&)>& change) {
    std::string folder = RegistryFolder();
    if (folder.empty()) return ERROR_PATH_NOT_FOUND_CODE;
    if (long rc = MakeFolder(folder)) return rc;
    std::string file = HiveFile(root);
    Fd lock(::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.fd < 0) return LastError();
    while (::flock(lock.fd, LOCK_EX) != 0)
        if (errno != EINTR) return LastError();

    std::string bytes;
    Fd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd >= 0) {
        if (long rc = ReadAll(in.fd, bytes)) return rc;
    } else if (errno != ENOENT) {
        return LastError();
    }
    Hive hive = ParseHive(bytes, root);
    bool changed = false;
    if (long rc = change(hive, changed)) return rc;
    if (!changed) return 0;
    if (hive.lostLines) {
        if (long rc = ReplaceFile(file + ".damaged", bytes)) return rc;
    }
    long rc = ReplaceFile(file, WriteHive(hive, root));
    std::lock_guard<std::mutex> guard(cacheLock);
    CacheOf(root).hive.reset();
    return rc;
}

long CheckValueName(const std::string& name) {
    return HasLineBreakOrZero(name) ? ERROR_INVALID_PARAMETER_CODE : 0;
}

} // namespace

std::string RegistryFolder() {
    std::string dir = EnvVar("Z9_REGISTRY_DIR");
    if (!dir.empty()) return dir;
    std::string config = EnvVar("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        std::string home = EnvVar("HOME");
        if (home.empty()) {
            if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir) home = pw->pw_dir;
        }
        if (home.empty()) return std::string();
        config = home + "/.config";
    }
    return config + "/Brindle";
}

std::string HiveFile(RegRoot root) {
    return RegistryFolder() + "/" + RootName(root) + ".reg";
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        open_ = other.open_;
        root_ = other.root_;
        path_ = std::move(other.path_);
        other.open_ = false;
    }
    return *this;
}

long RegKey::Open(RegRoot root, const std::string& path) {
    Close();
    std::string normal;
    if (long rc = NormalizeKeyPath(path, normal)) return rc;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root, hive)) return rc;
    auto it = hive->keys.find(FoldPath(normal));
    if (it == hive->keys.end()) return ERROR_FILE_NOT_FOUND_CODE;
    root_ = root;
    path_ = it->second.path;
    open_ = true;
    return 0;
}

long RegKey::Create(RegRoot root, const std::string& path) {
    Close();
    std::string normal;
    if (long rc = NormalizeKeyPath(path, normal)) return rc;
    if (Open(root, normal) == 0) return 0;
    std::string spelt;
    long rc = ChangeHive(root, [&](Hive& hive, bool& changed) {
        spelt = hive.Ensure(normal, &changed).path;
        return 0L;
    });
    if (rc) return rc;
    root_ = root;
    path_ = spelt;
    open_ = true;
    return 0;
}

void RegKey::Close() {
    open_ = false;
    path_.clear();
}

long RegKey::Query(const std::string& name, RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root_, hive)) return rc;
    auto key = hive->keys.find(FoldPath(path_));
    if (key == hive->keys.end()) return ERROR_KEY_DELETED_CODE;
    const RegNamedValue* found = key->second.Find(name);
    if (!found) return ERROR_FILE_NOT_FOUND_CODE;
    value = found->value;
    return 0;
}

long RegKey::Set(const std::string& name, const RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    if (long rc = CheckValueName(name)) return rc;
    return ChangeHive(root_, [&](Hive& hive, bool& changed) {
        HiveKey* key = hive.Find(path_);
        if (!key) return ERROR_KEY_DELETED_CODE;
        changed = key->Put(name, value);
        return 0L;
    });
}

long RegKey::DeleteValue(const std::string& name) const {
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    return ChangeHive(root_, [&](Hive& hive, bool& changed) {
        HiveKey* key = hive.Find(path_);
        if (!key) return ERROR_KEY_DELETED_CODE;
        changed = key->Remove(name);
        return changed ? 0L : static_cast<long>(ERROR_FILE_NOT_FOUND_CODE);
    });
}

long RegKey::EnumKeys(std::vector<std::string>& names) const {
    names.clear();
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root_, hive)) return rc;
    if (!hive->keys.count(FoldPath(path_))) return ERROR_KEY_DELETED_CODE;
    names = hive->Children(path_);
    return 0;
}

long RegKey::EnumValues(std::vector<RegNamedValue>& values) const {
    values.clear();
    if (!open_) return ERROR_INVALID_HANDLE_CODE;
    std::shared_ptr<const Hive> hive;
    if (long rc = LoadHive(root_, hive)) return rc;
    auto key = hive->keys.find(FoldPath(path_));
    if (key == hive->keys.end()) return ERROR_KEY_DELETED_CODE;
    values = key->second.values;
    return 0;
}

long DeleteRegKey(RegRoot root, const std::string& path) {
    std::string normal;
    if (long rc = NormalizeKeyPath(path, normal)) return rc;
    if (normal.empty()) return ERROR_INVALID_PARAMETER_CODE;
    RegKey probe;
    if (long rc = probe.Open(root, normal)) return rc;
    return ChangeHive(root, [&](Hive& hive, bool& changed) {
        changed = hive.Erase(normal);
        return changed ? 0L : static_cast<long>(ERROR_FILE_NOT_FOUND_CODE);
    });
}

#endif

} // namespace z9
