#include "AnsiCase.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace z9 {

char16_t CharacterCase(char16_t c, bool upper) {
    // The Unicode tables of the C library, whatever locale the process runs in.
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!unicode || (c >= 0xD800 && c <= 0xDFFF)) return c;
    wint_t changed = upper ? towupper_l(c, unicode) : towlower_l(c, unicode);
    return changed <= 0xFFFF ? static_cast<char16_t>(changed) : c;
}

} // namespace z9
