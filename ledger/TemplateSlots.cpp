#include "ledger/TemplateSlots.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/Lists.h"

#include <utility>

namespace {

bool InTable(int slot) {
    return slot >= 0 && slot < kTemplateSlots;
}

bool IsUsedSlot(const TemplateSlots& table, int slot) {
    return InTable(slot) && IsTemplateUsed(table[static_cast<std::size_t>(slot)]);
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

int CMyTALYDoc::AddTemplate(const QString& name, const InOutRecord& record) {
    const int slot = CountTemplates(m_Templates);
    return StoreTemplate(slot, name, record) ? slot : -1;
}

bool CMyTALYDoc::StoreTemplate(int slot, const QString& name, const InOutRecord& record) {
    if (!InTable(slot)) return false;
    TemplateRecord& t = m_Templates[static_cast<std::size_t>(slot)];
    SetFieldText(t.name, name);
    t.record = record;
    t.record.id = 1;
    m_bTemplatesDirty = true;
    return true;
}

bool CMyTALYDoc::DeleteTemplate(int slot) {
    if (!IsUsedSlot(m_Templates, slot)) return false;
    for (int i = slot; i + 1 < kTemplateSlots; ++i)
        m_Templates[static_cast<std::size_t>(i)] = m_Templates[static_cast<std::size_t>(i + 1)];
    // The last slot was copied one place up, or was free already; either way
    // it is free now, so the table never holds a used slot twice.
    ClearTemplateSlot(&m_Templates[kTemplateSlots - 1]);
    m_bTemplatesDirty = true;
    return true;
}

bool CMyTALYDoc::MoveTemplate(int slot, int direction) {
    const int other = slot + direction;
    if ((direction != -1 && direction != 1) || !IsUsedSlot(m_Templates, slot) ||
        !IsUsedSlot(m_Templates, other))
        return false;
    std::swap(m_Templates[static_cast<std::size_t>(slot)],
              m_Templates[static_cast<std::size_t>(other)]);
    m_bTemplatesDirty = true;
    return true;
}
