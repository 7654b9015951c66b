#include "Registry.h"

#include <utility>

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

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        open_ = std::exchange(other.open_, false);
        root_ = other.root_;
        path_ = std::move(other.path_);
        other.path_.clear();
        handle_ = std::exchange(other.handle_, nullptr);
        setter_ = std::exchange(other.setter_, nullptr);
    }
    return *this;
}

} // namespace z9
