// Selection, value and day rows, single-entry rows, amounts and total texts.
#include "ui/summary/Aggregation.h"
#include "support/LedgerBuilder.h"

#include <gtest/gtest.h>
#include <limits>

using namespace summary;

namespace {

QString S(const char16_t* s) {
    return QString::fromUtf16(s);
}

const SummarySettings kPlain{};

SummaryQuery Query(std::uint32_t mode, plat::SYSTEMTIME base, bool income = false) {
    SummaryQuery q;
    q.mode = mode;
    q.showIncome = income;
    q.keyRecord.date = base;
    return q;
}

Period MonthOf(int year, int month) {
    return {plat::TimeFromFields(year, month, 1), plat::TimeFromFields(year, month + 1, 1)};
}

std::vector<QString> Column(const std::vector<SummaryRow>& rows, int c) {
    std::vector<QString> texts;
    for (const SummaryRow& r : rows)
        texts.push_back(r.texts[c]);
    return texts;
}

} // namespace

TEST(FormatAmount, DigitsGroupsAndSigns) {
    struct Row {
        std::int64_t amount;
        bool comma;
        const char* text;
    };
    const Row rows[] = {
        {0, true, "0"},
        {999, true, "999"},
        {1000, true, "1,000"},
        {1234, true, "1,234"},
        {123456, true, "123,456"},
        {1234567, true, "1,234,567"},
        {1234567, false, "1234567"},
        {-50000, true, "50,000"},
        {-50000, false, "50000"},
        {std::numeric_limits<std::int32_t>::min(), true, "2,147,483,648"},
        {std::numeric_limits<std::int64_t>::min(), true, "9,223,372,036,854,775,808"},
        {std::numeric_limits<std::int64_t>::max(), false, "9223372036854775807"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FormatAmount(row.amount, row.comma), QLatin1String(row.text)) << row.amount;
}

TEST(TotalTexts, BalanceSignsCommasAndVisibility) {
    struct Row {
        const char* name;
        std::uint32_t flags;
        std::int64_t expense, income, ledgerBalance;
        bool showIncome;
        const char16_t *expenseText, *incomeText, *balanceText;
        bool expenseVisible, incomeVisible, balanceVisible;
    };
    const Row rows[] = {
        {"negative without commas", 0, 1700, 500, 0, false, u"支出合計：1700円", u"収入合計：500円",
         u"残高：-1200円", true, true, true},
        {"negative with commas", OPT_COMMA, 1700, 500, 0, false, u"支出合計：1,700円",
         u"収入合計：500円", u"残高：-1,200円", true, true, true},
        {"positive with commas", OPT_COMMA, 500, 1234567, 0, false, u"支出合計：500円",
         u"収入合計：1,234,567円", u"残高：1,234,067円", true, true, true},
        {"positive without commas", 0, 500, 1234567, 0, false, u"支出合計：500円",
         u"収入合計：1234567円", u"残高：1234067円", true, true, true},
        {"empty period", OPT_COMMA, 0, 0, 0, false, u"支出合計：0円", u"収入合計：0円",
         u"残高：0円", true, true, true},
        {"whole-ledger balance", OPT_COMMA | OPT_BALANCE_ALL_DATA, 100, 0, -5000, false,
         u"支出合計：100円", u"収入合計：0円", u"残高：-5,000円", true, true, true},
        {"whole-ledger balance without commas", OPT_BALANCE_ALL_DATA, 100, 0, -5000, false,
         u"支出合計：100円", u"収入合計：0円", u"残高：-5000円", true, true, true},
        {"beyond 32 bits", OPT_COMMA, 4000000000, 0, 0, false, u"支出合計：4,000,000,000円",
         u"収入合計：0円", u"残高：-4,000,000,000円", true, true, true},
        {"single side, expense shown", OPT_SINGLE_SIDE, 1, 2, 0, false, u"支出合計：1円",
         u"収入合計：2円", u"残高：1円", true, false, true},
        {"single side, income shown", OPT_SINGLE_SIDE | OPT_HIDE_BALANCE, 1, 2, 0, true,
         u"支出合計：1円", u"収入合計：2円", u"残高：1円", false, true, false},
        {"balance hidden", OPT_HIDE_BALANCE, 1, 2, 0, true, u"支出合計：1円", u"収入合計：2円",
         u"残高：1円", true, true, false},
    };
    for (const Row& row : rows) {
        const TotalTexts t =
            MakeTotalTexts(row.expense, row.income, row.flags, row.showIncome, row.ledgerBalance);
        EXPECT_EQ(t.expense, S(row.expenseText)) << row.name;
        EXPECT_EQ(t.income, S(row.incomeText)) << row.name;
        EXPECT_EQ(t.balance, S(row.balanceText)) << row.name;
        EXPECT_EQ(t.expenseVisible, row.expenseVisible) << row.name;
        EXPECT_EQ(t.incomeVisible, row.incomeVisible) << row.name;
        EXPECT_EQ(t.balanceVisible, row.balanceVisible) << row.name;
    }
}

TEST(ValueRows, SumPerCategoryInOrderOfFirstOccurrence) {
    LedgerBuilder ledger;
    ledger.add({2008, 3, 2, S(u"交通費"), 300})
        .add({2008, 2, 28, S(u"食費"), 9999}) // before the period
        .add({2008, 3, 5, S(u"食費"), 1200})
        .add({2008, 3, 6, S(u"給与"), -200000})
        .add({2008, 3, 20, S(u"食費"), 800})
        .add({2008, 3, 21, S(u"食費"), -50}) // income of an expense category
        .add({2008, 3, 31, S(u"雑費"), 0, {}, {}, {}, 23, 59, 59})
        .add({2008, 4, 1, S(u"食費"), 7777, {}, {}, {}, 0, 0, 0}); // after the period
    const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3),
                                   Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 10)));
    ASSERT_TRUE(built.has_value());
    const auto rows = FillSummaryRows(built->nodes, false, true);
    EXPECT_EQ(Column(rows, 0), (std::vector<QString>{S(u"交通費"), S(u"食費"), S(u"雑費")}));
    EXPECT_EQ(Column(rows, 1), (std::vector<QString>{S(u"300"), S(u"2,000"), S(u"0")}));
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].itemData, std::int64_t(i));
    EXPECT_EQ(built->totals.expense, 2300);
    EXPECT_EQ(built->totals.income, 200050);

    const auto income =
        BuildTotals(ledger.head(), MonthOf(2008, 3),
                    Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 10), true));
    const auto incomeRows = FillSummaryRows(income->nodes, true, true);
    EXPECT_EQ(Column(incomeRows, 0), (std::vector<QString>{S(u"給与"), S(u"食費")}));
    EXPECT_EQ(Column(incomeRows, 1), (std::vector<QString>{S(u"200,000"), S(u"50")}));
}

