#include "Clock.h"

namespace z9 {

std::tm LocalTime(TimePoint t) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

} // namespace z9
