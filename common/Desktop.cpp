#include "Desktop.h"

namespace z9 {
namespace {

class NoDesktop : public DesktopBackend {
public:
    bool PersonCanAnswer() override { return false; }
    bool PushBusyCursor() override { return false; }
    void PopBusyCursor() override {}
};

NoDesktop noDesktop;
DesktopBackend* current = &noDesktop;

} // namespace

namespace Desktop {
DesktopBackend* Install(DesktopBackend* backend) {
    DesktopBackend* previous = current;
    current = backend ? backend : &noDesktop;
    return previous;
}
} // namespace Desktop

bool PersonCanAnswer() {
    return current->PersonCanAnswer();
}

// The pointer goes back to the backend that changed it, even if another was installed meanwhile.
BusyCursor::BusyCursor() {
    if (current->PushBusyCursor()) shownBy_ = current;
}

BusyCursor::~BusyCursor() {
    if (shownBy_) shownBy_->PopBusyCursor();
}

} // namespace z9
