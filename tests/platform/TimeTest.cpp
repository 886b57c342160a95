// Time values against an independent calendar (QDate), the normalisation of
// out-of-range fields, the extremes and the test clock.
#include "support/DeviceTest.h"

#include "platform/Time.h"

#include <QDate>
#include <QDateTime>
#include <cstring>
#include <limits>

using namespace plat;

namespace {

using TimeTest = DeviceTest;

constexpr qint64 kJulianDayOf1970 = 2440588;

TEST_F(TimeTest, EveryDayFrom1970To2105MatchesQDate) {
    const int times[][3] = {{0, 0, 0}, {0, 0, 1}, {12, 34, 56}, {23, 59, 59}};
    for (QDate date(1970, 1, 1); date.year() <= 2105; date = date.addDays(1)) {
        const TimeValue midnight = (date.toJulianDay() - kJulianDayOf1970) * kSecondsPerDay;
        for (const auto& hms : times) {
            const TimeValue expected = midnight + hms[0] * 3600 + hms[1] * 60 + hms[2];
            ASSERT_EQ(TimeFromFields(date.year(), date.month(), date.day(), hms[0], hms[1], hms[2]),
                      expected)
                << date.toString(Qt::ISODate).toStdString();
            const SYSTEMTIME st = TimeValueToSystemTime(expected);
            ASSERT_EQ(st.wYear, date.year());
            ASSERT_EQ(st.wMonth, date.month());
            ASSERT_EQ(st.wDay, date.day());
            ASSERT_EQ(st.wDayOfWeek, date.dayOfWeek() % 7);
            ASSERT_EQ(st.wHour, hms[0]);
            ASSERT_EQ(st.wMinute, hms[1]);
            ASSERT_EQ(st.wSecond, hms[2]);
            ASSERT_EQ(st.wMilliseconds, 0);
            ASSERT_EQ(SystemTimeToTimeValue(st), expected);
        }
    }
}

TEST_F(TimeTest, OutOfRangeFieldsNormaliseAsMktimeDoes) {
    struct Row {
        const char* name;
        std::int64_t fields[6];
        std::int64_t same[6];
    };
    const Row rows[] = {
        {"month 13", {2008, 13, 1, 0, 0, 0}, {2009, 1, 1, 0, 0, 0}},
        {"month 0", {2008, 0, 15, 0, 0, 0}, {2007, 12, 15, 0, 0, 0}},
        {"month -1", {2008, -1, 1, 0, 0, 0}, {2007, 11, 1, 0, 0, 0}},
        {"month 25", {2008, 25, 1, 0, 0, 0}, {2010, 1, 1, 0, 0, 0}},
        {"day 0 in a leap March", {2008, 3, 0, 0, 0, 0}, {2008, 2, 29, 0, 0, 0}},
        {"day 0 in January", {2008, 1, 0, 0, 0, 0}, {2007, 12, 31, 0, 0, 0}},
        {"day 40", {2008, 1, 40, 0, 0, 0}, {2008, 2, 9, 0, 0, 0}},
        {"day 31 of April", {2008, 4, 31, 0, 0, 0}, {2008, 5, 1, 0, 0, 0}},
        {"day -1", {2008, 3, -1, 0, 0, 0}, {2008, 2, 28, 0, 0, 0}},
        {"hour 24", {2008, 12, 31, 24, 0, 0}, {2009, 1, 1, 0, 0, 0}},
        {"hour -1", {2008, 1, 1, -1, 0, 0}, {2007, 12, 31, 23, 0, 0}},
        {"minute 60", {2008, 1, 1, 0, 60, 0}, {2008, 1, 1, 1, 0, 0}},
        {"second -1", {2008, 1, 1, 0, 0, -1}, {2007, 12, 31, 23, 59, 59}},
        {"second 86400", {2008, 2, 28, 0, 0, 86400}, {2008, 2, 29, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto& f = row.fields;
        const auto& s = row.same;
        const TimeValue t = TimeFromFields(f[0], f[1], f[2], f[3], f[4], f[5]);
        EXPECT_EQ(t, TimeFromFields(s[0], s[1], s[2], s[3], s[4], s[5]));
        const QDateTime reference{
            QDate(static_cast<int>(s[0]), static_cast<int>(s[1]), static_cast<int>(s[2])),
            QTime(static_cast<int>(s[3]), static_cast<int>(s[4]), static_cast<int>(s[5])), Qt::UTC};
        EXPECT_EQ(t, reference.toSecsSinceEpoch());
    }
}

TEST_F(TimeTest, ExtremesNeverCrashAndClampTheYear) {
    const SYSTEMTIME first = TimeValueToSystemTime(TimeFromFields(0, 1, 1));
    EXPECT_EQ(first.wYear, 0);
    EXPECT_EQ(first.wMonth, 1);
    EXPECT_EQ(first.wDay, 1);
    EXPECT_EQ(first.wDayOfWeek, 6); // 1 January of year 0 (1 BC) was a Saturday
    const TimeValue last = TimeFromFields(65535, 12, 31, 23, 59, 59);
    const SYSTEMTIME st = TimeValueToSystemTime(last);
    EXPECT_EQ(st.wYear, 65535);
    EXPECT_EQ(st.wMonth, 12);
    EXPECT_EQ(st.wDay, 31);
    EXPECT_EQ(SystemTimeToTimeValue(st), last);
    EXPECT_EQ(TimeValueToSystemTime(last + 1).wYear, 65535);
    EXPECT_EQ(TimeValueToSystemTime(TimeFromFields(0, 1, 1) - 1).wYear, 0);

    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    for (const TimeValue t : {kMax, kMin, kMin + 1, kMax - 1}) {
        const SYSTEMTIME clamped = TimeValueToSystemTime(t);
        EXPECT_TRUE(clamped.wYear == 0 || clamped.wYear == 65535);
        EXPECT_LE(clamped.wHour, 23);
        EXPECT_LE(WeekdayOf(t), 6);
        EXPECT_GE(WeekdayOf(t), 0);
    }
    // Any int field, even all at once, stays in range.
    constexpr std::int64_t kInt = std::numeric_limits<int>::max();
    EXPECT_GT(TimeFromFields(kInt, kInt, kInt, kInt, kInt, kInt), 0);
    EXPECT_LT(TimeFromFields(-kInt, -kInt, -kInt, -kInt, -kInt, -kInt), 0);
    TimeFromFields(kMax, kMin, kMax, kMin, kMax, kMin);
    const SYSTEMTIME ones{65535, 65535, 65535, 65535, 65535, 65535, 65535, 65535};
    EXPECT_GT(SystemTimeToTimeValue(ones), last);
    EXPECT_EQ(DaysInMonth(2008, 0), 0);
    EXPECT_EQ(DaysInMonth(2008, 13), 0);
}

TEST_F(TimeTest, FixedAndRealClock) {
    const SYSTEMTIME monday1234 = {2008, 3, 1, 10, 12, 34, 56, 0};
    const SYSTEMTIME fixed = GetLocalTime();
    EXPECT_EQ(std::memcmp(&fixed, &monday1234, sizeof fixed), 0);

    SetClockForTest(std::nullopt);
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime asUtc(now.date(), now.time(), Qt::UTC);
    EXPECT_NEAR(double(CurrentTimeValue()), double(asUtc.toSecsSinceEpoch()), 5.0);
}

} // namespace
