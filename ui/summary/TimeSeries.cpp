#include "ui/summary/TimeSeries.h"

#include "ui/summary/Aggregation.h"
#include "ui/summary/AmountText.h"
#include "ui/summary/EntryTime.h"
#include "ui/summary/LedgerWalk.h"

#include <algorithm>

namespace summary {
namespace {

using plat::TimeValue;

TimeValue Boundary(std::int64_t year, int month, int day) {
    return plat::TimeFromFields(year, month, day);
}

void BuildMonthRows(TimeSeriesRows& rows, const plat::SYSTEMTIME& keyDate, int startMonth,
                    int day) {
    std::int64_t year = keyDate.wYear - (keyDate.wMonth < startMonth ? 1 : 0);
    int month = startMonth;
    for (TimeSeriesRow& row : rows) {
        row.label = QStringLiteral("%1/%2").arg(year).arg(month, 2, 10, QChar(u'0'));
        row.start = Boundary(year, month, day);
        if (++month > 12) {
            month = 1;
            ++year;
        }
        row.end = Boundary(year, month, day);
    }
}

void BuildYearRows(TimeSeriesRows& rows, const plat::SYSTEMTIME& today, int startMonth, int day) {
    std::int64_t year = today.wYear + (today.wMonth >= startMonth ? 1 : 0);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        row->end = Boundary(year, startMonth, day);
        --year;
        row->start = Boundary(year, startMonth, day);
        row->label = QStringLiteral("%1年度").arg(year);
    }
}

QString BalanceText(std::int64_t expense, std::int64_t income, bool comma) {
    const std::int64_t balance = income - expense;
    return (balance < 0 ? QStringLiteral("-") : QString()) + FormatAmount(balance, comma);
}

std::array<QString, 4> Line(const QString& label, std::int64_t expense, std::int64_t income,
                            bool comma) {
    return {label, FormatAmount(expense, comma), FormatAmount(income, comma),
            BalanceText(expense, income, comma)};
}

} // namespace

TimeSeriesRows BuildTimeSeriesRows(std::uint32_t mode, const plat::SYSTEMTIME& keyDate,
                                   const plat::SYSTEMTIME& today, const SummarySettings& settings) {
    const int startMonth = std::clamp(settings.yearStartMonth, 1, 12);
    const int day = std::clamp(settings.monthStartDay, 0, 31);
    TimeSeriesRows rows;
    if ((mode & PERIOD_MASK) == PERIOD_YEAR)
        BuildYearRows(rows, today, startMonth, day);
    else
        BuildMonthRows(rows, keyDate, startMonth, day);
    return rows;
}

void AddTimeSeriesTotals(TimeSeriesRows& rows, const LedgerNode* head,
                         const InOutRecord& keyRecord) {
    std::array<TimeValue, 13> bounds;
    for (std::size_t i = 0; i < rows.size(); ++i)
        bounds[i] = rows[i].start;
    bounds[12] = rows[11].end;
    ForEachEntry(head, [&](const InOutRecord& r) {
        const TimeValue t = EntryTimeValue(r.date);
        if (t < bounds[0] || t >= bounds[12] || !DrillDownKeysMatch(keyRecord, r)) return;
        // Boundaries ascend, so the first row holding t is the last start <= t.
        const auto row = std::upper_bound(bounds.begin(), bounds.end(), t) - bounds.begin() - 1;
        if (r.amount < 0)
            rows[row].income -= r.amount;
        else
            rows[row].expense += r.amount;
    });
}

std::array<std::array<QString, 4>, 13> TimeSeriesTexts(const TimeSeriesRows& rows, bool comma) {
    std::array<std::array<QString, 4>, 13> lines;
    std::int64_t expense = 0;
    std::int64_t income = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        lines[i] = Line(rows[i].label, rows[i].expense, rows[i].income, comma);
        expense += rows[i].expense;
        income += rows[i].income;
    }
    lines[12] = Line(QStringLiteral("合計"), expense, income, comma);
    return lines;
}

QString TimeSeriesKeyLabel(const InOutRecord& keyRecord) {
    QString label;
    const auto append = [&label](const char16_t* tag, const char16_t(&key)[kTextUnits]) {
        if (key[0] != u'\0') label += QString::fromUtf16(tag) + FieldText(key);
    };
    append(u"[分]", keyRecord.category);
    append(u"[備]", keyRecord.remark);
    append(u"[先]", keyRecord.payee);
    append(u"[方]", keyRecord.payMethod);
    return label.isEmpty() ? QStringLiteral("[全データ]") : label;
}

plat::SYSTEMTIME ChooseTimeSeriesRow(const plat::SYSTEMTIME& keyDate, const TimeSeriesRow& row) {
    const plat::SYSTEMTIME start = plat::TimeValueToSystemTime(row.start);
    plat::SYSTEMTIME chosen = keyDate;
    chosen.wYear = start.wYear;
    chosen.wMonth = start.wMonth;
    chosen.wDay = start.wDay;
    return chosen;
}

plat::SYSTEMTIME StepTimeSeriesYear(const plat::SYSTEMTIME& keyDate, int direction) {
    plat::SYSTEMTIME moved = keyDate;
    moved.wYear =
        static_cast<std::uint16_t>(std::clamp(keyDate.wYear + (direction < 0 ? -1 : 1), 0, 65535));
    return moved;
}

} // namespace summary
