#include "Clock.h"

namespace z9 {

std::tm LocalTime(TimePoint t) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    localtime_s(&local, &seconds);
    return local;
}

} // namespace z9
