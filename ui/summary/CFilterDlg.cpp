#include "ui/summary/CFilterDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_TEXT_ON = 1094,
    IDC_TEXT = 1064,
    IDC_MIN_ON = 1095,
    IDC_MIN = 1097,
    IDC_MAX_ON = 1096,
    IDC_MAX = 1098,
};

} // namespace

CFilterDlg::CFilterDlg(CMyTALYDoc* doc, QWidget* parent) : Dialog(142, parent), m_pDoc(doc) {
    setMessageMap({
        OnNotify(IDC_TEXT, Notify::SetFocus, &CFilterDlg::OnTextFocus),
        OnNotify(IDC_MIN, Notify::SetFocus, &CFilterDlg::OnAmountFocus),
        OnNotify(IDC_MAX, Notify::SetFocus, &CFilterDlg::OnAmountFocus),
    });
}

void CFilterDlg::DoDataExchange(DataExchange& dx) {
    dx.Check(IDC_TEXT_ON, m_bTextOn);
    dx.Text(IDC_TEXT, m_strText);
    dx.Check(IDC_MIN_ON, m_bMinOn);
    dx.Int(IDC_MIN, m_nMin, 0, kAmountMax);
    dx.Check(IDC_MAX_ON, m_bMaxOn);
    dx.Int(IDC_MAX, m_nMax, 0, kAmountMax);
}

// "フィルターオフ": the switches go off; text and bounds stay as they came in.
void CFilterDlg::OnCancel() {
    m_bTextOn = m_bMinOn = m_bMaxOn = false;
    CheckDlgButton(IDC_TEXT_ON, false);
    CheckDlgButton(IDC_MIN_ON, false);
    CheckDlgButton(IDC_MAX_ON, false);
    Dialog::OnCancel();
}

void CFilterDlg::OnTextFocus() {
    if (!m_pDoc) return;
    EnterTextMode(*m_pDoc, GetDlgItem(IDC_TEXT));
}

void CFilterDlg::OnAmountFocus() {
    if (!m_pDoc) return;
    EnterNumberMode(*m_pDoc, GetDlgItem(FocusedControlId()));
}
