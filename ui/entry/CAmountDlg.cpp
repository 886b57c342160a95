#include "ui/entry/CAmountDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "res/Resources.h"

#include <QApplication>

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_AMOUNT = 1006,
    IDC_INCOME = 1131,
    IDC_DIGIT0 = 1007, // to 1016 for the digit 9
    IDC_DIGIT9 = 1016,
    IDC_DOUBLE_ZERO = 1017,
    IDC_TRIPLE_ZERO = 1018,
    IDC_CLEAR = 1019,
    IDC_TAX_MINUS = 1020,
    IDC_TAX_PLUS = 1021,
    IDC_DIVIDE = 1022,
    IDC_TIMES = 1023,
    IDC_MINUS = 1024,
    IDC_PLUS = 1025,
    IDC_EQUALS = 1026,
};

constexpr int kMenuNext = 157;   // キャンセル / 次へ＞
constexpr int kMenuFinish = 160; // キャンセル / 完了

CalculatorState::Op OperatorOf(int id) {
    switch (id) {
    case IDC_PLUS:
        return CalculatorState::Op::Plus;
    case IDC_MINUS:
        return CalculatorState::Op::Minus;
    case IDC_TIMES:
        return CalculatorState::Op::Times;
    case IDC_DIVIDE:
        return CalculatorState::Op::Divide;
    case IDC_EQUALS:
        return CalculatorState::Op::Equals;
    default:
        return CalculatorState::Op::None;
    }
}

} // namespace

CAmountDlg::CAmountDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(tb::res::IDD_AMOUNT, parent), m_pDoc(doc) {
    setMessageMap({
        OnCommandRange(IDC_DIGIT0, IDC_DIGIT9, &CAmountDlg::OnDigit),
        OnCommand(IDC_DOUBLE_ZERO, &CAmountDlg::OnDoubleZero),
        OnCommand(IDC_TRIPLE_ZERO, &CAmountDlg::OnTripleZero),
        OnCommandRange(IDC_DIVIDE, IDC_EQUALS, &CAmountDlg::OnOperator),
        OnCommand(IDC_TAX_PLUS, &CAmountDlg::OnTaxPlus),
        OnCommand(IDC_TAX_MINUS, &CAmountDlg::OnTaxMinus),
        OnCommand(IDC_CLEAR, &CAmountDlg::OnClear),
        OnCommand(IDFINISH, &CAmountDlg::OnFinish),
        OnCommand(IDBACK, &CAmountDlg::OnBack),
        OnNotify(IDC_AMOUNT, Notify::SetFocus, &CAmountDlg::OnAmountFocus),
    });
}

void CAmountDlg::DoDataExchange(DataExchange& dx) {
    dx.Check(IDC_INCOME, m_bIncome);
    dx.Text(IDC_AMOUNT, m_strShown);
}

bool CAmountDlg::OnInitDialog() {
    CreateMenuBarIfSupported((m_nOptions & HideNext) ? kMenuFinish : kMenuNext);
    if (m_nOptions & HideFinish) ShowControl(IDFINISH, false);
    if (m_nOptions & HideNext) ShowControl(IDOK, false);
    if (m_nOptions & HideBack) ShowControl(IDBACK, false);
    m_calc.open(m_nAmount);
    m_bIncome = m_calc.income();
    m_strShown = m_calc.displayText();
    return Dialog::OnInitDialog();
}

template <class F> void CAmountDlg::Key(F&& action) {
    UpdateData(true);
    m_calc.setIncome(m_bIncome);
    action();
    Show();
}

void CAmountDlg::Show() {
    m_strShown = m_calc.displayText();
    UpdateData(false);
}

void CAmountDlg::OnDigit(int id) {
    Key([&] { m_calc.pressDigit(id - IDC_DIGIT0); });
}

void CAmountDlg::OnDoubleZero() {
    Key([&] { m_calc.pressDoubleZero(); });
}

void CAmountDlg::OnTripleZero() {
    Key([&] { m_calc.pressTripleZero(); });
}

void CAmountDlg::OnOperator(int id) {
    Key([&] { m_calc.pressOperator(OperatorOf(id)); });
}

void CAmountDlg::OnTaxPlus() {
    Key([&] { m_calc.pressTaxPlus(); });
}

void CAmountDlg::OnTaxMinus() {
    Key([&] { m_calc.pressTaxMinus(); });
}

// C/CE works on the calculator alone: the controls are not read first.
void CAmountDlg::OnClear() {
    m_calc.pressClear();
    Show();
}

bool CAmountDlg::HandBack() {
    UpdateData(true);
    m_calc.setIncome(m_bIncome);
    const std::optional<std::int32_t> result = m_calc.signedResult();
    if (!result) {
        QApplication::beep(); // "E" is shown: only C/CE goes on from here
        return false;
    }
    m_nAmount = *result;
    return true;
}

// Next ("次へ(OK) >>", soft key "次へ＞", Enter, F2). A pending operation is
// not carried out: the shown value is the amount.
void CAmountDlg::OnOK() {
    if (HandBack()) Dialog::OnOK();
}

void CAmountDlg::OnFinish() {
    if (HandBack()) EndDialog(IDFINISH);
}

void CAmountDlg::OnBack() {
    m_nAmount = m_calc.amount();
    EndDialog(IDBACK);
}

// The amount is never typed into the edit: the keypad is the only way in.
void CAmountDlg::OnAmountFocus() {
    if (m_pDoc) {
        EnterNumberMode(*m_pDoc, GetDlgItem(IDC_AMOUNT));
    }
    FocusConfirmButton();
}

// Enter and F2 confirm with the button that is shown: next, or finish when
// the page shows only "完了" (its opener takes nothing else).
void CAmountDlg::OnConfirmKey() {
    if (m_nOptions & HideNext)
        OnFinish();
    else
        OnOK();
}

void CAmountDlg::FocusConfirmButton() {
    GotoDlgCtrl((m_nOptions & HideNext) ? int{IDFINISH} : int{IDOK});
}

bool CAmountDlg::PreTranslateKeyDown(int vk) {
    if (vk == VK_BACK) {
        Key([&] { m_calc.pressBackspace(); });
        return true;
    }
    if (vk >= VK_0 && vk <= VK_9)
        OnDigit(IDC_DIGIT0 + vk - VK_0);
    else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        OnDigit(IDC_DIGIT0 + vk - VK_NUMPAD0);
    else if (vk == VK_RIGHT || vk == VK_ADD)
        OnOperator(IDC_PLUS);
    else if (vk == VK_LEFT || vk == VK_SUBTRACT)
        OnOperator(IDC_MINUS);
    else if (vk == VK_UP || vk == VK_MULTIPLY)
        OnOperator(IDC_TIMES);
    else if (vk == VK_DOWN || vk == VK_DIVIDE)
        OnOperator(IDC_DIVIDE);
    else if (vk == VK_RETURN || vk == VK_F2)
        OnConfirmKey();
    else
        return false;
    FocusConfirmButton();
    return true;
}
