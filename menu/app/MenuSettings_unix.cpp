#include "menu/app/MenuSettings.h"

#include "common/HostText.h"
#include "common/Program.h"

namespace z9 {

// Linux has no drive C:, so the first start offers a menu in the home folder.
std::string DefaultLastMenu() {
    const std::string home = FromHostText(EnvVar("HOME"));
    return (home.empty() ? std::string() : home + "/") + "Start.z9m";
}

} // namespace z9
