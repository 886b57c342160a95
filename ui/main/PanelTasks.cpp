// The dialogs behind these tasks join the program with their own libraries;
// until then each task leaves the panel as it was, as a cancelled dialog does.
#include "ui/main/PanelTasks.h"

#include "ui/entry/RunNewEntryFlow.h"
#include "ui/entry/TemplateEntry.h"
#include "ui/maintenance/CItemEditDlg.h"

void PanelTasks::RunNewEntryFlow(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date) {
    ::RunNewEntryFlow(owner, doc, date);
}

void PanelTasks::NewEntryFromTemplate(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue date) {
    ::NewEntryFromTemplate(owner, doc, date);
}

void PanelTasks::OpenSummary(QWidget*, CMyTALYDoc&, std::uint32_t, plat::TimeValue, bool) {}

void PanelTasks::OpenOrganize(QWidget*, CMyTALYDoc&) {}

// The dialog always opens on the category list, which is the only list the
// panel asks for; it has no owner, as it covers the hidden panel.
void PanelTasks::OpenItemEdit(QWidget*, CMyTALYDoc& doc, const QString&) {
    CItemEditDlg dlg(&doc);
    dlg.DoModal();
}

void PanelTasks::OpenOptions(QWidget*, CMyTALYDoc&) {}
