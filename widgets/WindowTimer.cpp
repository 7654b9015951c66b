#include "WindowTimer.h"

namespace z9 {

WindowTimer::WindowTimer(const QString& name, int interval, QObject* parent)
    : QObject(parent), interval_(interval > 0 ? interval : 0) {
    setObjectName(name);
    connect(&timer_, &QTimer::timeout, this, &WindowTimer::Timer);
}

void WindowTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Apply();
}

void WindowTimer::SetInterval(int ms) {
    if (ms < 0) return;
    interval_ = ms;
    Apply();
}

void WindowTimer::Apply() {
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}

} // namespace z9
