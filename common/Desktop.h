#pragma once
// What the logic asks of the window system, without naming Qt: whether a
// person can answer a box, and the hourglass while something slow runs. The
// GUI layer installs the real answers (InstallQtPlatform); without it nobody
// can answer and there is no pointer to change, as in a tool without windows.
namespace z9 {

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;
    // True when a person sits at a screen that can show a box.
    virtual bool PersonCanAnswer() = 0;
    // Puts the hourglass over the current pointer; false when there is no pointer.
    virtual bool PushBusyCursor() = 0;
    // Puts back the pointer of the matching PushBusyCursor.
    virtual void PopBusyCursor() = 0;
};

namespace Desktop {
// Installs a backend (not owned); nullptr restores the one without windows. Returns the previous one.
DesktopBackend* Install(DesktopBackend* backend);
} // namespace Desktop

// True when a person sits at a screen that can show a box: false in a run
// without a display (the offscreen or minimal platform, or no GUI at all).
bool PersonCanAnswer();

// The hourglass for the lifetime of the object; the previous pointer comes back afterwards.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    DesktopBackend* shownBy_ = nullptr;
};

} // namespace z9
