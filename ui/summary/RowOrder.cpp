#include "ui/summary/RowOrder.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <string_view>

namespace summary {
namespace {

ColumnSpec Left(const char16_t* title, int width) {
    return {QString::fromUtf16(title), false, width};
}
ColumnSpec Right(const char16_t* title, int width) {
    return {QString::fromUtf16(title), true, width};
}

const char16_t* KeyTitle(std::uint32_t mode) {
    if (mode & SUM_REMARK) return u"備考";
    if (mode & SUM_PAYEE) return u"支払先";
    if (mode & SUM_PAYMETHOD) return u"支払方法";
    return u"分類";
}

bool IsDetailOverDays(std::uint32_t mode) {
    return (mode & SUM_DETAIL) && (mode & PERIOD_MASK) != PERIOD_DAY;
}

int StoredDirection(std::int32_t stored) {
    return stored < 0 ? -1 : 1;
}

std::u16string_view Units(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

// Entries of one day compare equal, as their texts do.
std::int64_t DayNumber(plat::TimeValue t) {
    const std::int64_t d = t / plat::kSecondsPerDay;
    return t < 0 && d * plat::kSecondsPerDay != t ? d - 1 : d;
}

int Sign(std::int64_t a, std::int64_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareTexts(const QString& a, const QString& b) {
    const int c = Units(a).compare(Units(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

std::vector<ColumnSpec> SetupColumns(std::uint32_t mode, bool showIncome) {
    if (!(mode & SUM_DETAIL)) {
        if (mode & SUM_DATE) return {Left(u"日付", 70), Right(u"金額", 55)};
        return {Left(KeyTitle(mode), 120), Right(u"金額", 80)};
    }
    std::vector<ColumnSpec> columns;
    if ((mode & PERIOD_MASK) != PERIOD_DAY) columns.push_back(Left(u"月日", 70));
    columns.push_back(Left(u"分類", 60));
    columns.push_back(Left(u"備考", 70));
    if (showIncome) columns.push_back(Left(u"支払先", 70));
    columns.push_back(Right(u"金額", 55));
    return columns;
}

WidthPlan PlanColumnWidths(std::uint32_t mode, const std::vector<ColumnSpec>& columns,
                           const ListHeaderInfo* stored, int rowCount, int clientWidth,
                           const std::function<int(int)>& contentWidth) {
    const int n = static_cast<int>(columns.size());
    WidthPlan plan;
    if (stored && stored->columnWidth[0] > 0) {
        for (int c = 0; c < n && c < 5; ++c)
            plan.widths.push_back(stored->columnWidth[c] & 0xFFFF);
        return plan;
    }
    for (const ColumnSpec& column : columns)
        plan.widths.push_back(column.width);
    plan.store = true;
    if (rowCount <= 1) return plan;
    if (IsDetailOverDays(mode) && n >= 4) {
        const int w = contentWidth(0);
        plan.widths[0] = w;
        const int middle = n == 5 ? (clientWidth - w) / 4 : w;
        for (int c = 1; c < n - 1; ++c)
            plan.widths[c] = middle;
        plan.widths[n - 1] = contentWidth(n - 1);
    } else {
        for (int c = 0; c < n && c < 4; ++c)
            plan.widths[c] = contentWidth(c);
    }
    return plan;
}

SortChoice SortOnRebuild(const ListHeaderInfo* stored) {
    if (!stored) return {0, 1};
    return {stored->sortColumn, StoredDirection(stored->sortDirection)};
}

SortChoice OnColumnClick(ListHeaderInfo* stored, int column, int currentDirection) {
    int direction = currentDirection;
    if (stored) direction = -stored->sortDirection;
    direction = direction < 0 ? -1 : 1; // 0 becomes +1
    if (stored) {
        stored->sortColumn = column;
        stored->sortDirection = direction;
    }
    return {column, direction};
}

int DateColumn(std::uint32_t mode) {
    return (mode & SUM_DATE) || IsDetailOverDays(mode) ? 0 : -1;
}

void SortRows(std::vector<SummaryRow>& rows, SortChoice choice, int columnCount, int dateColumn) {
    if (rows.size() < 2) return;
    const bool validColumn = choice.column >= 0 && choice.column < 5;
    const bool amount = choice.column == columnCount - 1;
    const bool byDate = choice.column == dateColumn && !amount;
    // Each row's key is taken once, not per comparison.
    std::vector<std::int64_t> numbers(amount && validColumn ? rows.size() : 0);
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = AmountTextValue(rows[i].texts[choice.column]);
    const auto compare = [&](std::size_t a, std::size_t b) {
        if (!validColumn) return 0;
        if (amount) return Sign(numbers[a], numbers[b]);
        if (byDate) return Sign(DayNumber(rows[a].day), DayNumber(rows[b].day));
        return CompareTexts(rows[a].texts[choice.column], rows[b].texts[choice.column]);
    };
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return compare(a, b) * choice.direction < 0;
    });
    std::vector<SummaryRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

std::int64_t AmountTextValue(QStringView text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u',') continue;
        if (c < u'0' || c > u'9') break;
        const int digit = c - u'0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace summary
