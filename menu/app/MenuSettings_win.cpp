#include "menu/app/MenuSettings.h"

namespace z9 {

std::string DefaultLastMenu() {
    return "C:\\Start.z9m";
}

} // namespace z9
