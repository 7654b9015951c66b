#include "WindowPlacement.h"

#include "Settings.h"

namespace z9 {
namespace {

constexpr const char* kSection = "StartSet";

} // namespace

Placement ReadStartSet() {
    const Placement defaults;
    Placement p;
    p.left = static_cast<int>(GetSetting(kSection, "MainLeft", static_cast<long>(defaults.left)));
    p.top = static_cast<int>(GetSetting(kSection, "MainTop", static_cast<long>(defaults.top)));
    p.width = static_cast<int>(GetSetting(kSection, "MainWidth", static_cast<long>(defaults.width)));
    p.height = static_cast<int>(GetSetting(kSection, "MainHeight", static_cast<long>(defaults.height)));
    return p;
}

void SaveStartSet(const Placement& p, long type) {
    SaveSetting(kSection, "MainLeft", static_cast<long>(p.left), type);
    SaveSetting(kSection, "MainTop", static_cast<long>(p.top), type);
    SaveSetting(kSection, "MainWidth", static_cast<long>(p.width), type);
    SaveSetting(kSection, "MainHeight", static_cast<long>(p.height), type);
}

Placement KeepOnScreen(Placement p, int screenWidth, int screenHeight) {
    if (p.left + p.width > screenWidth) p.left = screenWidth - p.width;
    if (p.left < 0) p.left = 0;
    if (p.top + p.height > screenHeight) p.top = screenHeight - p.height;
    if (p.top < 0) p.top = 0;
    return p;
}

} // namespace z9
