// Rows, boundaries, totals, texts and the key label of the time series.
#include "ui/summary/TimeSeries.h"
#include "support/LedgerBuilder.h"
#include "ui/summary/Aggregation.h"

#include <gtest/gtest.h>
#include <limits>

using namespace summary;
using namespace Qt::Literals::StringLiterals;

namespace {

SummarySettings Starts(int yearStart, int monthStart) {
    SummarySettings s;
    s.yearStartMonth = yearStart;
    s.monthStartDay = monthStart;
    return s;
}

} // namespace

TEST(TimeSeries, RowLabelsAndBoundaries) {
    struct Case {
        const char* name;
        std::uint32_t mode;
        plat::SYSTEMTIME keyDate, today;
        int yearStart, monthStart;
        const char16_t *firstLabel, *lastLabel;
        plat::SYSTEMTIME firstStart, lastEnd;
    };
    const Case cases[] = {
        {"fiscal year from April, base before April", PERIOD_MONTH, Date(2009, 2, 10),
         Date(2000, 1, 1), 4, 1, u"2008/04", u"2009/03", Date(2008, 4, 1), Date(2009, 4, 1)},
        {"month start 25", PERIOD_MONTH, Date(2008, 4, 1), Date(2000, 1, 1), 4, 25, u"2008/04",
         u"2009/03", Date(2008, 4, 25), Date(2009, 4, 25)},
        {"calendar year", PERIOD_MONTH, Date(2008, 12, 31), Date(2000, 1, 1), 1, 1, u"2008/01",
         u"2008/12", Date(2008, 1, 1), Date(2009, 1, 1)},
        {"years from April, today in August", PERIOD_YEAR, Date(2000, 1, 1), Date(2008, 8, 10), 4,
         1, u"1997年度", u"2008年度", Date(1997, 4, 1), Date(2009, 4, 1)},
        {"years from April, today in March", PERIOD_YEAR, Date(2000, 1, 1), Date(2008, 3, 10), 4, 1,
         u"1996年度", u"2007年度", Date(1996, 4, 1), Date(2008, 4, 1)},
    };
    for (const Case& c : cases) {
        const TimeSeriesRows rows =
            BuildTimeSeriesRows(c.mode, c.keyDate, c.today, Starts(c.yearStart, c.monthStart));
        EXPECT_EQ(rows[0].label, QString::fromUtf16(c.firstLabel)) << c.name;
        EXPECT_EQ(rows[11].label, QString::fromUtf16(c.lastLabel)) << c.name;
        EXPECT_EQ(rows[0].start, plat::SystemTimeToTimeValue(c.firstStart)) << c.name;
        EXPECT_EQ(rows[11].end, plat::SystemTimeToTimeValue(c.lastEnd)) << c.name;
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(rows[i].end, rows[i + 1].start) << c.name;
    }
}

// A chosen row hands its start to the summary, which must then show exactly
// that row's period: once a month started on day 31 ("2009/02" ran 3 to 31
// March, the summary's month 1 March to 1 April) and the years started on day
// D while the summary's year starts on the 1st.
TEST(TimeSeries, ChosenRowLeadsToTheSummaryPeriodOfThatRow) {
    struct Case {
        const char* name;
        std::uint32_t mode;
        int monthStart;
    };
    const Case cases[] = {
        {"months, day 31", PERIOD_MONTH, 31}, {"months, day 30", PERIOD_MONTH, 30},
        {"months, day 25", PERIOD_MONTH, 25}, {"years, day 25", PERIOD_YEAR, 25},
        {"years, day 31", PERIOD_YEAR, 31},
    };
    for (const Case& c : cases) {
        const SummarySettings settings = Starts(4, c.monthStart);
        const TimeSeriesRows rows =
            BuildTimeSeriesRows(c.mode, Date(2009, 1, 15), Date(2009, 1, 15), settings);
        for (const TimeSeriesRow& row : rows) {
            const plat::SYSTEMTIME chosen = ChooseTimeSeriesRow(Date(2009, 1, 15, 9), row);
            EXPECT_EQ(chosen.wHour, 9); // the time of day is kept
            const Period shown = ComputePeriod(c.mode, chosen, settings);
            EXPECT_EQ(shown, (Period{row.start, row.end}))
                << c.name << " " << row.label.toStdString();
        }
    }
}

// Months of day 31 overlap by a day (31 March is in "2009/02" and "2009/03",
// as in the summary); the total counts such an entry once.
TEST(TimeSeries, OverlappingMonthsCountAnEntryOnceInTheTotal) {
    LedgerBuilder ledger;
    ledger.add({2009, 3, 31, u"食費"_s, 1500}).add({2009, 3, 10, u"食費"_s, 70});
    TimeSeriesRows rows = BuildTimeSeriesRows(PERIOD_MONTH, Date(2009, 1, 15), {}, Starts(1, 31));
    const TimeSeriesTotal total = AddTimeSeriesTotals(rows, ledger.head(), InOutRecord{});
    EXPECT_EQ(rows[1].expense, 1570); // 1 March to 1 April
    EXPECT_EQ(rows[2].expense, 1500); // 31 March to 1 May
    EXPECT_EQ(total.expense, 1570);
    const auto lines = TimeSeriesTexts(rows, total, false);
    EXPECT_EQ(lines[12][1], u"1570"_s);
    EXPECT_EQ(lines[1][3], u"-1570"_s);
}

