// The Windows registry through advapi32. Each call asks for no more access than
// it needs: a key is opened for reading, and for setting values only when a
// value is changed, so a key the user may read but not change can still be read.
#include "Registry.h"

#include <windows.h>

namespace z9 {
namespace {

HKEY RootHandle(RegRoot root) {
    return root == RegRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

// The key again, now with the right to set values: opened once, when first needed.
LONG SetterOf(void* handle, void*& setter) {
    if (setter) return ERROR_SUCCESS;
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExA(static_cast<HKEY>(handle), "", 0, KEY_SET_VALUE, &h);
    if (rc == ERROR_SUCCESS) setter = h;
    return rc;
}

} // namespace

long RegKey::Open(RegRoot root, const std::string& path) {
    Close();
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExA(RootHandle(root), path.c_str(), 0, KEY_READ, &h);
    if (rc != ERROR_SUCCESS) return rc;
    root_ = root;
    path_ = path;
    handle_ = h;
    open_ = true;
    return ERROR_SUCCESS;
}

long RegKey::Create(RegRoot root, const std::string& path) {
    // A key that is already there is only opened: creating asks for the right
    // to add sub-keys, which its user may not have.
    long rc = Open(root, path);
    if (rc != ERROR_FILE_NOT_FOUND) return rc;
    HKEY h = nullptr;
    DWORD disposition = 0;
    rc = RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                         nullptr, &h, &disposition);
    if (rc != ERROR_SUCCESS) return rc;
    root_ = root;
    path_ = path;
    handle_ = h;
    open_ = true;
    return ERROR_SUCCESS;
}

void RegKey::Close() {
    if (setter_) RegCloseKey(static_cast<HKEY>(setter_));
    if (handle_) RegCloseKey(static_cast<HKEY>(handle_));
    setter_ = nullptr;
    handle_ = nullptr;
    open_ = false;
    path_.clear();
}

long RegKey::Query(const std::string& name, RegValue& value) const {
    if (!open_) return ERROR_INVALID_HANDLE;
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
    if (!open_) return ERROR_INVALID_HANDLE;
    if (LONG rc = SetterOf(handle_, setter_)) return rc;
    return RegSetValueExA(static_cast<HKEY>(setter_), name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size()));
}

long RegKey::DeleteValue(const std::string& name) const {
    if (!open_) return ERROR_INVALID_HANDLE;
    if (LONG rc = SetterOf(handle_, setter_)) return rc;
    return RegDeleteValueA(static_cast<HKEY>(setter_), name.c_str());
}

long RegKey::EnumKeys(std::vector<std::string>& names) const {
    names.clear();
    if (!open_) return ERROR_INVALID_HANDLE;
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
    values.clear();
    if (!open_) return ERROR_INVALID_HANDLE;
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
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    // Removes the sub-keys and values, and with a sub-key name the key itself
    // (older systems leave the key: it goes with RegDeleteKey below).
    LONG rc = RegDeleteTreeA(RootHandle(root), path.c_str());
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegDeleteKeyA(RootHandle(root), path.c_str());
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

} // namespace z9
