// Periods, their header texts, the moves of the base date, and entry times.
#include "ui/summary/Period.h"
#include "support/LedgerBuilder.h"
#include "ui/summary/EntryTime.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <tuple>

using namespace summary;
using namespace std::string_literals;

TEST(Period, StartsTextsMovesTodayThePickerAndEntryTimes) {
    // Kind, start (month's start day, week's first weekday or year's first month).
    const std::tuple<std::uint32_t, int, plat::SYSTEMTIME, const char16_t*> rows[] = {
        {PERIOD_MONTH, 25, Date(2008, 3, 24), u"2008/2/25(月)～3/24(月)"},   // the day before
        {PERIOD_MONTH, 25, Date(2008, 1, 10), u"2007/12/25(火)～1/24(木)"},  // back a year
        {PERIOD_MONTH, 25, Date(2007, 2, 25), u"2007/2/25(日)～3/24(土)"},   // common year
        {PERIOD_MONTH, 25, Date(2008, 12, 30), u"2008/12/25(木)～1/24(土)"}, // into next year
        {PERIOD_MONTH, 30, Date(2007, 2, 10), u"2007/1/30(火)～2/28(水)"},
        {PERIOD_MONTH, 30, Date(2007, 3, 10), u"2007/3/1(木)～3/31(土)"},
        {PERIOD_MONTH, 31, Date(2007, 3, 31), u"2007/3/31(土)～4/30(月)"}, // overlaps
        {PERIOD_MONTH, 31, Date(2008, 2, 10), u"2008/1/31(木)～2/29(金)"},
        {PERIOD_MONTH, 31, Date(2009, 1, 10), u"2008/12/31(水)～1/30(金)"},
        {PERIOD_MONTH, 31, Date(2008, 5, 10), u"2008/5/1(木)～5/31(土)"}, // April has 30
        {PERIOD_MONTH, 0, Date(2008, 3, 10), u"2008/3/1(土)～3/31(月)"},  // 0 is read as 1
        {PERIOD_MONTH, 1, Date(2009, 2, 29), u"2009/3/1(日)～3/31(火)"},  // no 29 February
        {PERIOD_WEEK, 1, Date(2009, 1, 1), u"2008/12/29(月)～1/4(日)"},
        {PERIOD_WEEK, 6, Date(2008, 3, 14), u"2008/3/8(土)～3/14(金)"},
        {PERIOD_YEAR, 4, Date(2008, 2, 10), u"2008/4/1(火)～3/31(火)"},
        {PERIOD_YEAR, 12, Date(2008, 12, 31), u"2008/12/1(月)～11/30(月)"},
        {PERIOD_DAY, 0, Date(2008, 3, 9, 2, 30), u"2008/3/9(日)"},   // clocks spring forward:
        {PERIOD_DAY, 0, Date(2008, 3, 30, 2, 30), u"2008/3/30(日)"}, // New York, then Berlin
        {PERIOD_WEEK, 1, Date(2008, 3, 30, 2, 30), u"2008/3/24(月)～3/30(日)"},
    };
    // Never the host's zone: midnight to midnight under daylight saving too.
    const std::string saved = std::getenv("TZ"); // always set by the test main
    for (const std::string& zone : {saved, "America/New_York"s, "Europe/Berlin"s}) {
        setenv("TZ", zone.c_str(), 1);
        tzset();
        for (const auto& [kind, start, base, text] : rows) {
            const QString expected = QString::fromUtf16(text);
            const Period p = ComputePeriod(kind, base, {start, start, start});
            EXPECT_EQ(FormatPeriodText(kind, p), expected);
            EXPECT_EQ(p.start % plat::kSecondsPerDay + p.end % plat::kSecondsPerDay, 0)
                << expected.toStdString() << zone;
        }
    }
    setenv("TZ", saved.c_str(), 1);
    tzset();
    // Month moves clamp the day (never to 29 February), year moves keep it.
    const std::tuple<std::uint32_t, plat::SYSTEMTIME, int, plat::SYSTEMTIME> moves[] = {
        {PERIOD_MONTH, Date(2008, 3, 31), -1, Date(2008, 2, 28)},
        {PERIOD_MONTH, Date(2008, 5, 31), -1, Date(2008, 4, 30)},
        {PERIOD_MONTH, Date(2008, 12, 15, 8, 5), 1, Date(2009, 1, 15, 8, 5)},
        {PERIOD_MONTH, Date(2009, 1, 31), -1, Date(2008, 12, 31)},
        {PERIOD_MONTH, Date(2008, 3, 0), 1, Date(2008, 4, 1)},
        {PERIOD_YEAR, Date(2008, 2, 29), 1, Date(2009, 2, 29)},
        {PERIOD_YEAR, Date(2008, 3, 10, 12, 34), -1, Date(2007, 3, 10, 12, 34)},
        {PERIOD_DAY, Date(2008, 12, 31, 12), 1, Date(2009, 1, 1, 12)},
        {PERIOD_WEEK, Date(2008, 1, 3, 7), -1, Date(2007, 12, 27, 7)},
    };
    for (const auto& [kind, base, direction, e] : moves) {
        const plat::SYSTEMTIME m = MovePeriod(kind, base, direction);
        EXPECT_EQ(std::tie(m.wYear, m.wMonth, m.wDay, m.wHour, m.wMinute),
                  std::tie(e.wYear, e.wMonth, e.wDay, e.wHour, e.wMinute));
    }
    EXPECT_EQ(MovePeriod(PERIOD_DAY, Date(2008, 12, 31), 1).wDayOfWeek, 4); // Thursday, filled in

    const plat::TimeValue now = plat::TimeFromFields(2008, 3, 10, 12, 34, 56);
    plat::SetClockForTest(now);
    const plat::SYSTEMTIME today = TodayBaseDate();
    plat::SetClockForTest(std::nullopt);
    EXPECT_EQ(plat::SystemTimeToTimeValue(today), plat::TimeFromFields(2008, 3, 10));
    EXPECT_EQ(today.wMilliseconds, 0);
    EXPECT_FALSE(PickedBaseDate(plat::TimeFromFields(2008, 3, 10, 1), now).has_value());
    const auto picked = PickedBaseDate(plat::TimeFromFields(2008, 3, 11, 9, 15), now);
    EXPECT_EQ(plat::SystemTimeToTimeValue(picked.value()), plat::TimeFromFields(2008, 3, 11));
    // The cheap per-entry time equals the platform's, for out-of-range fields too.
    const int fields[][6] = {
        {1970, 1, 1, 0, 0, 0},     {2008, 2, 29, 12, 34, 56}, {2100, 3, 1, 23, 59, 59},
        {2105, 12, 31, 0, 0, 1},   {2008, 0, 15, 0, 0, 0},    {2008, 13, 1, 0, 0, 0},
        {2008, 65535, 1, 0, 0, 0}, {2008, 3, 0, 0, 0, 0},     {2008, 12, 40, 0, 0, 0},
        {2008, 2, 65535, 0, 0, 0}, {2007, 2, 30, 0, 0, 0},    {2008, 12, 31, 24, 0, 0},
        {0, 2, 29, 0, 0, 0},       {2008, 6, 30, 23, 60, 60},
    };
    for (const auto& f : fields) {
        const plat::SYSTEMTIME d = Date(f[0], f[1], f[2], f[3], f[4], f[5]);
        EXPECT_EQ(EntryTimeValue(d), plat::SystemTimeToTimeValue(d))
            << f[0] << '/' << f[1] << '/' << f[2];
    }
}
