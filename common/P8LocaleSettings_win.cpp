#include "P8LocaleSettings.h"

#include <windows.h>

namespace z9 {

std::optional<std::string> SystemLocaleValue(int type) {
    char buffer[255] = {};
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, static_cast<LCTYPE>(type), buffer, sizeof buffer);
    if (n <= 0) return std::string();
    return std::string(buffer);
}

} // namespace z9
