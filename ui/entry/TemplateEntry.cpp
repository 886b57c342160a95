#include "ui/entry/TemplateEntry.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "ui/entry/CEntryEditDlg.h"
#include "ui/entry/CTemplateListDlg.h"

#include <QWidget>

namespace {


// The opener in front again, in number mode.
void ShowOwner(QWidget* owner, CMyTALYDoc& doc) {
    if (owner) owner->show();
    EnterNumberMode(doc, owner);
}

// Template changes made in the list are saved at once under save-on-change,
// like entries, rather than waiting for the next entry or the exit.
void SaveIfTemplatesChanged(CMyTALYDoc& doc) {
    if (doc.m_bSaveOnChange && doc.TemplatesChanged()) doc.SaveAll();
}

bool AddEntryFromTemplate(CMyTALYDoc& doc, plat::TimeValue date);

} // namespace

bool NewEntryFromTemplate(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date) {
    const bool picked = AddEntryFromTemplate(doc, date);
    ShowOwner(owner, doc);
    return picked;
}

namespace {

bool AddEntryFromTemplate(CMyTALYDoc& doc, plat::TimeValue date) {
    int picked = CTemplateListDlg::kNoChoice;
    {
        CTemplateListDlg list(&doc);
        picked = list.DoModal();
    }
    if (picked < 1 || picked > kTemplateSlots) {
        SaveIfTemplatesChanged(doc);
        return false;
    }
    CEntryEditDlg dlg(&doc);
    dlg.m_record = doc.Templates()[static_cast<std::size_t>(picked - 1)].record;
    dlg.m_record.date = plat::TimeValueToSystemTime(date);
    dlg.m_nMode = CEntryEditDlg::ModeAdd;
    if (dlg.DoModal() != tb::ui::IDOK || !doc.AddRecordAndSave(dlg.m_record))
        SaveIfTemplatesChanged(doc);
    return true;
}

} // namespace
