// Time values: 64-bit counts of seconds of the local calendar without a zone
// (seconds since 1970-01-01 00:00 local calendar time). In Japan these are
// exactly the handset's values; elsewhere they have no daylight-saving gaps,
// so adding 86,400 seconds always moves by one calendar day.
#pragma once

#include <cstdint>
#include <optional>

namespace plat {

// The handset's calendar-date layout (16 bytes), as stored in ledger records.
struct SYSTEMTIME {
    std::uint16_t wYear;
    std::uint16_t wMonth;
    std::uint16_t wDayOfWeek; // 0 = Sunday
    std::uint16_t wDay;
    std::uint16_t wHour;
    std::uint16_t wMinute;
    std::uint16_t wSecond;
    std::uint16_t wMilliseconds;
};
static_assert(sizeof(SYSTEMTIME) == 16);

using TimeValue = std::int64_t;

constexpr TimeValue kSecondsPerDay = 86400;
constexpr TimeValue kSecondsPerWeek = 604800;

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12, day 1..31).
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool IsLeapYear(std::int64_t year);
int DaysInMonth(std::int64_t year, int month); // month 1..12

// Fields to a time value, normalising out-of-range fields as mktime does:
// month 13 is January of the next year, day 0 the last day of the month
// before, a day beyond the month's end runs on, hour 24 the next day.
// Never overflows for any 16-bit or int input.
TimeValue TimeFromFields(std::int64_t year, std::int64_t month, std::int64_t day,
                         std::int64_t hour = 0, std::int64_t minute = 0, std::int64_t second = 0);
// Uses year, month, day, hour, minute and second; ignores the weekday and milliseconds.
TimeValue SystemTimeToTimeValue(const SYSTEMTIME& st);
// Every field filled, the weekday included; milliseconds 0. Years outside
// 0..65535 are clamped to that range.
SYSTEMTIME TimeValueToSystemTime(TimeValue t);
int WeekdayOf(TimeValue t); // 0 = Sunday

// The current local time. Tests set a fixed clock; nullopt restores the real one.
SYSTEMTIME GetLocalTime();
TimeValue CurrentTimeValue();
void SetClockForTest(std::optional<TimeValue> fixedNow);

} // namespace plat
