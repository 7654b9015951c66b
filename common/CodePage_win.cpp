// The code page door on Windows: MultiByteToWideChar and WideCharToMultiByte.
#include "CodePage.h"

#include <windows.h>

namespace z9 {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

int SystemAnsiCodePage() {
    return static_cast<int>(GetACP());
}

std::u16string AnsiToUtf16(const std::string& bytes, int codePage) {
    if (bytes.empty()) return {};
    UINT cp = static_cast<UINT>(codePage);
    int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return std::u16string(wide.begin(), wide.end());
}

std::string Utf16ToAnsi(const std::u16string& text, int codePage) {
    if (text.empty()) return {};
    // Characters beyond 16 bits have no place in an ANSI code page: each is one
    // '?', as is a lone surrogate. The rest converts without best-fit
    // replacements (no 'a' for an 'ą' the code page lacks: a '?').
    std::wstring wide;
    wide.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            wide += L'?';
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            wide += L'?';
        } else {
            wide += static_cast<wchar_t>(unit);
        }
    }
    UINT cp = static_cast<UINT>(codePage);
    int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr);
    if (n <= 0) return {};
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), n, "?", nullptr);
    return bytes;
}

} // namespace z9
