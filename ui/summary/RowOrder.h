// Columns of the summary list per mode, their automatic widths, the sort
// direction rules kept in ListHeaderInfo, and the row comparison and sort.
#pragma once

#include "ledger/ListHeaderInfo.h"
#include "ui/summary/Aggregation.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace summary {

struct ColumnSpec {
    QString title;
    bool alignRight = false;
    int width = 0; // pixels
};

// The columns for a mode word (breakdown or SUM_DETAIL, period bit) and side.
// The last column is always the amount.
std::vector<ColumnSpec> SetupColumns(std::uint32_t mode, bool showIncome);

// Widths a layout gets on display (steps 1 to 3 of applying widths): the stored
// ones when column 0 has one, otherwise sized to contents when there is more
// than one row, otherwise the layout's initial widths. contentWidth(c) measures
// column c sized to its contents; clientWidth is the list's client width.
// The caller applies widths and, when store is set, keeps them in the record.
struct WidthPlan {
    std::vector<int> widths;
    bool store = false;
};
WidthPlan PlanColumnWidths(std::uint32_t mode, const std::vector<ColumnSpec>& columns,
                           const ListHeaderInfo* stored, int rowCount, int clientWidth,
                           const std::function<int(int)>& contentWidth);

struct SortChoice {
    int column = 0;
    int direction = 1; // +1 ascending, −1 descending
};

// The sort each rebuild applies: the layout's stored column and direction (a
// stored 0 is +1); column 0 ascending when the count has no record (null).
SortChoice SortOnRebuild(const ListHeaderInfo* stored);

// A tap on a header reverses the layout's stored direction (0 becomes +1),
// whichever column was tapped, and stores the new choice. Without a record the
// program-wide direction currentDirection is kept.
SortChoice OnColumnClick(ListHeaderInfo* stored, int column, int currentDirection);

// The column whose "YY/MM/DD" texts stand for the rows' own dates (the day
// rows and the single entries of a period longer than a day), or -1. Sorted by
// those dates, a fiscal year from April 1999 lists 1999 before 2000.
int DateColumn(std::uint32_t mode);

// Stable sort in O(n log n); equal rows keep their insertion order. The
// dateColumn (see DateColumn) compares the rows' dates instead of the texts.
void SortRows(std::vector<SummaryRow>& rows, SortChoice choice, int columnCount,
              int dateColumn = -1);

// The integer of an amount text with every "," removed; leading sign and
// digits as atoi reads them, saturated to 64 bits.
std::int64_t AmountTextValue(QStringView text);

} // namespace summary
