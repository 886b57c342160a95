#include "ui/entry/NewEntryFlow.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/TemplateSlots.h"

NewEntryFlow::NewEntryFlow(plat::TimeValue initialDate)
    : m_initialDate(initialDate), m_record(InitialRecord(initialDate)) {}

InOutRecord NewEntryFlow::InitialRecord(plat::TimeValue date) {
    return NewTemplateRecord(plat::TimeValueToSystemTime(date)); // the same presets
}

void NewEntryFlow::AmountPageEnded(int result, std::int32_t amount) {
    if (result == Cancel) {
        m_step = Step::Cancelled;
        return;
    }
    m_record.amount = amount;
    m_step = result == Finish ? Step::Store : Step::Category;
}

void NewEntryFlow::CategoryPageEnded(int result, const QString& category, const QString& remark,
                                     const plat::SYSTEMTIME& date) {
    if (result == Cancel) {
        m_step = Step::Cancelled;
        return;
    }
    SetFieldText(m_record.category, category);
    SetFieldText(m_record.remark, remark);
    m_record.date = date;
    if (result == Finish)
        m_step = Step::Store;
    else if (result == Back)
        m_step = Step::Amount;
    else
        m_step = Step::Payee;
}

void NewEntryFlow::PayeePageEnded(int result, const QString& payee, const QString& payMethod,
                                  bool saveAsTemplate) {
    if (result == Cancel) {
        m_step = Step::Cancelled;
        return;
    }
    SetFieldText(m_record.payee, payee);
    SetFieldText(m_record.payMethod, payMethod);
    if (result == Back) {
        m_step = Step::Category;
        return;
    }
    m_bWantsTemplate = saveAsTemplate;
    m_step = saveAsTemplate ? Step::TemplateSave : Step::Store;
}

void NewEntryFlow::TemplateSaveEnded() {
    m_step = Step::Store;
}

bool HasFreeTemplateSlot(const TemplateSlots& table) {
    return CountTemplates(table) < kTemplateSlots;
}
