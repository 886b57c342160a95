#include "ui/summary/Aggregation.h"

#include "ui/summary/EntryTime.h"
#include "ui/summary/FieldKey.h"
#include "ui/summary/LedgerWalk.h"

#include <QStringView>
#include <cstring>
#include <new>

namespace summary {
namespace {

using Field = char16_t[kTextUnits];
using FieldMember = char16_t (InOutRecord::*)[kTextUnits];

constexpr std::array<FieldMember, 4> kKeyFields = {&InOutRecord::category, &InOutRecord::remark,
                                                   &InOutRecord::payee, &InOutRecord::payMethod};

int FieldLength(const char16_t* f) {
    int n = 0;
    while (n < kTextUnits && f[n] != u'\0')
        ++n;
    return n;
}

// Whole-string equality of two fields; units after a NUL do not count.
bool SameText(const char16_t* a, const char16_t* b) {
    for (int i = 0; i < kTextUnits; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == u'\0') return true;
    }
    return true;
}

QStringView FieldView(const Field& f) {
    return QStringView(f, FieldLength(f));
}

FieldMember DimensionField(std::uint32_t mode) {
    if (mode & SUM_REMARK) return &InOutRecord::remark;
    if (mode & SUM_PAYEE) return &InOutRecord::payee;
    if (mode & SUM_PAYMETHOD) return &InOutRecord::payMethod;
    return &InOutRecord::category;
}

// A period is never longer than 366 days; the table keeps the fixed size the
// rows were always built with.
constexpr int kDaySlots = 372;

BuiltTotals BuildDayTotals(const LedgerNode* head, const Period& period, bool showIncome) {
    // The slot is the entry's day within the period, taken from its normalised
    // time, so an imported 2008/12/40 lands on 9 January and never off the table.
    std::array<bool, kDaySlots> used{};
    std::array<std::int64_t, kDaySlots> sums{};
    BuiltTotals built;
    ForEachEntry(head, [&](const InOutRecord& r) {
        const plat::TimeValue t = EntryTimeValue(r.date);
        if (!period.contains(t)) return;
        built.totals.add(r.amount);
        const std::int64_t slot = (t - period.start) / plat::kSecondsPerDay;
        if (!OnShownSide(r.amount, showIncome) || slot >= kDaySlots) return;
        used[slot] = true;
        sums[slot] += r.amount;
    });
    for (int slot = 0; slot < kDaySlots; ++slot) {
        const plat::TimeValue day = period.start + slot * plat::kSecondsPerDay;
        if (day >= period.end) break;
        if (used[slot])
            built.nodes.push_back({DayText(plat::TimeValueToSystemTime(day)), sums[slot], day});
    }
    return built;
}

BuiltTotals BuildValueTotals(const LedgerNode* head, const Period& period,
                             const SummaryQuery& query) {
    const RecordMatcher matcher(period, query);
    const FieldMember field = DimensionField(query.mode);
    FieldKeyTable<std::size_t> index; // node position per value
    BuiltTotals built;
    ForEachEntry(head, [&](const InOutRecord& r) {
        if (!matcher.MatchesRecord(r)) return;
        built.totals.add(r.amount);
        if (!OnShownSide(r.amount, query.showIncome)) return;
        bool inserted = false;
        std::size_t& position = index.findOrInsert(FieldKey(r.*field), &inserted);
        if (inserted) {
            position = built.nodes.size();
            built.nodes.push_back({FieldText(r.*field), r.amount, 0});
        } else {
            built.nodes[position].sum += r.amount;
        }
    });
    return built;
}

// Texts that repeat across single-entry rows are made once and shared.
class RowTexts {
public:
    explicit RowTexts(const Period& period) : m_period(period) {}

    QString field(const Field& f) {
        bool inserted = false;
        QString& text = m_fields.findOrInsert(FieldKey(f), &inserted);
        if (inserted) text = FieldText(f);
        return text;
    }
    QString day(plat::TimeValue t) {
        const std::int64_t slot = (t - m_period.start) / plat::kSecondsPerDay;
        if (slot < 0 || slot >= kDaySlots) return DayText(plat::TimeValueToSystemTime(t));
        QString& text = m_days[slot];
        if (text.isNull()) text = DayText(plat::TimeValueToSystemTime(t));
        return text;
    }

private:
    Period m_period;
    FieldKeyTable<QString> m_fields;
    std::array<QString, kDaySlots> m_days;
};

SummaryRow EntryRow(const InOutRecord& r, plat::TimeValue t, bool withDate, bool withPayee,
                    bool comma, RowTexts& texts) {
    SummaryRow row;
    int c = 0;
    if (withDate) row.texts[c++] = texts.day(t);
    row.texts[c++] = texts.field(r.category);
    row.texts[c++] = texts.field(r.remark);
    if (withPayee) row.texts[c++] = texts.field(r.payee);
    row.texts[c++] = FormatAmount(r.amount, comma);
    row.columnCount = c;
    row.itemData = r.id;
    row.sum = r.amount;
    row.day = t;
    return row;
}

} // namespace

