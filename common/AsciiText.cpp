#include "AsciiText.h"

namespace z9 {

namespace {

constexpr char kControlChars[33] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                                    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};

} // namespace

const std::string_view kControlsAndSpace(kControlChars, sizeof kControlChars);

std::string UpperAscii(std::string text) {
    for (char& c : text)
        c = UpperAscii(c);
    return text;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        c = LowerAscii(c);
    return text;
}

std::size_t FindNoCase(const std::string& text, const std::string& needle, std::size_t from) {
    if (needle.size() > text.size()) return std::string::npos;
    if (needle.empty()) return from <= text.size() ? from : std::string::npos;
    // Only where the first letter matches is the rest compared.
    const char first = LowerAscii(needle[0]);
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i)
        if (LowerAscii(text[i]) == first && StartsWithNoCase(std::string_view(text).substr(i), needle))
            return i;
    return std::string::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    return true;
}

std::string_view TrimView(std::string_view text, std::string_view set) {
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(set) - first + 1);
}

std::string Trim(std::string_view text, std::string_view set) {
    return std::string(TrimView(text, set));
}

int HexDigit(char c) {
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return UpperHexDigit(c);
}

int UpperHexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendHexByte(std::string& out, unsigned char byte, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    out.push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 0x0F]);
}

} // namespace z9