TEST(ValueRows, ManyDistinctKeysKeepFirstOccurrenceOrder) {
    LedgerBuilder ledger;
    std::vector<QString> expected;
    for (int i = 0; i < 200; ++i) {
        const QString key = QStringLiteral("項目%1").arg((i * 37) % 200);
        expected.push_back(key);
        ledger.add({2008, 3, 1 + i % 28, key, i + 1});
        ledger.add({2008, 3, 1 + (i + 3) % 28, expected[(i * 7) % expected.size()], 1});
    }
    const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3),
                                   Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 1)));
    ASSERT_TRUE(built.has_value());
    std::vector<QString> keys;
    std::int64_t sum = 0;
    for (const SummaryNode& n : built->nodes) {
        keys.push_back(n.key);
        sum += n.sum;
    }
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(sum, 200 * 201 / 2 + 200);
}

TEST(ValueRows, StaleUnitsAfterTheTextDoNotSplitARow) {
    LedgerBuilder ledger;
    ledger.add({2008, 3, 1, S(u"食費"), 100})
        .add({2008, 3, 2, S(u"食費"), 200})
        .add({2008, 3, 3, S(u"食"), 400})
        .add({2008, 3, 4, S(u"ABCDEFGHIJKLMNO"), 1})
        .add({2008, 3, 5, S(u"ABCDEFGHIJKLMNO"), 2});
    // A record written by another program: units left behind the NUL, and a
    // text filling all sixteen units without one.
    ledger.record(1).category[3] = u'x';
    ledger.record(1).category[15] = u'y';
    ledger.record(4).category[15] = u'P';
    const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3),
                                   Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 1)));
    ASSERT_TRUE(built.has_value());
    const auto rows = FillSummaryRows(built->nodes, false, false);
    EXPECT_EQ(Column(rows, 0), (std::vector<QString>{S(u"食費"), S(u"食"), S(u"ABCDEFGHIJKLMNO"),
                                                     S(u"ABCDEFGHIJKLMNOP")}));
    EXPECT_EQ(Column(rows, 1), (std::vector<QString>{S(u"300"), S(u"400"), S(u"1"), S(u"2")}));
}

