// The state of one run of the new-entry flow, without widgets: the record being
// built and which page comes next after each page's result. The pages and the
// driver that runs them live in the window layer (RunNewEntryFlow).
#pragma once

#include "ledger/InOutRecord.h"
#include "ledger/TemplateRecord.h"
#include "platform/Time.h"

#include <QString>
#include <cstdint>


class NewEntryFlow {
public:
    enum class Step { Amount, Category, Payee, TemplateSave, Store, Cancelled };
    // Modal results shared by the pages.
    enum Result : int { Next = 1, Cancel = 2, Finish = 3, Back = 4 };

    explicit NewEntryFlow(plat::TimeValue initialDate);

    // Every byte zero, remark and payee "その他", payment method "現金", the date.
    static InOutRecord InitialRecord(plat::TimeValue date);

    Step step() const { return m_step; }
    const InOutRecord& record() const { return m_record; }
    plat::TimeValue initialDate() const { return m_initialDate; }
    bool wantsTemplate() const { return m_bWantsTemplate; }

    // Each takes what its page handed back (ignored after a cancel) and moves on.
    void AmountPageEnded(int result, std::int32_t amount);
    void CategoryPageEnded(int result, const QString& category, const QString& remark,
                           const plat::SYSTEMTIME& date);
    void PayeePageEnded(int result, const QString& payee, const QString& payMethod,
                        bool saveAsTemplate);
    // After the template dialog, confirmed or not, the entry is stored.
    void TemplateSaveEnded();

private:
    plat::TimeValue m_initialDate;
    InOutRecord m_record;
    Step m_step = Step::Amount;
    bool m_bWantsTemplate = false;
};

bool HasFreeTemplateSlot(const TemplateSlots& table);
