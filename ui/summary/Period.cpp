#include "ui/summary/Period.h"

#include <algorithm>

namespace summary {
namespace {

using plat::kSecondsPerDay;
using plat::SYSTEMTIME;
using plat::TimeValue;

TimeValue DateValue(std::int64_t year, std::int64_t month, std::int64_t day) {
    return plat::TimeFromFields(year, month, day);
}

Period DayPeriod(TimeValue day) {
    return {day, day + kSecondsPerDay};
}

Period WeekPeriod(TimeValue day, int weekStartDay) {
    const int startDay = ((weekStartDay % 7) + 7) % 7;
    const int back = (plat::WeekdayOf(day) - startDay + 7) % 7;
    const TimeValue start = day - back * kSecondsPerDay;
    return {start, start + plat::kSecondsPerWeek};
}

// Length of a month period by the calendar month its start falls in.
TimeValue MonthPeriodEnd(TimeValue start) {
    const SYSTEMTIME s = plat::TimeValueToSystemTime(start);
    switch (s.wMonth) {
    case 1: {
        // A January start never runs past February.
        const TimeValue end = start + 31 * kSecondsPerDay;
        return plat::TimeValueToSystemTime(end).wMonth == 3 ? DateValue(s.wYear, 3, 1) : end;
    }
    case 2:
        return start + plat::DaysInMonth(s.wYear, 2) * kSecondsPerDay;
    case 4:
    case 6:
    case 9:
    case 11:
        return start + 30 * kSecondsPerDay;
    default:
        return start + 31 * kSecondsPerDay;
    }
}

Period MonthPeriod(const SYSTEMTIME& day, int monthStartDay) {
    const int startDay = std::clamp(monthStartDay, 0, 31);
    std::int64_t year = day.wYear;
    int month = day.wMonth;
    if (day.wDay < startDay && --month == 0) {
        month = 12;
        --year;
    }
    TimeValue start;
    if (startDay == 0) {
        start = DateValue(year, month, 1);
    } else if (startDay > plat::DaysInMonth(year, month)) {
        start = DateValue(year, month + 1, 1); // month 13 is January of the next year
    } else {
        start = DateValue(year, month, startDay);
    }
    return {start, MonthPeriodEnd(start)};
}

Period YearPeriod(const SYSTEMTIME& day, int yearStartMonth) {
    const int month = std::clamp(yearStartMonth, 1, 12);
    return {DateValue(day.wYear, month, 1), DateValue(day.wYear + 1, month, 1)};
}

QString DateText(const SYSTEMTIME& d, bool withYear) {
    const QString weekday(WeekdayChar(d.wDayOfWeek));
    if (withYear)
        return QStringLiteral("%1/%2/%3(%4)").arg(d.wYear).arg(d.wMonth).arg(d.wDay).arg(weekday);
    return QStringLiteral("%1/%2(%3)").arg(d.wMonth).arg(d.wDay).arg(weekday);
}

int ClampedDay(int month, int day) {
    if (day == 0) return 1;
    switch (month) {
    case 2:
        return std::min(day, 28); // also in leap years: 29 February is never produced
    case 4:
    case 6:
    case 9:
    case 11:
        return std::min(day, 30);
    default:
        return std::min(day, 31);
    }
}

std::uint16_t ShiftedYear(int year, int by) {
    return static_cast<std::uint16_t>(std::clamp(year + by, 0, 65535));
}

} // namespace

SYSTEMTIME StartOfDay(const SYSTEMTIME& st) {
    return plat::TimeValueToSystemTime(plat::TimeFromFields(st.wYear, st.wMonth, st.wDay));
}

Period ComputePeriod(std::uint32_t kind, const SYSTEMTIME& base, const SummarySettings& settings) {
    const SYSTEMTIME day = StartOfDay(base);
    const TimeValue dayValue = plat::SystemTimeToTimeValue(day);
    switch (kind & PERIOD_MASK) {
    case PERIOD_DAY:
        return DayPeriod(dayValue);
    case PERIOD_WEEK:
        return WeekPeriod(dayValue, settings.weekStartDay);
    case PERIOD_YEAR:
        return YearPeriod(day, settings.yearStartMonth);
    default:
        return MonthPeriod(day, settings.monthStartDay);
    }
}

QChar WeekdayChar(int weekday) {
    static constexpr char16_t kChars[] = u"日月火水木金土";
    return weekday >= 0 && weekday < 7 ? QChar(kChars[weekday]) : QChar(u'？');
}

QString FormatPeriodText(std::uint32_t kind, const Period& period) {
    const QString first = DateText(plat::TimeValueToSystemTime(period.start), true);
    if ((kind & PERIOD_MASK) == PERIOD_DAY) return first;
    const SYSTEMTIME last = plat::TimeValueToSystemTime(period.end - kSecondsPerDay);
    return first + QChar(u'～') + DateText(last, false);
}

SYSTEMTIME MovePeriod(std::uint32_t kind, const SYSTEMTIME& base, int direction) {
    const int step = direction < 0 ? -1 : 1;
    SYSTEMTIME moved = base;
    switch (kind & PERIOD_MASK) {
    case PERIOD_DAY:
        return plat::TimeValueToSystemTime(plat::SystemTimeToTimeValue(base) +
                                           step * kSecondsPerDay);
    case PERIOD_WEEK:
        return plat::TimeValueToSystemTime(plat::SystemTimeToTimeValue(base) +
                                           step * plat::kSecondsPerWeek);
    case PERIOD_YEAR:
        moved.wYear = ShiftedYear(base.wYear, step);
        return moved;
    default: {
        int month = base.wMonth + step;
        int year = base.wYear;
        if (month < 1) {
            month = 12;
            --year;
        } else if (month > 12) {
            month = 1;
            ++year;
        }
        moved.wYear = ShiftedYear(year, 0);
        moved.wMonth = static_cast<std::uint16_t>(month);
        moved.wDay = static_cast<std::uint16_t>(ClampedDay(month, base.wDay));
        return moved;
    }
    }
}

SYSTEMTIME TodayBaseDate() {
    return StartOfDay(plat::GetLocalTime());
}

std::optional<SYSTEMTIME> PickedBaseDate(TimeValue picked, TimeValue applied) {
    const SYSTEMTIME p = plat::TimeValueToSystemTime(picked);
    const SYSTEMTIME a = plat::TimeValueToSystemTime(applied);
    if (p.wYear == a.wYear && p.wMonth == a.wMonth && p.wDay == a.wDay) return std::nullopt;
    return StartOfDay(p);
}

SYSTEMTIME DayBaseDate(TimeValue day) {
    return StartOfDay(plat::TimeValueToSystemTime(day));
}

} // namespace summary
