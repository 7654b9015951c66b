#pragma once
// The animation timer of a control, as a window timer behaves: it ticks while
// it is enabled and its interval is above 0; an interval of 0 holds it.
#include <QObject>
#include <QTimer>

namespace z9 {

class WindowTimer : public QObject {
    Q_OBJECT
public:
    WindowTimer(const QString& name, int interval, QObject* parent);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    // A negative interval is refused and the previous one kept.
    void SetInterval(int ms);
    // True while ticks arrive (enabled with an interval above 0).
    bool Running() const { return timer_.isActive(); }

signals:
    void Timer();

private:
    void Apply();

    QTimer timer_;
    bool enabled_ = false;
    int interval_;
};

} // namespace z9
