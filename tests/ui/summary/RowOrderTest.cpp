// Automatic column widths, direction rules and the row sort.
#include "ui/summary/RowOrder.h"

#include <gtest/gtest.h>

using namespace summary;
using namespace Qt::Literals::StringLiterals;

// Widths: stored, else initial, else sized to contents. A stored direction 0 reads
// as ascending; every tap reverses, and is stored; no record: the program's own.
TEST(RowOrder, WidthsSortDirectionAndRowSort) {
    const auto contents = [](int c) { return 100 + c; };
    const std::uint32_t mode = ModeOf(SUM_CATEGORY, PERIOD_MONTH);
    const auto columns = SetupColumns(mode, false);
    const std::vector<int> initial = {columns[0].width, columns[1].width};
    ListHeaderInfo stored(2);
    stored.columnWidth = {0x10000 | 90, 40, 0, 0, 0};
    const ListHeaderInfo fresh(2);
    // name, stored record, rows, widths, whether they are to be stored
    const std::tuple<const char*, const ListHeaderInfo*, int, std::vector<int>, bool> cases[] = {
        {"stored widths, low 16 bits", &stored, 9, {90, 40}, false},
        {"no rows keep the initial widths", nullptr, 0, initial, true},
        {"one row too", &fresh, 1, initial, true},
        {"more rows sized to contents", &fresh, 2, {100, 101}, true},
    };
    for (const auto& [name, info, rows, widths, store] : cases) {
        const WidthPlan plan = PlanColumnWidths(mode, columns, info, rows, 400, contents);
        EXPECT_EQ(plan.widths, widths) << name;
        EXPECT_EQ(plan.store, store) << name;
    }
    const auto choice = [](SortChoice c) { return std::pair(c.column, c.direction); };
    EXPECT_EQ(choice(SortOnRebuild(nullptr)), std::pair(0, 1));
    stored.sortColumn = 1;
    stored.sortDirection = 0;
    EXPECT_EQ(choice(SortOnRebuild(&stored)), std::pair(1, 1));
    EXPECT_EQ(choice(OnColumnClick(&stored, 1, -1)), std::pair(1, 1));
    EXPECT_EQ(choice(OnColumnClick(&stored, 0, 1)), std::pair(0, -1)); // reverses the stored +1
    EXPECT_EQ(choice(OnColumnClick(&stored, 0, -1)), std::pair(0, 1));
    EXPECT_EQ(choice(SortOnRebuild(&stored)), std::pair(0, 1));
    EXPECT_EQ(OnColumnClick(nullptr, 2, -1).direction, -1);
    EXPECT_EQ(OnColumnClick(nullptr, 2, 0).direction, 1);
    // Amounts by value, "YY/MM/DD" by the rows' own days (not times), others by UTF-16
    // units (交 U+4EA4 < 食 U+98DF; a surrogate pair < U+FF21); equal keys stay in order.
    const auto day = [](int y, int m, int d, int h = 0) {
        return plat::TimeFromFields(y, m, d, h);
    };
    const std::vector<SummaryRow> list = {
        {{u"08/01/01"_s, u"食費"_s, u"x"_s, u"1,200"_s}, 4, 11, 0, day(2008, 1, 1, 23)},
        {{u"99/12/31"_s, u"交通費"_s, u"Ａ"_s, u"4,000,000,000"_s}, 4, 12, 0, day(1999, 12, 31)},
        {{u"08/01/01"_s, u"交通費"_s, u"y"_s, u"980"_s}, 4, 13, 0, day(2008, 1, 1)},
        {{u"07/12/31"_s, u"食費"_s, u"𠮷"_s, u"1,200"_s}, 4, 14, 0, day(2007, 12, 31)},
        {{u"08/01/02"_s, u"食費"_s, u"z"_s, u"2,147,483,648"_s}, 4, 15, 0, day(2008, 1, 2)},
    };
    const std::tuple<const char*, SortChoice, std::vector<std::int64_t>> sorts[] = {
        {"days up", {0, 1}, {12, 14, 11, 13, 15}},
        {"days down", {0, -1}, {15, 11, 13, 14, 12}},
        {"categories", {1, 1}, {12, 13, 11, 14, 15}},
        {"remarks", {2, 1}, {11, 13, 15, 14, 12}},
        {"amounts down", {3, -1}, {12, 15, 11, 14, 13}},
        {"amounts up", {3, 1}, {13, 11, 14, 15, 12}},
    };
    for (const auto& [name, sort, items] : sorts) {
        std::vector<SummaryRow> sorted = list;
        SortRows(sorted, sort, 4, 0);
        std::vector<std::int64_t> order;
        for (const SummaryRow& r : sorted)
            order.push_back(r.itemData);
        EXPECT_EQ(order, items) << name;
    }
    // The day rows and the single entries over days have their dates first.
    EXPECT_EQ(std::pair(DateColumn(SUM_DATE | PERIOD_YEAR), DateColumn(SUM_DETAIL | PERIOD_YEAR)),
              std::pair(0, 0));
    EXPECT_EQ(std::tuple(AmountTextValue(u"-1,200"), AmountTextValue(u""), AmountTextValue(u"12円"),
                         AmountTextValue(u"99,999,999,999,999,999,999")),
              std::tuple(-1200, 0, 12, std::numeric_limits<std::int64_t>::max()));
}
