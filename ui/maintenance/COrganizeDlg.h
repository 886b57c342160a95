// The organize dialog on template 138: one period, exported to a CSV file in
// the data folder or deleted, and CSV files imported. Every action leaves the
// dialog open; nothing here saves the ledger.
//
//   COrganizeDlg dlg(&doc);
//   const auto period = maintenance::DefaultOrganizePeriod(now, doc.m_nMonthStartDay);
//   dlg.m_timeStart = period.start;
//   dlg.m_timeEnd = period.end;
//   dlg.DoModal();
#pragma once

#include "platform/Time.h"
#include "ui/framework/Dialog.h"

class CMyTALYDoc;

class COrganizeDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit COrganizeDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    plat::TimeValue m_timeStart = 0; // picker 1092
    plat::TimeValue m_timeEnd = 0;   // picker 1093; its whole day belongs to the period

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnExport();
    void OnDelete();
    void OnImport();
    void OnStartChanged();

    // Reads the pickers; false (after the period message) when the end lies before the start.
    bool CheckPeriod();

    CMyTALYDoc* m_pDoc;
};
