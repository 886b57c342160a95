// Conversions: time values against an independent calendar (QDate), the
// normalisation of out-of-range fields, the extremes and the test clock; CP932
// text, the handset's code page with its extension rows, and what becomes of
// characters and bytes that do not convert.
#include "support/DeviceTest.h"

#include "platform/CodePage.h"
#include "platform/Time.h"

#include <QDateTime>
#include <array>
#include <limits>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

using ConversionTest = DeviceTest;

using Fields = std::array<int, 8>;
Fields FieldsOf(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
            st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}
TimeValue Reference(const QDate& date, const QTime& time = {0, 0}) {
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

TEST_F(ConversionTest, TimeEveryDayFrom1970To2105MatchesQDate) {
    const std::array<int, 3> times[] = {{0, 0, 0}, {0, 0, 1}, {12, 34, 56}, {23, 59, 59}};
    for (QDate date(1970, 1, 1); date.year() <= 2105; date = date.addDays(1)) {
        const int y = date.year(), m = date.month(), d = date.day(), weekday = date.dayOfWeek() % 7;
        for (const auto& [hour, minute, second] : times) {
            const TimeValue expected = Reference(date, QTime(hour, minute, second));
            ASSERT_EQ(TimeFromFields(y, m, d, hour, minute, second), expected)
                << date.toString(Qt::ISODate).toStdString();
            const SYSTEMTIME st = TimeValueToSystemTime(expected);
            ASSERT_EQ(FieldsOf(st), (Fields{y, m, weekday, d, hour, minute, second, 0}));
            ASSERT_EQ(SystemTimeToTimeValue(st), expected);
        }
    }
}

// Each row puts several fields out of range at once, so a fault in any one shows.
TEST_F(ConversionTest, TimeOutOfRangeFieldsNormaliseAsMktimeDoes) {
    using Six = std::array<int, 6>;
    // fields, the same date and time in range
    const std::pair<Six, Six> rows[] = {
        {{2008, 13, 40, 24, 60, -1}, {2009, 2, 10, 0, 59, 59}},
        {{2008, -10, 0, -1, 0, 0}, {2007, 1, 30, 23, 0, 0}},
        {{2008, 25, 1, 0, 0, 0}, {2010, 1, 1, 0, 0, 0}},
        {{2008, 3, 0, 0, 0, 0}, {2008, 2, 29, 0, 0, 0}},
        {{2008, 2, 28, 0, 0, 86400}, {2008, 2, 29, 0, 0, 0}},
    };
    for (const auto& [f, s] : rows)
        EXPECT_EQ(TimeFromFields(f[0], f[1], f[2], f[3], f[4], f[5]),
                  Reference(QDate(s[0], s[1], s[2]), QTime(s[3], s[4], s[5])))
            << f[0] << ' ' << f[1] << ' ' << f[2];
}

TEST_F(ConversionTest, TimeExtremesNeverOverflowAndClampTheYear) {
    const TimeValue first = TimeFromFields(0, 1, 1);
    // 1 January of year 0 (1 BC) was a Saturday; anything earlier is clamped to it.
    EXPECT_EQ(FieldsOf(TimeValueToSystemTime(first)), (Fields{0, 1, 6, 1, 0, 0, 0, 0}));
    EXPECT_EQ(FieldsOf(TimeValueToSystemTime(first - 1)), (Fields{0, 1, 6, 1, 23, 59, 59, 0}));
    const TimeValue last = TimeFromFields(65535, 12, 31, 23, 59, 59);
    const SYSTEMTIME st = TimeValueToSystemTime(last);
    EXPECT_EQ(FieldsOf(st),
              (Fields{65535, 12, QDate(65535, 12, 31).dayOfWeek() % 7, 31, 23, 59, 59, 0}));
    EXPECT_EQ(SystemTimeToTimeValue(st), last);
    EXPECT_EQ(TimeValueToSystemTime(last + 1).wYear, 65535);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    for (const TimeValue t : {kMin, kMin + 1, kMax - 1, kMax})
        EXPECT_EQ(TimeValueToSystemTime(t).wYear, t < 0 ? 0 : 65535) << t;
    EXPECT_GT(TimeFromFields(kMax, kMax, kMax, kMax, kMax, kMax), last);
    EXPECT_LT(TimeFromFields(kMin, kMin, kMin, kMin, kMin, kMin), first);
    const SYSTEMTIME ones{65535, 65535, 65535, 65535, 65535, 65535, 65535, 65535};
    EXPECT_GT(SystemTimeToTimeValue(ones), last);
    EXPECT_EQ(std::pair(DaysInMonth(2008, 0), DaysInMonth(2008, 13)), std::pair(0, 0));
}

TEST_F(ConversionTest, TimeFixedAndRealClock) {
    EXPECT_EQ(FieldsOf(GetLocalTime()), (Fields{2008, 3, 1, 10, 12, 34, 56, 0})); // a Monday
    SetClockForTest(std::nullopt);
    const QDateTime now = QDateTime::currentDateTime();
    EXPECT_NEAR(double(CurrentTimeValue()), double(Reference(now.date(), now.time())), 5.0);
}

enum Way { Both, ToBytes, ToText };

TEST_F(ConversionTest, CodePageBothWaysWhatDoesNotConvertAndLongText) {
    const QChar r(kReplacementChar);
    const std::tuple<const char*, QString, QByteArray, Way> rows[] = {
        {"CP932's own rows", u"～∥－￢・"_s, "\x81\x60\x81\x61\x81\x7C\x81\xCA\x81\x45", Both},
        {"extensions", u"①髙纊"_s + QChar(0xE000), "\x87\x40\xFB\xFC\xFA\x5C\xF0\x40", Both},
        {"half-width katakana, backslash", u"ｱ\\"_s, "\xB1\\", Both},
        {"empty", QString(), QByteArray(), Both},
        // One question mark per character outside the code page.
        {"not in the code page", u"café a😀b 😀😀 収한支"_s, "caf? a?b ?? \x8E\xFB?\x8E\x78", ToBytes},
        {"lone surrogates", u"a"_s + QChar(0xD800) + u"b"_s + QChar(0xDC00), "a?b?", ToBytes},
        {"high surrogate at the end", u"x"_s + QChar(0xD83D), "x?", ToBytes},
        // One replacement character per byte that does not decode; the next byte is read afresh.
        {"bad bytes", QString(r) + u" "_s + r + u"AB"_s + QString(5, r) + u"@z"_s,
         "\x81 \x82\x41\x42\x80\xA0\xFD\xFF\x85\x40z", ToText},
        {"NEC-selected IBM row, lead byte at the end", u"纊～A収"_s + r + u"支a"_s + r,
         "\xED\x40\x81\x60\x41\x8E\xFB\xFF\x8E\x78\x61\x82", ToText},
    };
    for (const auto& [name, text, bytes, way] : rows) {
        EXPECT_EQ(way == ToText ? bytes : WideToMultiByte(text), bytes) << name;
        EXPECT_EQ(way == ToBytes ? text : MultiByteToWide(bytes), text) << name;
    }
    const QString text = u"収支～ｱ😀"_s.repeated(3000); // more than one buffer
    EXPECT_EQ(MultiByteToWide(WideToMultiByte(text)), QString(text).replace(u"😀"_s, u"?"_s));
}

} // namespace
