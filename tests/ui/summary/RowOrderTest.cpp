// Column layouts, automatic widths, direction rules and the row sort.
#include "ui/summary/RowOrder.h"
#include "support/LedgerBuilder.h"

#include <gtest/gtest.h>

using namespace summary;

namespace {

QString S(const char16_t* s) {
    return QString::fromUtf16(s);
}

SummaryRow Row(std::vector<QString> texts, std::int64_t item) {
    SummaryRow r;
    r.columnCount = static_cast<int>(texts.size());
    for (int c = 0; c < r.columnCount; ++c)
        r.texts[c] = texts[c];
    r.itemData = item;
    return r;
}

std::vector<std::int64_t> Items(const std::vector<SummaryRow>& rows) {
    std::vector<std::int64_t> items;
    for (const SummaryRow& r : rows)
        items.push_back(r.itemData);
    return items;
}

} // namespace

TEST(Columns, WidthPlans) {
    const auto contents = [](int c) { return 100 + c; };
    ListHeaderInfo fresh(5);
    ListHeaderInfo stored(2);
    stored.columnWidth = {0x10000 | 90, 40, 0, 0, 0};
    const auto fiveColumns = SetupColumns(ModeOf(SUM_DETAIL, PERIOD_MONTH), true);
    const auto fourColumns = SetupColumns(ModeOf(SUM_DETAIL, PERIOD_MONTH), false);
    const auto twoColumns = SetupColumns(ModeOf(SUM_CATEGORY, PERIOD_MONTH), false);
    const auto dayColumns = SetupColumns(ModeOf(SUM_DETAIL, PERIOD_DAY), true);

    struct Case {
        const char* name;
        std::uint32_t mode;
        const std::vector<ColumnSpec>& columns;
        const ListHeaderInfo* info;
        int rows;
        std::vector<int> widths;
        bool store;
    };
    const std::vector<Case> cases = {
        {"stored widths, low 16 bits", SUM_CATEGORY, twoColumns, &stored, 9, {90, 40}, false},
        {"no rows keep the initial widths", SUM_CATEGORY, twoColumns, nullptr, 0, {120, 80}, true},
        {"one row too", SUM_CATEGORY, twoColumns, nullptr, 1, {120, 80}, true},
        {"breakdown sized to contents", SUM_CATEGORY, twoColumns, nullptr, 2, {100, 101}, true},
        {"five columns share the rest",
         ModeOf(SUM_DETAIL, PERIOD_MONTH),
         fiveColumns,
         &fresh,
         3,
         {100, 75, 75, 75, 104},
         true},
        {"four columns take the date width",
         ModeOf(SUM_DETAIL, PERIOD_MONTH),
         fourColumns,
         nullptr,
         3,
         {100, 100, 100, 103},
         true},
        {"day entries sized to contents",
         ModeOf(SUM_DETAIL, PERIOD_DAY),
         dayColumns,
         nullptr,
         3,
         {100, 101, 102, 103},
         true},
    };
    for (const Case& c : cases) {
        const WidthPlan plan = PlanColumnWidths(c.mode, c.columns, c.info, c.rows, 400, contents);
        EXPECT_EQ(plan.widths, c.widths) << c.name;
        EXPECT_EQ(plan.store, c.store) << c.name;
    }
}

TEST(SortDirection, RebuildAndHeaderTaps) {
    EXPECT_EQ(SortOnRebuild(nullptr).column, 0);
    EXPECT_EQ(SortOnRebuild(nullptr).direction, 1);

    ListHeaderInfo info(2);
    info.sortColumn = 1;
    info.sortDirection = 0;
    EXPECT_EQ(SortOnRebuild(&info).direction, 1); // a stored 0 reads as ascending

    // Stored 0: the first tap sorts ascending and stores +1.
    SortChoice tap = OnColumnClick(&info, 1, -1);
    EXPECT_EQ(tap.direction, 1);
    EXPECT_EQ(info.sortDirection, 1);
    // Every tap reverses, also on another column.
    tap = OnColumnClick(&info, 0, tap.direction);
    EXPECT_EQ(tap.direction, -1);
    EXPECT_EQ(info.sortColumn, 0);
    tap = OnColumnClick(&info, 0, tap.direction);
    EXPECT_EQ(tap.direction, 1);
    EXPECT_EQ(SortOnRebuild(&info).column, 0);
    EXPECT_EQ(SortOnRebuild(&info).direction, 1);
    // Without a record the program-wide direction is kept.
    EXPECT_EQ(OnColumnClick(nullptr, 2, -1).direction, -1);
    EXPECT_EQ(OnColumnClick(nullptr, 2, 0).direction, 1);
}

