// Selection, value and day rows, single-entry rows, amounts and total texts.
#include "ui/summary/Aggregation.h"
#include "support/LedgerBuilder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

using namespace summary;
using namespace Qt::Literals::StringLiterals;

namespace {

// Rows as the list shows them: columns joined by "|", rows by ", ".
QString Shown(const std::vector<SummaryRow>& rows) {
    QStringList lines;
    for (const SummaryRow& r : rows)
        lines << QStringList(r.texts.begin(), r.texts.begin() + r.columnCount).join(u'|');
    return lines.join(u", ");
}

// Expense|income|balance; a hidden text in brackets.
QString Shown(const TotalTexts& t) {
    const auto text = [](const QString& s, bool visible) { return visible ? s : u'(' + s + u')'; };
    return text(t.expense, t.expenseVisible) + u'|' + text(t.income, t.incomeVisible) + u'|' +
           text(t.balance, t.balanceVisible);
}

SummaryQuery Query(std::uint32_t mode, plat::SYSTEMTIME base, bool income = false) {
    SummaryQuery q;
    q.mode = mode;
    q.showIncome = income;
    q.keyRecord.date = base;
    return q;
}

using Sums = std::pair<std::int64_t, std::int64_t>; // expense, income

Period MonthOf(int year, int month) {
    return {plat::TimeFromFields(year, month, 1), plat::TimeFromFields(year, month + 1, 1)};
}

// The rows of one breakdown of March 2008 on the expense side (or income).
QString Breakdown(const LedgerBuilder& ledger, const SummaryQuery& q, bool comma = false) {
    const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3), q);
    return built ? Shown(FillSummaryRows(built->nodes, q.showIncome, comma)) : u"failed"_s;
}

} // namespace

