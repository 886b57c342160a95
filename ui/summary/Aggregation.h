// Selection and aggregation of ledger entries for one summary rebuild: which
// entries belong, the rows by value or by day, the single-entry rows, and the
// expense and income totals. Works on the ledger list itself, so callers and
// tests need no document. All sums are 64-bit.
#pragma once

#include "ledger/InOutRecord.h"
#include "ledger/Options.h"
#include "ui/summary/AmountText.h"
#include "ui/summary/Period.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace summary {

// A mode word from a breakdown bit (or SUM_DETAIL) and a period bit; the two
// enumerations may not be or-ed directly in C++20.
constexpr std::uint32_t ModeOf(std::uint32_t rows, std::uint32_t period) {
    return rows | period;
}

// Drill-down keys that must be empty rather than "any": a row whose value was
// empty (an imported entry without remark or payee) leads to the entries whose
// field is empty. Kept beside the key record, never stored in it.
inline constexpr unsigned KEY_CATEGORY = 0x1;
inline constexpr unsigned KEY_REMARK = 0x2;
inline constexpr unsigned KEY_PAYEE = 0x4;
inline constexpr unsigned KEY_PAYMETHOD = 0x8;

// What the summary selects and shows (the dialog's mode, side, keys, filter).
struct SummaryQuery {
    std::uint32_t mode =
        ModeOf(SUM_CATEGORY, PERIOD_MONTH); // breakdown bit or SUM_DETAIL, period bit
    bool showIncome = false;                // false: the expense side
    InOutRecord keyRecord{};                // drill-down keys (empty = any); date is the base date
    unsigned emptyKeys = 0;                 // KEY_ bits: these keys match only an empty field
    bool filterMode = false;                // the detail view's filter replaces the keys
    std::uint32_t filter = 0;               // FILTER_TEXT | FILTER_MIN | FILTER_MAX
    QString filterText;                     // searched in the remark
    std::int32_t filterMin = 0;
    std::int32_t filterMax = 0;
};

// One list row exactly as the list shows it.
struct SummaryRow {
    std::array<QString, 5> texts;
    int columnCount = 0;
    std::int64_t itemData = 0; // breakdown rows: position; single entries: entry id
    std::int64_t sum = 0;      // the signed amount behind the amount text
    plat::TimeValue day = 0;   // day rows: 00:00 of the row's own day; entries: their time
};

// One aggregated value or day before it becomes a row.
struct SummaryNode {
    QString key; // the dimension value, or the day text "YY/MM/DD"
    std::int64_t sum = 0;
    plat::TimeValue day = 0; // day rows only
};

struct Totals {
    std::int64_t expense = 0; // amounts >= 0
    std::int64_t income = 0;  // −amount over amounts < 0
    void add(std::int32_t amount) {
        if (amount >= 0)
            expense += amount;
        else
            income -= amount;
    }
};

// An amount of 0 or more is an expense, a negative one income.
inline bool OnShownSide(std::int64_t amount, bool showIncome) {
    return showIncome ? amount < 0 : amount >= 0;
}

// The selection test, prepared once per rebuild and applied to every entry.
class RecordMatcher {
public:
    RecordMatcher(const Period& period, const SummaryQuery& query);
    // Period, then the filter (filter mode) or the four drill-down keys.
    bool MatchesRecord(const InOutRecord& r) const;
    // The same with the entry's time value already at hand.
    bool MatchesAt(const InOutRecord& r, plat::TimeValue t) const;

private:
    bool PassesFilter(const InOutRecord& r) const;
    bool PassesKeys(const InOutRecord& r) const;

    Period m_period;
    const SummaryQuery& m_query;
};


// Every non-empty key of category, remark, payee and payMethod in keys equals
// the entry's field, compared as whole texts (case-sensitive); a key flagged in
// emptyKeys (KEY_ bits) requires the field to be empty.
bool DrillDownKeysMatch(const InOutRecord& keys, const InOutRecord& r, unsigned emptyKeys = 0);

struct BuiltTotals {
    std::vector<SummaryNode> nodes; // in insertion order
    Totals totals;
};

// Day rows (SUM_DATE: period test only, rows in date order) or value rows (order
// of first occurrence among the shown entries). nullopt on memory shortage;
// then nothing built so far survives.
std::optional<BuiltTotals> BuildTotals(const LedgerNode* head, const Period& period,
                                       const SummaryQuery& query);

// Two-column rows of the nodes on the shown side; item data is the position.
std::vector<SummaryRow> FillSummaryRows(const std::vector<SummaryNode>& nodes, bool showIncome,
                                        bool comma);

struct EntryRows {
    std::vector<SummaryRow> rows;
    Totals totals;
};

// One row per matching entry on the shown side, item data the entry's id:
// [date unless a day period], category, remark, [payee when income is shown],
// amount. Totals cover both sides.
EntryRows FillEntryRows(const LedgerNode* head, const Period& period, const SummaryQuery& query,
                        bool comma);

// Everything one rebuild shows, before sorting.
struct SummaryContents {
    bool complete = false; // false after a memory shortage: only period and text are new
    Period period;
    QString periodText;
    std::vector<SummaryRow> rows;
    Totals totals;
    TotalTexts texts;
};

SummaryContents ComputeSummary(const LedgerNode* head, const SummarySettings& settings,
                               const SummaryQuery& query);

} // namespace summary