TEST(RowSort, AmountColumnIsNumeric) {
    std::vector<SummaryRow> rows = {
        Row({S(u"a"), S(u"980")}, 0),
        Row({S(u"b"), S(u"1,200")}, 1),
        Row({S(u"c"), S(u"4,000,000,000")}, 2),
        Row({S(u"d"), S(u"2,147,483,648")}, 3),
        Row({S(u"e"), S(u"0")}, 4),
    };
    SortRows(rows, {1, -1}, 2);
    EXPECT_EQ(Items(rows), (std::vector<std::int64_t>{2, 3, 1, 0, 4}));
    SortRows(rows, {1, 1}, 2);
    EXPECT_EQ(Items(rows), (std::vector<std::int64_t>{4, 0, 1, 3, 2}));
}

TEST(RowSort, TextColumnsAndStability) {
    std::vector<SummaryRow> rows = {
        Row({S(u"08/01/01"), S(u"食費"), S(u"x"), S(u"100")}, 11),
        Row({S(u"07/12/31"), S(u"交通費"), S(u"y"), S(u"100")}, 12),
        Row({S(u"08/01/01"), S(u"交通費"), S(u"z"), S(u"100")}, 13),
        Row({S(u"07/12/31"), S(u"食費"), S(u"w"), S(u"100")}, 14),
    };
    SortRows(rows, {0, 1}, 4);
    EXPECT_EQ(Items(rows), (std::vector<std::int64_t>{12, 14, 11, 13}));
    SortRows(rows, {0, -1}, 4); // equal days keep their order in both directions
    EXPECT_EQ(Items(rows), (std::vector<std::int64_t>{11, 13, 12, 14}));
    SortRows(rows, {3, 1}, 4); // all amounts equal: nothing moves
    EXPECT_EQ(Items(rows), (std::vector<std::int64_t>{11, 13, 12, 14}));
    // 交 (U+4EA4) before 食 (U+98DF) in code-unit order.
    SortRows(rows, {1, 1}, 4);
    EXPECT_EQ(Items(rows), (std::vector<std::int64_t>{13, 12, 11, 14}));

    // Code units, not code points: a surrogate pair sorts below U+FF21.
    std::vector<SummaryRow> units = {Row({S(u"Ａ"), S(u"1")}, 0), Row({S(u"𠮷"), S(u"1")}, 1)};
    SortRows(units, {0, 1}, 2);
    EXPECT_EQ(Items(units), (std::vector<std::int64_t>{1, 0}));
}

// "YY/MM/DD" texts sort by the dates behind them: a fiscal year from April
// 1999 lists 1999 first, in the day rows and in the single entries.
TEST(RowSort, DayColumnsSortByTheRowsOwnDates) {
    LedgerBuilder ledger;
    ledger.add({2000, 3, 31, S(u"食費"), 100})
        .add({1999, 4, 1, S(u"食費"), 200})
        .add({1999, 12, 31, S(u"交通費"), 400});
    SummarySettings settings;
    settings.yearStartMonth = 4;
    struct Case {
        const char* name;
        std::uint32_t mode;
        int column;
    };
    const Case cases[] = {{"day rows", SUM_DATE, 0}, {"single entries", SUM_DETAIL, 0}};
    for (const Case& c : cases) {
        SummaryQuery q;
        q.mode = c.mode | PERIOD_YEAR;
        q.keyRecord.date = Date(1999, 6, 1);
        SummaryContents contents = ComputeSummary(ledger.head(), settings, q);
        ASSERT_EQ(DateColumn(q.mode), c.column) << c.name;
        const int columns = c.mode == SUM_DATE ? 2 : 4;
        SortRows(contents.rows, {c.column, 1}, columns, DateColumn(q.mode));
        std::vector<QString> days;
        for (const SummaryRow& r : contents.rows)
            days.push_back(r.texts[0]);
        EXPECT_EQ(days, (std::vector<QString>{S(u"99/04/01"), S(u"99/12/31"), S(u"00/03/31")}))
            << c.name;
    }
}

TEST(RowSort, AmountTextValues) {
    EXPECT_EQ(AmountTextValue(u"1,234,567"), 1234567);
    EXPECT_EQ(AmountTextValue(u"-1,200"), -1200);
    EXPECT_EQ(AmountTextValue(u""), 0);
    EXPECT_EQ(AmountTextValue(u"12円"), 12);
    EXPECT_EQ(AmountTextValue(u"99,999,999,999,999,999,999"),
              std::numeric_limits<std::int64_t>::max());
}
