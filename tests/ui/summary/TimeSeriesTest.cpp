// Rows, boundaries, totals, texts and the key label of the time series.
#include "ui/summary/TimeSeries.h"
#include "support/LedgerBuilder.h"
#include "ui/summary/Aggregation.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

using namespace summary;
using namespace Qt::Literals::StringLiterals;

// One row's texts (label, expense, income, balance) joined by "|".
static QString Line(const auto& lines, int i) {
    return QStringList(lines[i].begin(), lines[i].end()).join(u'|');
}

// Twelve adjoining rows: first and last labels, first start, last end.
TEST(TimeSeries, RowsChosenRowAndTotalsWithKeys) {
    const plat::SYSTEMTIME any = Date(2000, 1, 1); // a month series ignores today
    const auto shown = [](const TimeSeriesRows& r) {
        const auto day = [](plat::TimeValue t) { return DayText(plat::TimeValueToSystemTime(t)); };
        return QStringList({r[0].label, r[11].label, day(r[0].start), day(r[11].end)}).join(u' ');
    };
    // mode, key date, today, year start, month start
    using Case = std::tuple<std::uint32_t, plat::SYSTEMTIME, plat::SYSTEMTIME, int, int, QString>;
    const Case cases[] = {
        {PERIOD_MONTH, Date(2009, 2, 10), any, 4, 1, u"2008/04 2009/03 08/04/01 09/04/01"_s},
        {PERIOD_MONTH, Date(2008, 4, 1), any, 4, 25, u"2008/04 2009/03 08/04/25 09/04/25"_s},
        {PERIOD_MONTH, Date(2008, 12, 31), any, 1, 1, u"2008/01 2008/12 08/01/01 09/01/01"_s},
        {PERIOD_YEAR, any, Date(2008, 8, 10), 4, 1, u"1997年度 2008年度 97/04/01 09/04/01"_s},
        {PERIOD_YEAR, any, Date(2008, 3, 10), 4, 1, u"1996年度 2007年度 96/04/01 08/04/01"_s},
    };
    for (const auto& [mode, keyDate, today, yearStart, monthStart, expected] : cases) {
        const TimeSeriesRows r =
            BuildTimeSeriesRows(mode, keyDate, today, SummarySettings{yearStart, monthStart});
        EXPECT_EQ(shown(r), expected);
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(r[i].end, r[i + 1].start) << expected.toStdString();
    }
    // A chosen row's start leads the summary to exactly that row's period (rows of
    // day-31 months overlap by a day; the total counts such an entry once). Without
    // the mark of an empty remark, entries with a remark count.
    const std::pair<std::uint32_t, int> starts[] = {
        {PERIOD_MONTH, 31}, {PERIOD_MONTH, 30}, {PERIOD_MONTH, 25},
        {PERIOD_YEAR, 25},  {PERIOD_YEAR, 31},
    };
    for (const auto& [mode, monthStart] : starts) {
        const SummarySettings settings{4, monthStart};
        const TimeSeriesRows rows =
            BuildTimeSeriesRows(mode, Date(2009, 1, 15), Date(2009, 1, 15), settings);
        for (const TimeSeriesRow& row : rows) {
            const plat::SYSTEMTIME chosen = ChooseTimeSeriesRow(Date(2009, 1, 15, 9), row);
            EXPECT_EQ(chosen.wHour, 9); // the time of day is kept
            EXPECT_EQ(ComputePeriod(mode, chosen, settings), (Period{row.start, row.end}))
                << monthStart << " " << row.label.toStdString();
        }
    }
    LedgerBuilder overlap;
    overlap.add({2009, 3, 31, u"食費"_s, 1500}).add({2009, 3, 10, u"食費"_s, 70, u"外食"_s});
    TimeSeriesRows day31 =
        BuildTimeSeriesRows(PERIOD_MONTH, Date(2009, 1, 15), {}, SummarySettings{4, 31});
    const TimeSeriesTotal once = AddTimeSeriesTotals(day31, overlap.head(), InOutRecord{});
    const auto texts = TimeSeriesTexts(day31, once, false);
    EXPECT_EQ(Line(texts, 10), u"2009/02|1570|0|-1570"_s); // 1 March to 1 April
    EXPECT_EQ(Line(texts, 11), u"2009/03|1500|0|-1500"_s); // 31 March to 1 May
    EXPECT_EQ(Line(texts, 12), u"合計|1570|0|-1570"_s);
    // Keys select the entries; the mark of an empty remark only entries without one.
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    LedgerBuilder ledger;
    ledger.add({2008, 4, 25, u"食費"_s, 100, {}, {}, {}, 0, 0, 0})
        .add({2008, 5, 24, u"食費"_s, 200, {}, {}, {}, 23, 59, 59})
        .add({2008, 5, 25, u"食費"_s, 400, {}, {}, {}, 0, 0, 0})
        .add({2008, 5, 1, u"交通費"_s, 800})                      // other category
        .add({2008, 5, 2, u"食費"_s, 5000, u"外食"_s})            // with a remark
        .add({2008, 4, 24, u"食費"_s, 1600})                      // before row 0
        .add({2009, 4, 25, u"食費"_s, 3200, {}, {}, {}, 0, 0, 0}) // at the end: in no row
        .add({2009, 4, 10, u"食費"_s, lowest})
        .add({2009, 4, 11, u"食費"_s, lowest});
    InOutRecord keys{};
    SetFieldText(keys.category, u"食費"_s);
    TimeSeriesRows rows =
        BuildTimeSeriesRows(PERIOD_MONTH, Date(2008, 6, 1), {}, SummarySettings{4, 25});
    const TimeSeriesTotal total = AddTimeSeriesTotals(rows, ledger.head(), keys, KEY_REMARK);
    const auto lines = TimeSeriesTexts(rows, total, true);
    const auto line = [&](int i) { return Line(lines, i); };
    EXPECT_EQ(line(0), u"2008/04|300|0|-300"_s);
    EXPECT_EQ(line(1), u"2008/05|400|0|-400"_s);
    EXPECT_EQ(line(11), u"2009/03|0|4,294,967,296|4,294,967,296"_s); // income larger: no sign
    EXPECT_EQ(line(12), u"合計|700|4,294,967,296|4,294,966,596"_s);
    for (int i = 2; i < 11; ++i)
        EXPECT_EQ(rows[i].expense + rows[i].income, 0) << i;
    // The key label: an empty key shows only when marked (no keys: see the dialog).
    SetFieldText(keys.payMethod, u"現金"_s);
    EXPECT_EQ(TimeSeriesKeyLabel(keys, KEY_PAYEE), u"[分]食費[先][方]現金"_s);
    SetFieldText(keys.remark, u"外食"_s);
    SetFieldText(keys.payee, u"A店"_s);
    EXPECT_EQ(TimeSeriesKeyLabel(keys), u"[分]食費[備]外食[先]A店[方]現金"_s);
}