// 64-bit sums; an expense category's income is income; a zero amount an expense.
TEST(ValueAndDayRows, SumsBeyond32BitsDaysAcrossNewYearTotalTextsAndManyKeys) {
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    LedgerBuilder ledger;
    ledger.add({2008, 3, 2, u"交通費"_s, 300})
        .add({2008, 2, 28, u"食費"_s, 9999}) // before the period
        .add({2008, 3, 5, u"食費"_s, 1200})
        .add({2008, 3, 6, u"給与"_s, lowest})
        .add({2008, 3, 7, u"住居費"_s, 2000000000})
        .add({2008, 3, 8, u"住居費"_s, 2000000000})
        .add({2008, 3, 9, u"給与"_s, lowest})
        .add({2008, 3, 20, u"食費"_s, 800})
        .add({2008, 3, 21, u"食費"_s, -50})
        .add({2008, 3, 31, u"雑費"_s, 0, {}, {}, {}, 23, 59, 59})
        .add({2008, 4, 1, u"食費"_s, 7777, {}, {}, {}, 0, 0, 0}) // after the period
        .add({2008, 1, 2, u"食費"_s, 50})                        // day rows from here on
        .add({2008, 1, 1, u"食費"_s, 100})
        .add({2007, 12, 31, u"食費"_s, 200})
        .add({2008, 1, 1, u"食費"_s, 300})
        .add({2008, 1, 3, u"給与"_s, -1000})
        .add({2008, 1, 7, u"食費"_s, 999}) // next week
        .add({2008, 12, 40, u"食費"_s, 100})
        .add({2008, 13, 1, u"食費"_s, 200})
        .add({2009, 1, 9, u"食費"_s, 1})
        .add({2008, 65535, 65535, u"食費"_s, 5000});
    const std::uint32_t byCategory = ModeOf(SUM_CATEGORY, PERIOD_MONTH);
    EXPECT_EQ(Breakdown(ledger, Query(byCategory, Date(2008, 3, 10)), true),
              u"交通費|300, 食費|2,000, 住居費|4,000,000,000, 雑費|0"_s);
    EXPECT_EQ(Breakdown(ledger, Query(byCategory, Date(2008, 3, 10), true), true),
              u"給与|4,294,967,296, 食費|50"_s);
    const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3), Query(byCategory, {}));
    EXPECT_EQ(Sums(built->totals.expense, built->totals.income), Sums(4000002300, 4294967346));
    // Single entries of income add the payee column; their totals hold both sides.
    const SummaryQuery detail = Query(ModeOf(SUM_DETAIL, PERIOD_MONTH), {}, true);
    const EntryRows entries = FillEntryRows(ledger.head(), MonthOf(2008, 3), detail, true);
    EXPECT_EQ(
        Shown(entries.rows),
        u"08/03/06|給与|||2,147,483,648, 08/03/09|給与|||2,147,483,648, 08/03/21|食費|||50"_s);
    EXPECT_EQ(Sums(entries.totals.expense, entries.totals.income), Sums(4000002300, 4294967346));
    // Keys do not apply to day rows; imported 2008/12/40 and 2008/13/01 fall in 2009.
    SummaryQuery q = Query(ModeOf(SUM_DATE, PERIOD_WEEK), Date(2008, 1, 1));
    SetFieldText(q.keyRecord.category, u"無関係"_s);
    const Period week{plat::TimeFromFields(2007, 12, 31), plat::TimeFromFields(2008, 1, 7)};
    const auto days = BuildTotals(ledger.head(), week, q);
    EXPECT_EQ(Shown(FillSummaryRows(days.value().nodes, false, true)),
              u"07/12/31|200, 08/01/01|400, 08/01/02|50"_s);
    EXPECT_EQ(Sums(days->totals.expense, days->totals.income), Sums(650, 1000));
    const auto january = BuildTotals(ledger.head(), MonthOf(2009, 1), q);
    EXPECT_EQ(Shown(FillSummaryRows(january.value().nodes, false, false)),
              u"09/01/01|200, 09/01/09|101"_s);
    // Total texts; amount texts up to the extremes of 64 bits.
    EXPECT_EQ(FormatAmount(std::numeric_limits<std::int64_t>::min(), true),
              u"9,223,372,036,854,775,808"_s);
    EXPECT_EQ(FormatAmount(std::numeric_limits<std::int64_t>::max(), false),
              u"9223372036854775807"_s);
    using Row = std::tuple<std::uint32_t, std::int64_t, std::int64_t, std::int64_t, bool, QString>;
    const Row rows[] = {
        {0, 1700, 500, 0, false, u"支出合計：1700円|収入合計：500円|残高：-1200円"_s},
        {OPT_COMMA, 500, 1234, 0, false, u"支出合計：500円|収入合計：1,234円|残高：734円"_s},
        {OPT_COMMA, 4000000000, 0, 0, false,
         u"支出合計：4,000,000,000円|収入合計：0円|残高：-4,000,000,000円"_s},
        {OPT_SINGLE_SIDE, 1, 2, 0, false, u"支出合計：1円|(収入合計：2円)|残高：1円"_s},
        {OPT_SINGLE_SIDE | OPT_HIDE_BALANCE, 1, 2, 0, true,
         u"(支出合計：1円)|収入合計：2円|(残高：1円)"_s},
    };
    for (const auto& [flags, expense, income, ledgerBalance, showIncome, texts] : rows)
        EXPECT_EQ(Shown(MakeTotalTexts(expense, income, flags, showIncome, ledgerBalance)), texts);
    // The key table grows and still finds every earlier key.
    LedgerBuilder many;
    QStringList keys;
    std::vector<int> sums;
    for (int i = 0; i < 200; ++i) {
        keys << u"項目%1"_s.arg((i * 37) % 200);
        sums.push_back(i + 1);
        const int again = (i * 7) % keys.size();
        sums[again] += 1000;
        many.add({2008, 3, 1 + i % 28, keys.back(), i + 1})
            .add({2008, 3, 1 + (i + 3) % 28, keys[again], 1000});
    }
    for (int i = 0; i < 200; ++i)
        keys[i] += u'|' + QString::number(sums[i]);
    EXPECT_EQ(Breakdown(many, Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 1))),
              keys.join(u", "));
}

