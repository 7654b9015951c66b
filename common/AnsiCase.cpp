#include "AnsiCase.h"

#include "AsciiText.h"
#include "CodePage.h"

namespace z9 {
namespace {

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A character whose other case the code page cannot hold keeps its own case,
// as Windows leaves it (e.g. the German sharp s, whose upper case is "SS").
// The code page is looked up once: finding it reads the locale's settings.
std::string ChangeCase(const std::string& text, bool upper) {
    const int codePage = AnsiCodePage();
    std::u16string wide = AnsiToUtf16(text, codePage);
    std::u16string out;
    out.reserve(wide.size());
    for (char16_t c : wide) {
        char16_t changed = CharacterCase(c, upper);
        out += changed != c && Utf16ToAnsi(std::u16string(1, changed), codePage) != "?" ? changed : c;
    }
    std::string bytes = Utf16ToAnsi(out, codePage);
    return bytes.size() == text.size() ? bytes : text;
}

} // namespace

std::string UpperAnsi(const std::string& text) {
    return IsAscii(text) ? UpperAscii(text) : ChangeCase(text, true);
}

std::string LowerAnsi(const std::string& text) {
    return IsAscii(text) ? LowerAscii(text) : ChangeCase(text, false);
}

} // namespace z9
