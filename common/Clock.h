#pragma once
// Every wait of both programs goes through here, so tests can run a 30-second
// wait in no real time and act on each sleep.
#include <chrono>
#include <ctime>

namespace z9 {

using TimePoint = std::chrono::system_clock::time_point;

class ClockBackend {
public:
    virtual ~ClockBackend() = default;
    virtual TimePoint Now() = 0;
    virtual void Sleep(int ms) = 0;
    // Sleeps while the window system keeps handling events.
    virtual void SleepProcessingEvents(int ms) = 0;
};

// t broken down in the local time zone.
std::tm LocalTime(TimePoint t);

namespace Clock {
TimePoint Now();
void Sleep(int ms);
void SleepProcessingEvents(int ms);
// Installs a backend (not owned); nullptr restores the real one. Returns the previous one.
ClockBackend* Install(ClockBackend* backend);
// The real clock without event processing; the GUI layer installs one that processes events.
ClockBackend& SystemClock();
} // namespace Clock

} // namespace z9
