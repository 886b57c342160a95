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
// month alone). Boundaries are day monthStartDay of a month, running on past
// the month's end (day 31 of February 2009 is 3 March). Totals are zero.
TimeSeriesRows BuildTimeSeriesRows(std::uint32_t mode, const plat::SYSTEMTIME& keyDate,
                                   const plat::SYSTEMTIME& today, const SummarySettings& settings);

// Adds every entry within the rows whose non-empty keys of keyRecord all match.
void AddTimeSeriesTotals(TimeSeriesRows& rows, const LedgerNode* head,
                         const InOutRecord& keyRecord);

// The 13 list lines (12 rows and "合計") of 4 texts: label, expense, income,
// income − expense with a leading "-" when negative.
std::array<std::array<QString, 4>, 13> TimeSeriesTexts(const TimeSeriesRows& rows, bool comma);

// "[分]食費[備]外食" and so on, or "[全データ]" without keys.
QString TimeSeriesKeyLabel(const InOutRecord& keyRecord);

// keyDate with year, month and day of the row's start (a chosen row).
plat::SYSTEMTIME ChooseTimeSeriesRow(const plat::SYSTEMTIME& keyDate, const TimeSeriesRow& row);

// The year of keyDate moved by direction (previous or next fiscal year).
plat::SYSTEMTIME StepTimeSeriesYear(const plat::SYSTEMTIME& keyDate, int direction);

} // namespace summary
