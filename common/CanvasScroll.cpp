#include "CanvasScroll.h"

#include <cmath>

namespace z9 {

CanvasScroll CalcCanvasScroll(int viewportHeight, int canvasHeight, bool canvasShown) {
    CanvasScroll s;
    // A canvas that fits needs no scroll bar.
    if (!canvasShown || canvasHeight <= viewportHeight) return s;
    s.visible = true;
    const int range = canvasHeight - viewportHeight + 100;
    s.factor = range / 32767 + 1;
    s.maximum = static_cast<int>(std::nearbyint(static_cast<double>(range) / s.factor));
    s.largeChange = static_cast<int>(std::nearbyint(s.maximum / (s.maximum / 5000.0)));
    s.smallChange = static_cast<int>(std::nearbyint(s.largeChange / 5.0));
    return s;
}

} // namespace z9