TEST(ValueRows, DimensionsAndDrillDownKeys) {
    LedgerBuilder ledger;
    ledger.add({2008, 3, 1, S(u"食費"), 100, S(u"外食"), S(u"A店"), S(u"現金")})
        .add({2008, 3, 2, S(u"食費"), 200, S(u"食材"), S(u"B店"), S(u"カード")})
        .add({2008, 3, 3, S(u"食費"), 400, S(u"外食"), S(u"B店"), S(u"カード")})
        .add({2008, 3, 4, S(u"交通費"), 800, S(u"外食"), S(u"A店"), S(u"現金")});
    // Units after the NUL are not part of a key.
    ledger.record(3).remark[5] = u'x';

    struct Row {
        const char* name;
        std::uint32_t dimension;
        const char16_t *category, *remark;
        std::vector<QString> keys;
        std::vector<QString> sums;
    };
    const std::vector<Row> rows = {
        {"remarks of one category",
         SUM_REMARK,
         u"食費",
         u"",
         {S(u"外食"), S(u"食材")},
         {S(u"500"), S(u"200")}},
        {"payees of a remark",
         SUM_PAYEE,
         u"",
         u"外食",
         {S(u"A店"), S(u"B店")},
         {S(u"900"), S(u"400")}},
        {"methods of category and remark",
         SUM_PAYMETHOD,
         u"食費",
         u"外食",
         {S(u"現金"), S(u"カード")},
         {S(u"100"), S(u"400")}},
        {"no keys", SUM_PAYMETHOD, u"", u"", {S(u"現金"), S(u"カード")}, {S(u"900"), S(u"600")}},
        {"unknown key", SUM_CATEGORY, u"住居費", u"", {}, {}},
    };
    for (const Row& row : rows) {
        SummaryQuery q = Query(row.dimension | PERIOD_MONTH, Date(2008, 3, 1));
        SetFieldText(q.keyRecord.category, S(row.category));
        SetFieldText(q.keyRecord.remark, S(row.remark));
        const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3), q);
        ASSERT_TRUE(built.has_value());
        const auto filled = FillSummaryRows(built->nodes, false, false);
        EXPECT_EQ(Column(filled, 0), row.keys) << row.name;
        EXPECT_EQ(Column(filled, 1), row.sums) << row.name;
    }
}

TEST(DayRows, DateOrderAcrossNewYearWithOwnDates) {
    LedgerBuilder ledger;
    ledger.add({2008, 1, 2, S(u"食費"), 50})
        .add({2008, 1, 1, S(u"食費"), 100})
        .add({2007, 12, 31, S(u"食費"), 200})
        .add({2008, 1, 1, S(u"食費"), 300})
        .add({2008, 1, 3, S(u"給与"), -1000}) // income: a row only on the income side
        .add({2008, 1, 7, S(u"食費"), 999});  // next week
    SummaryQuery q = Query(ModeOf(SUM_DATE, PERIOD_WEEK), Date(2008, 1, 1));
    SetFieldText(q.keyRecord.category, S(u"無関係")); // keys do not apply to day rows
    const Period week{plat::TimeFromFields(2007, 12, 31), plat::TimeFromFields(2008, 1, 7)};
    const auto built = BuildTotals(ledger.head(), week, q);
    ASSERT_TRUE(built.has_value());
    const auto rows = FillSummaryRows(built->nodes, false, true);
    EXPECT_EQ(Column(rows, 0),
              (std::vector<QString>{S(u"07/12/31"), S(u"08/01/01"), S(u"08/01/02")}));
    EXPECT_EQ(Column(rows, 1), (std::vector<QString>{S(u"200"), S(u"400"), S(u"50")}));
    EXPECT_EQ(rows[1].day, plat::TimeFromFields(2008, 1, 1));
    EXPECT_EQ(built->totals.expense, 650);
    EXPECT_EQ(built->totals.income, 1000);
}

TEST(DayRows, SlotComesFromTheNormalisedDate) {
    // Imported dates with fields out of range: 2008/12/40 is 9 January 2009 and
    // 2008/13/01 is 1 January 2009. Their raw month and day would index far
    // beyond a 372-slot table.
    LedgerBuilder ledger;
    ledger.add({2008, 12, 40, S(u"食費"), 100})
        .add({2008, 13, 1, S(u"食費"), 200})
        .add({2009, 1, 9, S(u"食費"), 1})
        .add({2008, 65535, 65535, S(u"食費"), 5000});
    const auto built = BuildTotals(ledger.head(), MonthOf(2009, 1),
                                   Query(ModeOf(SUM_DATE, PERIOD_MONTH), Date(2009, 1, 1)));
    ASSERT_TRUE(built.has_value());
    const auto rows = FillSummaryRows(built->nodes, false, false);
    EXPECT_EQ(Column(rows, 0), (std::vector<QString>{S(u"09/01/01"), S(u"09/01/09")}));
    EXPECT_EQ(Column(rows, 1), (std::vector<QString>{S(u"200"), S(u"101")}));
}