RecordMatcher::RecordMatcher(const Period& period, const SummaryQuery& query)
    : m_period(period), m_query(query) {}

bool RecordMatcher::MatchesRecord(const InOutRecord& r) const {
    return MatchesAt(r, EntryTimeValue(r.date));
}

bool RecordMatcher::MatchesAt(const InOutRecord& r, plat::TimeValue t) const {
    if (!m_period.contains(t)) return false;
    return m_query.filterMode ? PassesFilter(r) : PassesKeys(r);
}

bool RecordMatcher::PassesFilter(const InOutRecord& r) const {
    if ((m_query.filter & FILTER_TEXT) && !FieldView(r.remark).contains(m_query.filterText))
        return false;
    if ((m_query.filter & FILTER_MIN) && r.amount < m_query.filterMin) return false;
    if ((m_query.filter & FILTER_MAX) && r.amount > m_query.filterMax) return false;
    return true;
}

bool RecordMatcher::PassesKeys(const InOutRecord& r) const {
    return DrillDownKeysMatch(m_query.keyRecord, r, m_query.emptyKeys);
}

bool DrillDownKeysMatch(const InOutRecord& keys, const InOutRecord& r, unsigned emptyKeys) {
    for (std::size_t i = 0; i < kKeyFields.size(); ++i) {
        const FieldMember field = kKeyFields[i];
        const char16_t* key = keys.*field;
        if (emptyKeys & (1u << i)) {
            if ((r.*field)[0] != u'\0') return false;
        } else if (key[0] != u'\0' && !SameText(key, r.*field)) {
            return false;
        }
    }
    return true;
}

std::optional<BuiltTotals> BuildTotals(const LedgerNode* head, const Period& period,
                                       const SummaryQuery& query) {
    try {
        if (query.mode & SUM_DATE) return BuildDayTotals(head, period, query.showIncome);
        return BuildValueTotals(head, period, query);
    } catch (const std::bad_alloc&) {
        return std::nullopt; // the partial rows went with the unwound vectors
    }
}

std::vector<SummaryRow> FillSummaryRows(const std::vector<SummaryNode>& nodes, bool showIncome,
                                        bool comma) {
    std::vector<SummaryRow> rows;
    rows.reserve(nodes.size());
    for (const SummaryNode& node : nodes) {
        if (!OnShownSide(node.sum, showIncome)) continue;
        SummaryRow row;
        row.texts[0] = node.key;
        row.texts[1] = FormatAmount(node.sum, comma);
        row.columnCount = 2;
        row.itemData = static_cast<std::int64_t>(rows.size());
        row.sum = node.sum;
        row.day = node.day;
        rows.push_back(std::move(row));
    }
    return rows;
}

EntryRows FillEntryRows(const LedgerNode* head, const Period& period, const SummaryQuery& query,
                        bool comma) {
    const RecordMatcher matcher(period, query);
    // Select first, then make the rows in one allocation: growing a large row
    // vector step by step costs more than the texts themselves.
    struct Shown {
        const InOutRecord* record;
        plat::TimeValue t;
    };
    std::vector<Shown> shown;
    EntryRows result;
    ForEachEntry(head, [&](const InOutRecord& r) {
        const plat::TimeValue t = EntryTimeValue(r.date);
        if (!matcher.MatchesAt(r, t)) return;
        if (OnShownSide(r.amount, query.showIncome)) shown.push_back({&r, t});
        result.totals.add(r.amount);
    });
    const bool withDate = (query.mode & PERIOD_MASK) != PERIOD_DAY;
    RowTexts texts(period);
    result.rows.reserve(shown.size());
    for (const Shown& e : shown) {
        const bool withPayee = query.showIncome && e.record->amount < 0;
        result.rows.push_back(EntryRow(*e.record, e.t, withDate, withPayee, comma, texts));
    }
    return result;
}

SummaryContents ComputeSummary(const LedgerNode* head, const SummarySettings& settings,
                               const SummaryQuery& query) {
    SummaryContents c;
    c.period = ComputePeriod(query.mode, query.keyRecord.date, settings);
    c.periodText = FormatPeriodText(query.mode, c.period);
    const bool comma = settings.flags & OPT_COMMA;
    if (query.mode & SUM_DETAIL) {
        EntryRows entries = FillEntryRows(head, c.period, query, comma);
        c.rows = std::move(entries.rows);
        c.totals = entries.totals;
    } else {
        std::optional<BuiltTotals> built = BuildTotals(head, c.period, query);
        if (!built) return c;
        c.rows = FillSummaryRows(built->nodes, query.showIncome, comma);
        c.totals = built->totals;
    }
    c.texts = MakeTotalTexts(c.totals.expense, c.totals.income, settings.flags, query.showIncome,
                             settings.ledgerBalance);
    c.complete = true;
    return c;
}

} // namespace summary