// An empty remark row of the summary leads here to entries without a remark.
TEST(TimeSeries, EmptyKeyMarkSelectsEmptyFields) {
    LedgerBuilder ledger;
    ledger.add({2008, 5, 1, u"食費"_s, 100, u"外食"_s}).add({2008, 5, 2, u"食費"_s, 30});
    InOutRecord keys{};
    SetFieldText(keys.category, u"食費"_s);
    TimeSeriesRows rows = BuildTimeSeriesRows(PERIOD_MONTH, Date(2008, 6, 1), {}, Starts(1, 1));
    EXPECT_EQ(AddTimeSeriesTotals(rows, ledger.head(), keys, KEY_REMARK).expense, 30);
    TimeSeriesRows all = BuildTimeSeriesRows(PERIOD_MONTH, Date(2008, 6, 1), {}, Starts(1, 1));
    EXPECT_EQ(AddTimeSeriesTotals(all, ledger.head(), keys).expense, 130);
}

TEST(TimeSeries, TotalsPerRowWithKeys) {
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    LedgerBuilder ledger;
    ledger.add({2008, 4, 25, u"食費"_s, 100, {}, {}, {}, 0, 0, 0})
        .add({2008, 5, 24, u"食費"_s, 200, {}, {}, {}, 23, 59, 59})
        .add({2008, 5, 25, u"食費"_s, 400, {}, {}, {}, 0, 0, 0})
        .add({2008, 5, 1, u"交通費"_s, 800})                      // other category
        .add({2008, 4, 24, u"食費"_s, 1600})                      // before row 0
        .add({2009, 4, 25, u"食費"_s, 3200, {}, {}, {}, 0, 0, 0}) // at the end, excluded
        .add({2009, 4, 10, u"食費"_s, lowest})
        .add({2009, 4, 11, u"食費"_s, lowest});
    InOutRecord keys{};
    SetFieldText(keys.category, u"食費"_s);
    TimeSeriesRows rows = BuildTimeSeriesRows(PERIOD_MONTH, Date(2008, 6, 1), {}, Starts(4, 25));
    const TimeSeriesTotal total = AddTimeSeriesTotals(rows, ledger.head(), keys);
    EXPECT_EQ(rows[0].expense, 300);
    EXPECT_EQ(rows[1].expense, 400);
    EXPECT_EQ(rows[11].income, 4294967296);
    std::int64_t others = 0;
    for (int i = 2; i < 11; ++i)
        others += rows[i].expense + rows[i].income;
    EXPECT_EQ(others, 0);

    const auto lines = TimeSeriesTexts(rows, total, true);
    EXPECT_EQ(lines[0][3], u"-300"_s);
    EXPECT_EQ(lines[11][2], u"4,294,967,296"_s);
    EXPECT_EQ(lines[11][3], u"4,294,967,296"_s); // income larger: no sign
    EXPECT_EQ(lines[12][0], u"合計"_s);
    EXPECT_EQ(lines[12][1], u"700"_s);
    EXPECT_EQ(lines[12][3], u"4,294,966,596"_s);
    EXPECT_EQ(lines[5][1], u"0"_s);
    EXPECT_EQ(lines[5][3], u"0"_s);
}

TEST(TimeSeries, KeyLabel) {
    InOutRecord keys{};
    EXPECT_EQ(TimeSeriesKeyLabel(keys), u"[全データ]"_s);
    SetFieldText(keys.category, u"食費"_s);
    SetFieldText(keys.payMethod, u"現金"_s);
    EXPECT_EQ(TimeSeriesKeyLabel(keys), u"[分]食費[方]現金"_s);
    EXPECT_EQ(TimeSeriesKeyLabel(keys, KEY_PAYEE), u"[分]食費[先][方]現金"_s);
    SetFieldText(keys.remark, u"外食"_s);
    SetFieldText(keys.payee, u"A店"_s);
    EXPECT_EQ(TimeSeriesKeyLabel(keys), u"[分]食費[備]外食[先]A店[方]現金"_s);
}

// An entry exactly at the end of the twelfth row belongs to no row; a range
// check off by one would put it in a thirteenth row past the array, which the
// guard row placed right behind it would then show.
TEST(TimeSeries, EntryExactlyAtTheEndCountsInNoRowAndWritesNothingPastThem) {
    LedgerBuilder ledger;
    ledger.add({2008, 4, 1, u"食費"_s, 100, {}, {}, {}, 0, 0, 0})
        .add({2009, 4, 1, u"食費"_s, 3200, {}, {}, {}, 0, 0, 0})
        .add({2009, 3, 31, u"食費"_s, -50, {}, {}, {}, 23, 59, 59});
    struct {
        TimeSeriesRows rows;
        TimeSeriesRow guard{};
    } s;
    static_assert(sizeof s == sizeof(TimeSeriesRows) + sizeof(TimeSeriesRow));
    s.rows = BuildTimeSeriesRows(PERIOD_MONTH, Date(2008, 6, 1), {}, Starts(4, 1));
    AddTimeSeriesTotals(s.rows, ledger.head(), InOutRecord{});
    EXPECT_EQ(s.rows[0].expense, 100);
    EXPECT_EQ(s.rows[11].income, 50);
    EXPECT_EQ(s.guard.expense, 0);
    EXPECT_EQ(s.guard.income, 0);
    std::int64_t expenses = 0;
    for (const TimeSeriesRow& row : s.rows)
        expenses += row.expense;
    EXPECT_EQ(expenses, 100);
}
