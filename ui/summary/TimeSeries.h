// The time-series summary: expense, income and balance of twelve months of a
// fiscal year or of the last twelve fiscal years, honouring the drill-down keys.
#pragma once

#include "ledger/InOutRecord.h"
#include "ui/summary/Period.h"

#include <QString>
#include <array>
#include <cstdint>

namespace summary {

struct TimeSeriesRow {
    QString label; // "2008/04" or "2008年度"
    std::int64_t expense = 0;
    std::int64_t income = 0; // positive
    plat::TimeValue start = 0;
    plat::TimeValue end = 0; // exclusive; equals the next row's start
};

using TimeSeriesRows = std::array<TimeSeriesRow, 12>;

// Rows oldest first. PERIOD_MONTH: the fiscal year holding keyDate's year and
// month. PERIOD_YEAR: the twelve fiscal years up to the one holding today (by
// month alone). Each row is exactly the summary's period of the date a choice
// of it hands back: months as the summary's month of day monthStartDay of that
// month (with day 31, "2009/02" is 1 March to 1 April, as the summary shows
// it; such months may overlap by a day), years from the 1st of the start month.
// Totals are zero.
TimeSeriesRows BuildTimeSeriesRows(std::uint32_t mode, const plat::SYSTEMTIME& keyDate,
                                   const plat::SYSTEMTIME& today, const SummarySettings& settings);

struct TimeSeriesTotal {
    std::int64_t expense = 0;
    std::int64_t income = 0;
};

// Adds every entry whose keys match (DrillDownKeysMatch with emptyKeys) to
// each row that holds it; returns the totals of those entries, each counted
// once, over the span of all rows.
TimeSeriesTotal AddTimeSeriesTotals(TimeSeriesRows& rows, const LedgerNode* head,
                                    const InOutRecord& keyRecord, unsigned emptyKeys = 0);

// The 13 list lines (12 rows and "合計" with total) of 4 texts: label, expense,
// income, income − expense with a leading "-" when negative.
std::array<std::array<QString, 4>, 13> TimeSeriesTexts(const TimeSeriesRows& rows,
                                                       const TimeSeriesTotal& total, bool comma);

// "[分]食費[備]外食" and so on, or "[全データ]" without keys. A key that must be
// empty (emptyKeys, KEY_ bits) shows its tag alone: "[分]食費[備]".
QString TimeSeriesKeyLabel(const InOutRecord& keyRecord, unsigned emptyKeys = 0);

// keyDate with year, month and day of the row's start (a chosen row).
plat::SYSTEMTIME ChooseTimeSeriesRow(const plat::SYSTEMTIME& keyDate, const TimeSeriesRow& row);

// The year of keyDate moved by direction (previous or next fiscal year).
plat::SYSTEMTIME StepTimeSeriesYear(const plat::SYSTEMTIME& keyDate, int direction);

} // namespace summary
