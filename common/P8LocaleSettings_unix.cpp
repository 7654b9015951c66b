#include "P8LocaleSettings.h"

namespace z9 {

// Linux keeps no locale values in the Windows shape: GetLocaleString derives them from QLocale.
std::optional<std::string> SystemLocaleValue(int) {
    return std::nullopt;
}

} // namespace z9
