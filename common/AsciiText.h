#pragma once
// Plain ASCII text rules for formats and keywords whose letters are always
// ASCII (masks, switches, wildcards, registry names, hexadecimal digits), and
// trimming. Text a person wrote changes case through AnsiCase.h instead.
#include <cstddef>
#include <string>
#include <string_view>

namespace z9 {

inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// A blank (space or tab) and a decimal digit.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
std::string UpperAscii(std::string text);
std::string LowerAscii(std::string text);

// First position of needle in text at or after `from`, ASCII case ignored; npos when absent.
std::size_t FindNoCase(const std::string& text, const std::string& needle, std::size_t from = 0);
// True when text begins with prefix, ASCII case ignored.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// ---- trimming

// The sets of characters the formats trim.
inline constexpr std::string_view kSpaces = " ";
inline constexpr std::string_view kBlanks = " \t";
// Every character with a code from 0 to 32: blanks, line breaks and the other controls.
extern const std::string_view kControlsAndSpace;

// text without the characters of `set` at either end.
std::string_view TrimView(std::string_view text, std::string_view set);
std::string Trim(std::string_view text, std::string_view set = kSpaces);

// ---- hexadecimal digits

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigit(char c);
// The same with upper-case letters only ('a' to 'f' are no digits).
int UpperHexDigit(char c);
// Appends a byte as two hexadecimal digits.
void AppendHexByte(std::string& out, unsigned char byte, bool upperCase = true);

} // namespace z9
