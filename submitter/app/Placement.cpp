#include "submitter/app/Placement.h"

#include "common/Settings.h"
#include "submitter/base/SubmitterKeys.h"

namespace z9 {

int FitHeight(int canvasHeight, int commandPanelHeight, int topPanelHeight, int screenHeight) {
    long long height = static_cast<long long>(canvasHeight) + commandPanelHeight + topPanelHeight + 600;
    long long limit = static_cast<long long>(screenHeight) * 85 / 100;
    return static_cast<int>(height > limit ? limit : height);
}

Placement ReadPlacement() {
    AppKeyScope key(kSubmitterAppKey);
    return ReadStartSet();
}

void SavePlacement(const Placement& p) {
    AppKeyScope key(kSubmitterAppKey);
    SaveStartSet(p, REG_SZ_TYPE);
}

} // namespace z9
