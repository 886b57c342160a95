// The texts of amounts, days and totals shown under and in the summary lists.
#pragma once

#include "platform/Time.h"

#include <QString>
#include <cstdint>

namespace summary {

// |amount| in decimal, never a sign; with comma a "," before every group of
// three digits from the right. Exact for every 64-bit value, INT64_MIN included.
QString FormatAmount(std::int64_t amount, bool comma);

// "%02d/%02d/%02d" of (year modulo 100, month, day).
QString DayText(const plat::SYSTEMTIME& date);

// The three lines under the summary list and which of them are shown.
struct TotalTexts {
    QString expense; // static 1039
    QString income;  // static 1042
    QString balance; // static 1138
    bool expenseVisible = true;
    bool incomeVisible = true;
    bool balanceVisible = true;
};

// Totals are the period's selected entries; ledgerBalance is used instead of
// income − expense when OPT_BALANCE_ALL_DATA is set.
TotalTexts MakeTotalTexts(std::int64_t expenseTotal, std::int64_t incomeTotal, std::uint32_t flags,
                          bool showIncome, std::int64_t ledgerBalance);

} // namespace summary