TEST(DayRows, YearPeriodAndA2081Row) {
    LedgerBuilder ledger;
    ledger.add({2081, 12, 31, S(u"食費"), 1}).add({2081, 1, 5, S(u"食費"), 2});
    const Period year{plat::TimeFromFields(2081, 1, 1), plat::TimeFromFields(2082, 1, 1)};
    const auto built =
        BuildTotals(ledger.head(), year, Query(ModeOf(SUM_DATE, PERIOD_YEAR), Date(2081, 6, 1)));
    const auto rows = FillSummaryRows(built->nodes, false, false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].texts[0], S(u"81/01/05"));
    EXPECT_EQ(rows[1].texts[0], S(u"81/12/31"));
    EXPECT_EQ(plat::TimeValueToSystemTime(rows[0].day).wYear, 2081);
}

TEST(Sums, LargeAmountsNeverOverflow) {
    const std::int32_t big = 2000000000;
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    LedgerBuilder ledger;
    ledger.add({2008, 3, 1, S(u"住居費"), big})
        .add({2008, 3, 2, S(u"住居費"), big})
        .add({2008, 3, 3, S(u"給与"), lowest})
        .add({2008, 3, 4, S(u"給与"), lowest});
    for (std::uint32_t dimension : {SUM_CATEGORY, SUM_DATE}) {
        const auto built = BuildTotals(ledger.head(), MonthOf(2008, 3),
                                       Query(dimension | PERIOD_MONTH, Date(2008, 3, 1)));
        EXPECT_EQ(built->totals.expense, 4000000000);
        EXPECT_EQ(built->totals.income, 4294967296);
    }
    const auto expense = BuildTotals(ledger.head(), MonthOf(2008, 3),
                                     Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 1)));
    EXPECT_EQ(FillSummaryRows(expense->nodes, false, true)[0].texts[1], S(u"4,000,000,000"));
    const auto income =
        BuildTotals(ledger.head(), MonthOf(2008, 3),
                    Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 1), true));
    EXPECT_EQ(FillSummaryRows(income->nodes, true, true)[0].texts[1], S(u"4,294,967,296"));
    SummaryQuery detail = Query(ModeOf(SUM_DETAIL, PERIOD_MONTH), Date(2008, 3, 1), true);
    const EntryRows entries = FillEntryRows(ledger.head(), MonthOf(2008, 3), detail, true);
    EXPECT_EQ(entries.rows[0].texts[4], S(u"2,147,483,648"));
}

TEST(EntryRows, ColumnsPerLayout) {
    LedgerBuilder ledger;
    ledger.add({2008, 3, 15, S(u"食費"), 1500, S(u"外食"), S(u"A店"), S(u"現金"), 23, 59, 59})
        .add({2008, 3, 15, S(u"給与"), -250000, S(u"三月分"), S(u"会社"), S(u"振込")})
        .add({2008, 3, 16, S(u"雑費"), 0, S(u"なし")});
    struct Row {
        const char* name;
        std::uint32_t kind;
        bool income;
        std::vector<std::vector<QString>> texts;
        std::vector<std::int64_t> ids;
    };
    const std::vector<Row> rows = {
        {"month, expense",
         PERIOD_MONTH,
         false,
         {{S(u"08/03/15"), S(u"食費"), S(u"外食"), S(u"1,500")},
          {S(u"08/03/16"), S(u"雑費"), S(u"なし"), S(u"0")}},
         {1, 3}},
        {"month, income",
         PERIOD_MONTH,
         true,
         {{S(u"08/03/15"), S(u"給与"), S(u"三月分"), S(u"会社"), S(u"250,000")}},
         {2}},
        {"day, expense", PERIOD_DAY, false, {{S(u"食費"), S(u"外食"), S(u"1,500")}}, {1}},
        {"day, income",
         PERIOD_DAY,
         true,
         {{S(u"給与"), S(u"三月分"), S(u"会社"), S(u"250,000")}},
         {2}},
    };
    for (const Row& row : rows) {
        SummaryQuery q = Query(SUM_DETAIL | row.kind, Date(2008, 3, 15), row.income);
        const Period p = ComputePeriod(row.kind, q.keyRecord.date, kPlain);
        const EntryRows result = FillEntryRows(ledger.head(), p, q, true);
        ASSERT_EQ(result.rows.size(), row.texts.size()) << row.name;
        for (std::size_t i = 0; i < result.rows.size(); ++i) {
            const SummaryRow& r = result.rows[i];
            const std::vector<QString> texts(r.texts.begin(), r.texts.begin() + r.columnCount);
            EXPECT_EQ(texts, row.texts[i]) << row.name;
            EXPECT_EQ(r.itemData, row.ids[i]) << row.name;
        }
        EXPECT_EQ(result.totals.expense, 1500) << row.name;
        EXPECT_EQ(result.totals.income, 250000) << row.name;
    }
}

