// The panel's tasks: each opens its dialog modally on the document.
#include "ui/main/PanelTasks.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "ui/entry/RunNewEntryFlow.h"
#include "ui/entry/TemplateEntry.h"
#include "ui/maintenance/CItemEditDlg.h"
#include "ui/summary/CSummaryDlg.h"
#include "ui/maintenance/COptionPropSheet.h"
#include "ui/maintenance/COrganizeDlg.h"
#include "ui/maintenance/DataFolderMove.h"
#include "ui/maintenance/OrganizePeriod.h"

void PanelTasks::RunNewEntryFlow(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date) {
    ::RunNewEntryFlow(owner, doc, date);
}

void PanelTasks::NewEntryFromTemplate(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date) {
    ::NewEntryFromTemplate(owner, doc, date);
}

// The summary covers the panel and leaves the handset in number mode.
void PanelTasks::OpenSummary(QWidget* owner, CMyTALYDoc& doc, std::uint32_t mode,
                             plat::TimeValue baseDate, bool detailScreen) {
    {
        CSummaryDlg dlg(&doc);
        dlg.m_dwMode = mode;
        dlg.m_keyRecord.date = plat::TimeValueToSystemTime(baseDate);
        dlg.m_bFilterMode = detailScreen;
        dlg.DoModal();
    }
    EnterNumberMode(doc, owner);
}

void PanelTasks::OpenOrganize(QWidget*, CMyTALYDoc& doc) {
    COrganizeDlg dlg(&doc);
    const maintenance::OrganizePeriod period =
        maintenance::DefaultOrganizePeriod(plat::CurrentTimeValue(), doc.m_nMonthStartDay);
    dlg.m_timeStart = period.start;
    dlg.m_timeEnd = period.end;
    dlg.DoModal();
}

// The dialog always opens on the category list, which is the only list the
// panel asks for; it has no owner, as it covers the hidden panel.
void PanelTasks::OpenItemEdit(QWidget*, CMyTALYDoc& doc, const QString&) {
    CItemEditDlg dlg(&doc);
    dlg.DoModal();
}

// Cancelling leaves every setting as it was.
void PanelTasks::OpenOptions(QWidget*, CMyTALYDoc& doc) {
    COptionPropSheet sheet;
    sheet.SetValues(ReadOptionValues(doc));
    if (sheet.DoModal() != tb::ui::IDOK) return;
    const OptionValues v = sheet.Values();
    ApplyOptionValues(doc, v);
    ApplyDataFolder(doc, v.folderMode, v.folderPath);
}
