#include "ui/entry/TemplateSlots.h"

#include "ledger/Lists.h"

#include <cstring>
#include <utility>

namespace {

bool InTable(int slot) {
    return slot >= 0 && slot < kTemplateSlots;
}

bool IsUsedSlot(const TemplateSlots& table, int slot) {
    return InTable(slot) && IsTemplateUsed(table[static_cast<std::size_t>(slot)]);
}

void ClearSlot(TemplateRecord* slot) {
    std::memset(slot, 0, sizeof *slot);
    SetFieldText(slot->name, kUnsetTemplateName);
}

} // namespace

int CountTemplates(const TemplateSlots& table) {
    int count = 0;
    while (count < kTemplateSlots && IsUsedSlot(table, count))
        ++count;
    return count;
}

QString TemplateName(const TemplateRecord& slot) {
    return FieldText(slot.name);
}

QString TemplateLine(const TemplateSlots& table, int slot) {
    const QString name =
        InTable(slot) ? TemplateName(table[static_cast<std::size_t>(slot)]) : QString();
    return QStringLiteral(" %1:%2").arg(slot).arg(name);
}

InOutRecord NewTemplateRecord(const plat::SYSTEMTIME& date) {
    InOutRecord r{};
    SetFieldText(r.remark, kOtherText);
    SetFieldText(r.payee, kOtherText);
    SetFieldText(r.payMethod, kCashText);
    r.date = date;
    return r;
}

bool StoreTemplate(TemplateSlots* table, int slot, const QString& name, const InOutRecord& record) {
    if (!InTable(slot)) return false;
    TemplateRecord& t = (*table)[static_cast<std::size_t>(slot)];
    SetFieldText(t.name, name);
    t.record = record;
    t.record.id = 1;
    return true;
}

int AddTemplate(TemplateSlots* table, const QString& name, const InOutRecord& record) {
    const int slot = CountTemplates(*table);
    return StoreTemplate(table, slot, name, record) ? slot : -1;
}

bool DeleteTemplate(TemplateSlots* table, int slot) {
    if (!IsUsedSlot(*table, slot)) return false;
    for (int i = slot; i + 1 < kTemplateSlots; ++i)
        (*table)[static_cast<std::size_t>(i)] = (*table)[static_cast<std::size_t>(i + 1)];
    // The last slot was copied one place up, or was free already; either way
    // it is free now, so the table never holds a used slot twice.
    ClearSlot(&(*table)[kTemplateSlots - 1]);
    return true;
}

bool MoveTemplate(TemplateSlots* table, int slot, int direction) {
    const int other = slot + direction;
    if ((direction != -1 && direction != 1) || !IsUsedSlot(*table, slot) ||
        !IsUsedSlot(*table, other))
        return false;
    std::swap((*table)[static_cast<std::size_t>(slot)], (*table)[static_cast<std::size_t>(other)]);
    return true;
}
