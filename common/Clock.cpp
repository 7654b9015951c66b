#include "Clock.h"

#include <thread>

namespace z9 {
namespace {

class RealClock : public ClockBackend {
public:
    TimePoint Now() override { return std::chrono::system_clock::now(); }
    void Sleep(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    void SleepProcessingEvents(int ms) override { Sleep(ms); }
};

RealClock realClock;
ClockBackend* current = &realClock;

} // namespace

namespace Clock {
TimePoint Now() {
    return current->Now();
}
void Sleep(int ms) {
    current->Sleep(ms);
}
void SleepProcessingEvents(int ms) {
    current->SleepProcessingEvents(ms);
}
ClockBackend* Install(ClockBackend* backend) {
    ClockBackend* previous = current;
    current = backend ? backend : &realClock;
    return previous;
}
ClockBackend& SystemClock() {
    return realClock;
}
} // namespace Clock

} // namespace z9
