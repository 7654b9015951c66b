#include "DateTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace z9 {
namespace {

std::chrono::sys_days Serial(const DateTime& v) {
    using namespace std::chrono;
    return sys_days{year{v.Year} / month{static_cast<unsigned>(v.Month)} / day{static_cast<unsigned>(v.Day)}};
}

// The fields of a moment counted in the zone's seconds.
DateTime Fields(std::chrono::sys_seconds local) {
    using namespace std::chrono;
    const sys_days day = floor<days>(local);
    const year_month_day ymd{day};
    const hh_mm_ss<seconds> time{local - day};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

// The zone's distance from UTC early in 1970, for the moments before it that
// the host cannot convert (Windows converts nothing before 1970, and the
// date-only and time-only values sit on 30 December 1899).
std::chrono::seconds EarlyOffset() {
    std::tm tm{};
    tm.tm_year = 70;
    tm.tm_mday = 2;
    tm.tm_isdst = -1;
    const std::time_t utc = std::mktime(&tm);
    return std::chrono::seconds{utc == -1 ? 0 : 86400 - static_cast<long long>(utc)};
}

} // namespace

bool LeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return LeapYear(year) ? 29 : 28;
    default:
        return 31;
    }
}

bool IsValidDate(int year, int month, int day) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

DateTime LocalDateTime(TimePoint t) {
    std::tm tm = LocalTime(t);
    if (tm.tm_mday <= 0) return Fields(std::chrono::floor<std::chrono::seconds>(t) + EarlyOffset());
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

TimePoint ToTimePoint(const DateTime& v) {
    std::tm tm{};
    tm.tm_year = v.Year - 1900;
    tm.tm_mon = v.Month - 1;
    tm.tm_mday = v.Day;
    tm.tm_hour = v.Hour;
    tm.tm_min = v.Minute;
    tm.tm_sec = v.Second;
    tm.tm_isdst = -1;
    const std::time_t utc = std::mktime(&tm);
    if (utc != -1) return std::chrono::system_clock::from_time_t(utc);
    using namespace std::chrono;
    return Serial(v) + hours{v.Hour} + minutes{v.Minute} + seconds{v.Second} - EarlyOffset();
}

DateTime DateTimeSum(const DateTime& a, const DateTime& b) {
    using namespace std::chrono;
    const sys_days zero = Serial(kZeroDate);
    long long seconds = (a.Hour + b.Hour) * 3600LL + (a.Minute + b.Minute) * 60LL + a.Second + b.Second;
    days sum = (Serial(a) - zero) + (Serial(b) - zero) + days{seconds / 86400};
    seconds %= 86400;
    year_month_day ymd{zero + sum};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(seconds / 3600),
            static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60)};
}

std::string DateTimeText(const DateTime& v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", v.Year, v.Month, v.Day, v.Hour,
                  v.Minute, v.Second);
    return buffer;
}

std::optional<DateTime> ReadDateTimeText(const std::string& text) {
    DateTime v;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &v.Year, &v.Month, &v.Day, &v.Hour, &v.Minute,
                    &v.Second, &tail) != 6)
        return std::nullopt;
    if (!IsValidDate(v.Year, v.Month, v.Day) || !IsValidTime(v.Hour, v.Minute, v.Second)) return std::nullopt;
    return v;
}

} // namespace z9
