#pragma once
// Letter case of plain ASCII letters, for formats and keywords whose letters
// are always ASCII (masks, switches, wildcards). Text a person wrote goes
// through AnsiCase.h instead.
#include <cstddef>
#include <string>

namespace z9 {

inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string UpperAscii(std::string text);
std::string LowerAscii(std::string text);

// First position of needle in text at or after `from`, ASCII case ignored; npos when absent.
std::size_t FindNoCase(const std::string& text, const std::string& needle, std::size_t from = 0);

} // namespace z9
