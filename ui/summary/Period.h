// Periods of the summary: the day, week, month or year that belongs to a base
// date under the user's start settings, its header text, and the moves of the
// base date (back, forward, today, picker, drill-down into a day).
#pragma once

#include "ledger/Options.h"
#include "platform/Time.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace summary {

// The start settings and option bits a summary reads from the document.
struct SummarySettings {
    int yearStartMonth = 1; // 1..12
    int monthStartDay = 1;  // 1..31 (0 is read as 1)
    int weekStartDay = 0;   // 0 = Sunday .. 6
    std::uint32_t flags = kDefaultFlags;
    std::int64_t ledgerBalance = 0; // income − expenses of the whole ledger
};

// Half-open [start, end); start is 00:00 of the first day.
struct Period {
    plat::TimeValue start = 0;
    plat::TimeValue end = 0;
    bool contains(plat::TimeValue t) const { return t >= start && t < end; }
    friend bool operator==(const Period&, const Period&) = default;
};

// kind is one period bit (PERIOD_DAY, PERIOD_WEEK, PERIOD_MONTH, PERIOD_YEAR);
// any other value is treated as a month. Out-of-range base fields are
// normalised first, so 29 February of a common year is 1 March.
Period ComputePeriod(std::uint32_t kind, const plat::SYSTEMTIME& base,
                     const SummarySettings& settings);

// "2008/3/15(土)" for a day, "2008/2/25(月)～3/24(月)" for longer periods.
QString FormatPeriodText(std::uint32_t kind, const Period& period);
QChar WeekdayChar(int weekday); // 0 = Sunday; "？" outside 0..6

// The base date one period back (direction −1) or forward (+1). Day and week
// step by whole days and keep the time of day; a month step clamps the day to
// 28 (February, leap years too), 30 or 31; a year step keeps month and day.
plat::SYSTEMTIME MovePeriod(std::uint32_t kind, const plat::SYSTEMTIME& base, int direction);

// The current date at 00:00:00.000.
plat::SYSTEMTIME TodayBaseDate();

// The new base date when the picker closes on `picked`, or nullopt when it
// shows the same day as the date last applied (nothing to rebuild).
std::optional<plat::SYSTEMTIME> PickedBaseDate(plat::TimeValue picked, plat::TimeValue applied);

// The base date of a drill-down into a day row, from the row's own date.
plat::SYSTEMTIME DayBaseDate(plat::TimeValue day);

// The date fields at 00:00:00.000, weekday filled in.
plat::SYSTEMTIME StartOfDay(const plat::SYSTEMTIME& st);

} // namespace summary
