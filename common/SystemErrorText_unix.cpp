#include "SystemErrorText.h"

namespace z9 {

// Linux keeps no table of Windows messages: SystemErrorText words the codes itself.
std::string MessageTableText(long) {
    return {};
}

} // namespace z9
