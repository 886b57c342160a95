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

TEST_F(ConversionTest, TimeOutOfRangeFieldsNormaliseAsMktimeDoes) {
    using Six = std::array<int, 6>;
    // fields, and the same date and time in range
    const std::tuple<const char*, Six, Six> rows[] = {
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
    for (const auto& [name, f, s] : rows) {
        EXPECT_EQ(TimeFromFields(f[0], f[1], f[2], f[3], f[4], f[5]),
                  Reference(QDate(s[0], s[1], s[2]), QTime(s[3], s[4], s[5])))
            << name;
    }
}

TEST_F(ConversionTest, TimeExtremesNeverCrashAndClampTheYear) {
    const TimeValue first = TimeFromFields(0, 1, 1);
    // 1 January of year 0 (1 BC) was a Saturday.
    EXPECT_EQ(FieldsOf(TimeValueToSystemTime(first)), (Fields{0, 1, 6, 1, 0, 0, 0, 0}));
    const TimeValue last = TimeFromFields(65535, 12, 31, 23, 59, 59);
    const SYSTEMTIME st = TimeValueToSystemTime(last);
    EXPECT_EQ(FieldsOf(st),
              (Fields{65535, 12, QDate(65535, 12, 31).dayOfWeek() % 7, 31, 23, 59, 59, 0}));
    EXPECT_EQ(SystemTimeToTimeValue(st), last);
    EXPECT_EQ(TimeValueToSystemTime(last + 1).wYear, 65535);
    EXPECT_EQ(TimeValueToSystemTime(first - 1).wYear, 0);

    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    for (const TimeValue t : {kMax, kMin, kMin + 1, kMax - 1}) {
        const SYSTEMTIME clamped = TimeValueToSystemTime(t);
        EXPECT_TRUE(clamped.wYear == 0 || clamped.wYear == 65535);
        EXPECT_LE(clamped.wHour, 23);
        EXPECT_TRUE(WeekdayOf(t) >= 0 && WeekdayOf(t) <= 6);
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
        {"fullwidth tilde", u"～"_s, "\x81\x60", Both},
        {"double vertical line", u"∥"_s, "\x81\x61", Both},
        {"fullwidth minus", u"－"_s, "\x81\x7C", Both},
        {"fullwidth not sign", u"￢"_s, "\x81\xCA", Both},
        {"NEC row 13", u"①"_s, "\x87\x40", Both},
        {"IBM extension", u"髙"_s, "\xFB\xFC", Both},
        {"IBM extension 纊", u"纊"_s, "\xFA\x5C", Both},
        {"half-width katakana", u"ｱ"_s, "\xB1", Both},
        {"middle dot", u"・"_s, "\x81\x45", Both},
        {"backslash stays a backslash", u"\\"_s, "\\", Both},
        {"user-defined area", QString(QChar(0xE000)), "\xF0\x40", Both},
        {"empty", QString(), QByteArray(), Both},
        // Characters outside the code page become question marks.
        {"accented letter", u"café"_s, "caf?", ToBytes},
        {"surrogate pair is one character", u"a😀b"_s, "a?b", ToBytes},
        {"two pairs", u"😀😀"_s, "??", ToBytes},
        {"lone high surrogate", u"a"_s + QChar(0xD800) + u"b"_s, "a?b", ToBytes},
        {"lone low surrogate at the end", u"x"_s + QChar(0xDC00), "x?", ToBytes},
        {"high surrogate at the end", u"x"_s + QChar(0xD83D), "x?", ToBytes},
        {"hangul between kanji", u"収한支"_s, "\x8E\xFB?\x8E\x78", ToBytes},
        {"replacement character", QString(r), "\x81\x45", ToBytes},
        // Bytes that do not decode become one replacement character each.
        {"lead byte then space", QString(r) + u" "_s, "\x81\x20", ToText},
        {"lead byte then ascii", QString(r) + u"AB"_s,
         "\x82"
         "AB",
         ToText},
        {"lead byte at the end", u"a"_s + r, "a\x82", ToText},
        {"bytes that are never characters", QString(4, r), "\x80\xA0\xFD\xFF", ToText},
        {"unassigned double-byte code", QString(r) + u"@z"_s, "\x85\x40z", ToText},
        {"NEC-selected IBM row", u"纊～A"_s, "\xED\x40\x81\x60\x41", ToText},
        {"valid text around a bad byte", u"収"_s + r + u"支"_s, "\x8E\xFB\xFF\x8E\x78", ToText},
    };
    for (const auto& [name, text, bytes, way] : rows) {
        if (way != ToText) {
            EXPECT_EQ(WideToMultiByte(text), bytes) << name;
        }
        if (way != ToBytes) {
            EXPECT_EQ(MultiByteToWide(bytes), text) << name;
        }
    }
    QString text; // long enough to need more than one buffer
    for (int i = 0; i < 3000; ++i)
        text += u"収支～ｱ😀"_s;
    const QByteArray bytes = WideToMultiByte(text);
    EXPECT_EQ(bytes.size(), 3000 * 8);
    QString back = MultiByteToWide(bytes);
    EXPECT_EQ(back, QString(text).replace(u"😀"_s, u"?"_s));
}

} // namespace
