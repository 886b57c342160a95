#include "Time.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace plat {
namespace {

std::optional<TimeValue> g_fixedNow;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// Keeps every intermediate far from the int64 limits whatever a field holds.
std::int64_t Bounded(std::int64_t v) {
    // 2^33 holds every int exactly, and 2^33 years in seconds stays below 2^63.
    constexpr std::int64_t kLimit = std::int64_t{1} << 33;
    return std::clamp(v, -kLimit, kLimit);
}

struct Civil {
    std::int64_t year;
    int month;
    int day;
};

Civil CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

} // namespace

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

TimeValue TimeFromFields(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                         std::int64_t minute, std::int64_t second) {
    year = Bounded(year);
    month = Bounded(month);
    const std::int64_t monthIndex = month - 1;
    const std::int64_t y = year + FloorDiv(monthIndex, 12);
    const int m = static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
    const std::int64_t days = DaysFromCivil(y, m, 1) + Bounded(day) - 1;
    return days * kSecondsPerDay + Bounded(hour) * 3600 + Bounded(minute) * 60 + Bounded(second);
}

TimeValue SystemTimeToTimeValue(const SYSTEMTIME& st) {
    return TimeFromFields(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

SYSTEMTIME TimeValueToSystemTime(TimeValue t) {
    const std::int64_t days = FloorDiv(t, kSecondsPerDay);
    // Not t - days * 86400: near the int64 limits that product overflows.
    std::int64_t secs = t % kSecondsPerDay;
    if (secs < 0) secs += kSecondsPerDay;
    SYSTEMTIME st{};
    Civil c = CivilFromDays(days);
    if (c.year < 0) c = {0, 1, 1};
    if (c.year > 65535) c = {65535, 12, 31};
    st.wYear = static_cast<std::uint16_t>(c.year);
    st.wMonth = static_cast<std::uint16_t>(c.month);
    st.wDay = static_cast<std::uint16_t>(c.day);
    st.wDayOfWeek = static_cast<std::uint16_t>(
        WeekdayOf(DaysFromCivil(c.year, c.month, c.day) * kSecondsPerDay));
    st.wHour = static_cast<std::uint16_t>(secs / 3600);
    st.wMinute = static_cast<std::uint16_t>(secs / 60 % 60);
    st.wSecond = static_cast<std::uint16_t>(secs % 60);
    return st;
}

int WeekdayOf(TimeValue t) {
    // 1970-01-01 was a Thursday (4).
    const std::int64_t days = FloorDiv(t, kSecondsPerDay);
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

TimeValue CurrentTimeValue() {
    if (g_fixedNow) return *g_fixedNow;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return TimeFromFields(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec);
}

SYSTEMTIME GetLocalTime() {
    SYSTEMTIME st = TimeValueToSystemTime(CurrentTimeValue());
    if (!g_fixedNow) {
        using namespace std::chrono;
        const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
        st.wMilliseconds = static_cast<std::uint16_t>(ms.count() % 1000);
    }
    return st;
}

void SetClockForTest(std::optional<TimeValue> fixedNow) {
    g_fixedNow = fixedNow;
}

} // namespace plat