TEST(Filter, TextAndAmountBounds) {
    LedgerBuilder ledger;
    ledger.add({2008, 3, 1, S(u"食費"), 1200, S(u"食費")})
        .add({2008, 3, 2, S(u"交際費"), 3000, S(u"外食")})
        .add({2008, 3, 3, S(u"食料品"), 400, S(u"野菜")}) // 食 only in the category
        .add({2008, 3, 4, S(u"給与"), -5000, S(u"給料")})
        .add({2008, 3, 5, S(u"雑費"), 999, S(u"")})
        .add({2008, 3, 6, S(u"雑費"), 500, S(u"文具")});
    struct Row {
        const char* name;
        std::uint32_t filter;
        const char16_t* text;
        std::int32_t min, max;
        std::vector<std::int64_t> ids;
    };
    const std::vector<Row> rows = {
        {"off", 0, u"食", 0, 0, {1, 2, 3, 4, 5, 6}},
        {"text in the remark only", FILTER_TEXT, u"食", 0, 0, {1, 2}},
        {"empty text", FILTER_TEXT, u"", 0, 0, {1, 2, 3, 4, 5, 6}},
        {"minimum 1000 drops every income", FILTER_MIN, u"", 1000, 0, {1, 2}},
        {"maximum 500 keeps every income", FILTER_MAX, u"", 0, 500, {3, 4, 6}},
        {"both bounds inclusive", FILTER_MIN | FILTER_MAX, u"", 500, 1200, {1, 5, 6}},
        {"all three", FILTER_TEXT | FILTER_MIN | FILTER_MAX, u"食", 1000, 2000, {1}},
    };
    for (const Row& row : rows) {
        SummaryQuery q = Query(ModeOf(SUM_DETAIL, PERIOD_MONTH), Date(2008, 3, 1));
        q.filterMode = true;
        q.filter = row.filter;
        q.filterText = S(row.text);
        q.filterMin = row.min;
        q.filterMax = row.max;
        SetFieldText(q.keyRecord.category, S(u"雑費")); // ignored in the filter mode
        std::vector<std::int64_t> ids;
        for (const LedgerNode* n = ledger.head(); n; n = n->next)
            if (MatchesRecord(n->record, MonthOf(2008, 3), q)) ids.push_back(n->record.id);
        EXPECT_EQ(ids, row.ids) << row.name;
    }
}

TEST(ComputeSummary, OneRebuildFromBaseDate) {
    LedgerBuilder ledger;
    ledger.add({2008, 2, 25, S(u"食費"), 1000})
        .add({2008, 3, 24, S(u"食費"), 234, {}, {}, {}, 23, 59, 59})
        .add({2008, 3, 25, S(u"食費"), 5000, {}, {}, {}, 0, 0, 0})
        .add({2008, 3, 1, S(u"給与"), -200});
    SummarySettings settings;
    settings.monthStartDay = 25;
    settings.flags = OPT_COMMA;
    const SummaryContents c = ComputeSummary(
        ledger.head(), settings, Query(ModeOf(SUM_CATEGORY, PERIOD_MONTH), Date(2008, 3, 3)));
    ASSERT_TRUE(c.complete);
    EXPECT_EQ(c.periodText, S(u"2008/2/25(月)～3/24(月)"));
    ASSERT_EQ(c.rows.size(), 1u);
    EXPECT_EQ(c.rows[0].texts[1], S(u"1,234"));
    EXPECT_EQ(c.texts.balance, S(u"残高：-1,034円"));

    const SummaryContents detail = ComputeSummary(
        ledger.head(), settings, Query(ModeOf(SUM_DETAIL, PERIOD_MONTH), Date(2008, 3, 3)));
    EXPECT_EQ(detail.rows.size(), 2u);
    EXPECT_EQ(detail.texts.expense, S(u"支出合計：1,234円"));
}
