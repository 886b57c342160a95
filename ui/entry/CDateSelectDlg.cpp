#include "ui/entry/CDateSelectDlg.h"

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_CALENDAR = 1149,
    IDC_PICKER = 1150,
};

constexpr int kMenuCancelOk = 168;

} // namespace

CDateSelectDlg::CDateSelectDlg(QWidget* parent) : Dialog(168, parent) {
    setMessageMap({
        OnNotify(IDC_PICKER, Notify::DateChange, &CDateSelectDlg::OnPickerChange),
        OnNotify(IDC_CALENDAR, Notify::SelChange, &CDateSelectDlg::OnCalendarChange),
    });
}

void CDateSelectDlg::DoDataExchange(DataExchange& dx) {
    dx.Date(IDC_PICKER, m_pickerValue);
    dx.Date(IDC_CALENDAR, m_calendarValue);
}

bool CDateSelectDlg::OnInitDialog() {
    m_pickerValue = plat::SystemTimeToTimeValue(m_date);
    m_calendarValue = m_pickerValue;
    CreateSoftKeyBar(kMenuCancelOk);
    return Dialog::OnInitDialog();
}

void CDateSelectDlg::OnPickerChange(NotifyInfo& info) {
    UpdateData(true);
    m_calendarValue = m_pickerValue;
    UpdateData(false);
    info.result = 0;
}

void CDateSelectDlg::OnCalendarChange(NotifyInfo& info) {
    UpdateData(true);
    m_pickerValue = m_calendarValue;
    UpdateData(false);
    info.result = 0;
}

void CDateSelectDlg::OnOK() {
    if (!UpdateData(true)) return;
    const plat::SYSTEMTIME chosen = plat::TimeValueToSystemTime(m_calendarValue);
    m_date = plat::SYSTEMTIME{};
    m_date.wYear = chosen.wYear;
    m_date.wMonth = chosen.wMonth;
    m_date.wDay = chosen.wDay;
    EndDialog(IDOK);
}
