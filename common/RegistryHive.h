#pragma once
// One registry root as REGEDIT4 text: its keys and values in memory, read from
// and written back to the text the Linux registry keeps in a file per root.
// Only text and memory here; files, locks and caching are the backend's
// (Registry_unix.cpp). Key and value names compare without regard to ASCII
// letter case and keep the case they were created with.
#include "Registry.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace z9 {

// "HKEY_CURRENT_USER" or "HKEY_CLASSES_ROOT".
const char* RegRootName(RegRoot root);

// A key path's lookup form: lower-case, with '\0' for the separator so that a
// key sorts right before its sub-keys.
std::string FoldKeyPath(const std::string& path);

// Checks a key path and drops one trailing '\'. Empty parts give 161 (bad path
// name); characters a section line cannot hold (line breaks, zero) give 87.
long NormalizeKeyPath(const std::string& path, std::string& out);

// 87 for a value name the text cannot hold on one line, else 0.
long CheckValueName(const std::string& name);

struct HiveKey {
    std::string path; // as created; empty for the root
    std::vector<RegNamedValue> values;
    std::unordered_map<std::string, std::size_t> index; // folded value name -> position in values

    const RegNamedValue* Find(const std::string& name) const;
    // Stores a value; an existing one keeps the case of its name. False when nothing changed.
    bool Put(const std::string& name, const RegValue& value);
    // False when there was no such value.
    bool Remove(const std::string& name);
};

struct Hive {
    std::map<std::string, HiveKey> keys; // by FoldKeyPath; the root is always there under ""
    bool lostLines = false;              // some line of the text could not be read

    Hive() { keys[""]; }

    HiveKey* Find(const std::string& path);
    const HiveKey* Find(const std::string& path) const;
    // Finds or creates a key and its missing parents; a new key is spelt as its
    // parent is, followed by its own name as given. Sets created when anything was added.
    HiveKey& Ensure(const std::string& path, bool* created = nullptr);
    // Removes a key and everything below it. False when it did not exist.
    bool Erase(const std::string& path);
    // The names of the key's direct sub-keys, as they were created.
    std::vector<std::string> Children(const std::string& path) const;
};

// Reads a hive text of the given root. Lines that cannot be read are skipped
// (and noted in lostLines); all others are kept, whatever surrounds them.
// Sections of the other root are not this hive's and are skipped too.
Hive ParseHive(std::string_view text, RegRoot root);

// The hive as REGEDIT4 text with CR LF line ends. A key that holds no values
// is written only when no sub-key of it is: the sub-key's header brings it.
std::string WriteHive(const Hive& hive, RegRoot root);

// Where the Linux backend keeps the hive files: $Z9_REGISTRY_DIR, else
// ${XDG_CONFIG_HOME:-$HOME/.config}/Brindle; and the file of one root in it.
std::string RegistryFolder();
std::string HiveFile(RegRoot root);

} // namespace z9