// Keys end at the NUL (other programs leave units after it) or fill all sixteen
// units. The filter replaces the keys: text in the remark only, inclusive bounds.
TEST(Selection, DimensionsDrillDownKeysAndTheFilter) {
    LedgerBuilder ledger;
    ledger.add({2008, 3, 1, u"食費"_s, 100, u"外食"_s, u"A店"_s, u"現金"_s})
        .add({2008, 3, 2, u"食費"_s, 200, u"食材"_s, u"B店"_s, u"カード"_s})
        .add({2008, 3, 3, u"食費"_s, 400, u"外食"_s, u"B店"_s, u"カード"_s})
        .add({2008, 3, 4, u"交通費"_s, 800, u"外食"_s, u"A店"_s, u"現金"_s})
        .add({2008, 3, 5, u"食"_s, 1})
        .add({2008, 3, 6, u"ABCDEFGHIJKLMNO"_s, 2})
        .add({2008, 3, 7, u"ABCDEFGHIJKLMNO"_s, 4})
        .add({2008, 3, 8, u"給与"_s, -5000});
    ledger.record(1).category[3] = u'x';
    ledger.record(3).category[15] = u'y';
    ledger.record(3).remark[5] = u'x';
    ledger.record(6).category[15] = u'P';
    // dimension, category and remark keys, rows
    const std::tuple<std::uint32_t, const char16_t*, const char16_t*, QString> rows[] = {
        {SUM_CATEGORY, u"", u"",
         u"食費|700, 交通費|800, 食|1, ABCDEFGHIJKLMNO|2, ABCDEFGHIJKLMNOP|4"_s},
        {SUM_REMARK, u"食費", u"", u"外食|500, 食材|200"_s},
        {SUM_PAYEE, u"", u"外食", u"A店|900, B店|400"_s},
        {SUM_PAYMETHOD, u"食費", u"外食", u"現金|100, カード|400"_s},
        {SUM_PAYMETHOD, u"", u"", u"現金|900, カード|600, |7"_s},
        {SUM_CATEGORY, u"住居費", u"", u""_s}, // an unknown key
    };
    for (const auto& [dimension, category, remark, shown] : rows) {
        SummaryQuery q = Query(dimension | PERIOD_MONTH, Date(2008, 3, 1));
        SetFieldText(q.keyRecord.category, QString::fromUtf16(category));
        SetFieldText(q.keyRecord.remark, QString::fromUtf16(remark));
        EXPECT_EQ(Breakdown(ledger, q), shown) << dimension;
    }
    using Filter = std::tuple<std::uint32_t, const char16_t*, std::int32_t, std::int32_t,
                              std::vector<std::int64_t>>;
    const Filter filters[] = {
        {0, u"食", 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        {FILTER_TEXT, u"食", 0, 0, {1, 2, 3, 4}},
        {FILTER_TEXT, u"", 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        {FILTER_MIN, u"", 100, 0, {1, 2, 3, 4}},
        {FILTER_MAX, u"", 0, 200, {1, 2, 5, 6, 7, 8}},
        {FILTER_MIN | FILTER_MAX, u"", 2, 200, {1, 2, 6, 7}},
        {FILTER_TEXT | FILTER_MIN | FILTER_MAX, u"食", 150, 500, {2, 3}},
    };
    SummaryQuery q = Query(ModeOf(SUM_DETAIL, PERIOD_MONTH), Date(2008, 3, 1));
    q.filterMode = true;
    SetFieldText(q.keyRecord.category, u"住居費"_s); // ignored in the filter mode
    for (const auto& [filter, text, min, max, expected] : filters) {
        std::tie(q.filter, q.filterText, q.filterMin, q.filterMax) =
            std::tuple(filter, QString::fromUtf16(text), min, max);
        const RecordMatcher matcher(MonthOf(2008, 3), q);
        std::vector<std::int64_t> ids;
        for (const LedgerNode* n = ledger.head(); n; n = n->next)
            if (matcher.MatchesRecord(n->record)) ids.push_back(n->record.id);
        EXPECT_EQ(ids, expected) << filter << " " << min << " " << max;
    }
}
