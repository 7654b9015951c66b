#include "RegistryHive.h"

#include "AsciiText.h"

#include <iterator>
#include <vector>

namespace z9 {
namespace {

// Value names compare by their lower-case ASCII form.
std::string FoldName(const std::string& name) {
    return LowerAscii(name);
}

bool HasLineBreakOrZero(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Reading the text.

// Blanks and a CR left over from a CR LF line end.
std::string_view TrimLine(std::string_view s) {
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
    if (end != std::string_view::npos && TrimLine(data.substr(end)).empty()) return true;
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
    s = TrimLine(s);
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
    data = TrimLine(data);
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

// Whether the folded path sub names a key below the folded path key, at any
// depth. Every sub-key sorts right after its key, before any other key.
bool IsBelow(const std::string& sub, const std::string& key) {
    return sub.size() > key.size() && sub[key.size()] == '\0' && sub.compare(0, key.size(), key) == 0;
}

} // namespace

const char* RegRootName(RegRoot root) {
    return root == RegRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_CURRENT_USER";
}

std::string FoldKeyPath(const std::string& path) {
    std::string out(path);
    for (char& c : out)
        c = c == '\\' ? '\0' : LowerAscii(c);
    return out;
}

long NormalizeKeyPath(const std::string& path, std::string& out) {
    out = path;
    if (!out.empty() && out.back() == '\\') out.pop_back();
    if (out.empty()) return path.empty() ? 0 : ERROR_BAD_PATHNAME_CODE;
    if (out.front() == '\\' || out.find("\\\\") != std::string::npos) return ERROR_BAD_PATHNAME_CODE;
    if (HasLineBreakOrZero(out)) return ERROR_INVALID_PARAMETER_CODE;
    return 0;
}

long CheckValueName(const std::string& name) {
    return HasLineBreakOrZero(name) ? ERROR_INVALID_PARAMETER_CODE : 0;
}

const RegNamedValue* HiveKey::Find(const std::string& name) const {
    auto it = index.find(FoldName(name));
    return it == index.end() ? nullptr : &values[it->second];
}

bool HiveKey::Put(const std::string& name, const RegValue& value) {
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

bool HiveKey::Remove(const std::string& name) {
    auto it = index.find(FoldName(name));
    if (it == index.end()) return false;
    std::size_t at = it->second;
    index.erase(it);
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(at));
    for (std::size_t i = at; i < values.size(); ++i)
        index[FoldName(values[i].name)] = i;
    return true;
}

HiveKey* Hive::Find(const std::string& path) {
    auto it = keys.find(FoldKeyPath(path));
    return it == keys.end() ? nullptr : &it->second;
}

const HiveKey* Hive::Find(const std::string& path) const {
    auto it = keys.find(FoldKeyPath(path));
    return it == keys.end() ? nullptr : &it->second;
}

// The path is folded once and the deepest key that exists is looked for from
// the end: a hive names every key after its parent, so reading one, however
// deep its keys, takes time in proportion to its size (walking down from the
// root made every header cost its depth times its length).
HiveKey& Hive::Ensure(const std::string& path, bool* created) {
    HiveKey* key = &keys[""];
    std::vector<std::size_t> starts, ends; // of each level's name in path
    for (std::size_t start = 0; start < path.size();) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        starts.push_back(start);
        ends.push_back(end);
        start = end + 1;
    }
    const std::string folded = FoldKeyPath(path);
    std::size_t level = ends.size(); // levels that exist
    for (; level > 0; --level) {
        auto it = keys.find(folded.substr(0, ends[level - 1]));
        if (it != keys.end()) {
            key = &it->second;
            break;
        }
    }
    for (; level < ends.size(); ++level) {
        const std::string name = path.substr(starts[level], ends[level] - starts[level]);
        std::string spelt = key->path.empty() ? name : key->path + '\\' + name;
        auto it = keys.emplace(folded.substr(0, ends[level]), HiveKey{}).first;
        it->second.path = std::move(spelt);
        if (created) *created = true;
        key = &it->second;
    }
    return *key;
}

bool Hive::Erase(const std::string& path) {
    std::string folded = FoldKeyPath(path);
    auto first = keys.find(folded);
    if (first == keys.end()) return false;
    auto last = std::next(first);
    while (last != keys.end() && IsBelow(last->first, folded))
        ++last;
    keys.erase(first, last);
    return true;
}

std::vector<std::string> Hive::Children(const std::string& path) const {
    std::vector<std::string> names;
    std::string prefix = FoldKeyPath(path);
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
        line = TrimLine(text.substr(pos, end - pos));
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
            std::string_view rootName = RegRootName(root);
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

namespace {

// Writing the text.

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
            if (!HasLineBreakOrZero(text)) {
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

} // namespace

std::string WriteHive(const Hive& hive, RegRoot root) {
    std::string out = "REGEDIT4\r\n";
    for (auto it = hive.keys.begin(); it != hive.keys.end(); ++it) {
        const auto& [folded, key] = *it;
        // A key without values whose sub-key follows it goes without a header
        // of its own: reading the sub-key's header makes it again, spelt the
        // same, and a key many levels deep does not write every level above it.
        if (key.values.empty()) {
            const auto next = std::next(it);
            if (folded.empty() || (next != hive.keys.end() && IsBelow(next->first, folded))) continue;
        }
        out += "\r\n[";
        out += RegRootName(root);
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

} // namespace z9
