#include "submitter/app/Placement.h"

#include "common/Settings.h"

namespace z9 {

int FitHeight(int canvasHeight, int commandPanelHeight, int topPanelHeight, int screenHeight) {
    long long height = static_cast<long long>(canvasHeight) + commandPanelHeight + topPanelHeight + 600;
    long long limit = static_cast<long long>(screenHeight) * 85 / 100;
    return static_cast<int>(height > limit ? limit : height);
}

Placement KeepOnScreen(Placement p, int screenWidth, int screenHeight) {
    if (p.left + p.width > screenWidth) p.left = screenWidth - p.width;
    if (p.left < 0) p.left = 0;
    if (p.top + p.height > screenHeight) p.top = screenHeight - p.height;
    if (p.top < 0) p.top = 0;
    return p;
}

Placement ReadPlacement() {
    AppKeyScope key(kSubmitterAppKey);
    Placement p;
    p.left = static_cast<int>(GetSetting("StartSet", "MainLeft", 1000L));
    p.top = static_cast<int>(GetSetting("StartSet", "MainTop", 1000L));
    p.width = static_cast<int>(GetSetting("StartSet", "MainWidth", 10000L));
    p.height = static_cast<int>(GetSetting("StartSet", "MainHeight", 8000L));
    return p;
}

void SavePlacement(const Placement& p) {
    AppKeyScope key(kSubmitterAppKey);
    SaveSetting("StartSet", "MainLeft", std::to_string(p.left), 0);
    SaveSetting("StartSet", "MainTop", std::to_string(p.top), 0);
    SaveSetting("StartSet", "MainWidth", std::to_string(p.width), 0);
    SaveSetting("StartSet", "MainHeight", std::to_string(p.height), 0);
}

} // namespace z9
