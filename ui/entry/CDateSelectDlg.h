// Picking a day (template 168): a month calendar and a date picker that follow
// each other, with the soft keys "キャンセル" and "OK" on every platform.
//
//   CDateSelectDlg dlg;
//   dlg.m_date = shownDay;
//   if (dlg.DoModal() == IDOK) shownDay = dlg.m_date;
#pragma once

#include "platform/Time.h"
#include "ui/framework/Dialog.h"

class CDateSelectDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit CDateSelectDlg(QWidget* parent = nullptr);

    // In: the day to show. Out after IDOK: the chosen day at 00:00:00.000 with
    // the day of the week 0. Unchanged after IDCANCEL.
    plat::SYSTEMTIME m_date{};

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnPickerChange(tb::ui::NotifyInfo& info);
    void OnCalendarChange(tb::ui::NotifyInfo& info);

    plat::TimeValue m_pickerValue = 0;
    plat::TimeValue m_calendarValue = 0;
};
