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

// A chosen row hands back its start as the base date; the summary's month of
// day D of the row's month starts there too, so the two agree.
void BuildMonthRows(TimeSeriesRows& rows, const plat::SYSTEMTIME& keyDate,
                    const SummarySettings& settings, int startMonth, int day) {
    std::int64_t year = keyDate.wYear - (keyDate.wMonth < startMonth ? 1 : 0);
    int month = startMonth;
    for (TimeSeriesRow& row : rows) {
        row.label = QStringLiteral("%1/%2").arg(year).arg(month, 2, 10, QChar(u'0'));
        const plat::SYSTEMTIME nominal =
            plat::TimeValueToSystemTime(Boundary(year, month, std::max(day, 1)));
        const Period period = ComputePeriod(PERIOD_MONTH, nominal, settings);
        row.start = period.start;
        row.end = period.end;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

// The summary's year starts on the 1st of the start month, whatever the
// month-start day.
void BuildYearRows(TimeSeriesRows& rows, const plat::SYSTEMTIME& today, int startMonth) {
    std::int64_t year = today.wYear + (today.wMonth >= startMonth ? 1 : 0);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        row->end = Boundary(year, startMonth, 1);
        --year;
        row->start = Boundary(year, startMonth, 1);
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
        BuildYearRows(rows, today, startMonth);
    else
        BuildMonthRows(rows, keyDate, settings, startMonth, day);
    return rows;
}

TimeSeriesTotal AddTimeSeriesTotals(TimeSeriesRows& rows, const LedgerNode* head,
                                    const InOutRecord& keyRecord, unsigned emptyKeys) {
    TimeValue first = rows[0].start;
    TimeValue last = rows[11].end;
    for (const TimeSeriesRow& row : rows) {
        first = std::min(first, row.start);
        last = std::max(last, row.end);
    }
    TimeSeriesTotal total;
    ForEachEntry(head, [&](const InOutRecord& r) {
        const TimeValue t = EntryTimeValue(r.date);
        if (t < first || t >= last || !DrillDownKeysMatch(keyRecord, r, emptyKeys)) return;
        const bool income = r.amount < 0;
        (income ? total.income : total.expense) += income ? -std::int64_t{r.amount} : r.amount;
        for (TimeSeriesRow& row : rows) {
            if (t < row.start || t >= row.end) continue;
            (income ? row.income : row.expense) += income ? -std::int64_t{r.amount} : r.amount;
        }
    });
    return total;
}

std::array<std::array<QString, 4>, 13> TimeSeriesTexts(const TimeSeriesRows& rows,
                                                       const TimeSeriesTotal& total, bool comma) {
    std::array<std::array<QString, 4>, 13> lines;
    for (std::size_t i = 0; i < rows.size(); ++i)
        lines[i] = Line(rows[i].label, rows[i].expense, rows[i].income, comma);
    lines[12] = Line(QStringLiteral("合計"), total.expense, total.income, comma);
    return lines;
}

QString TimeSeriesKeyLabel(const InOutRecord& keyRecord, unsigned emptyKeys) {
    QString label;
    const auto append = [&](const char16_t* tag, const char16_t(&key)[kTextUnits], unsigned bit) {
        if (key[0] != u'\0' || (emptyKeys & bit)) label += QString::fromUtf16(tag) + FieldText(key);
    };
    append(u"[分]", keyRecord.category, KEY_CATEGORY);
    append(u"[備]", keyRecord.remark, KEY_REMARK);
    append(u"[先]", keyRecord.payee, KEY_PAYEE);
    append(u"[方]", keyRecord.payMethod, KEY_PAYMETHOD);
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
