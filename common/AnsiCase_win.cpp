#include "AnsiCase.h"

#include <windows.h>

namespace z9 {

char16_t CharacterCase(char16_t c, bool upper) {
    if (c >= 0xD800 && c <= 0xDFFF) return c;
    wchar_t one = static_cast<wchar_t>(c);
    if (upper)
        CharUpperBuffW(&one, 1);
    else
        CharLowerBuffW(&one, 1);
    return static_cast<char16_t>(one);
}

} // namespace z9
