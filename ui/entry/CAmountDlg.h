// The amount page: a full-screen keypad calculator on template 131 that hands
// back one signed amount, negative when "収入" (income) is checked.
//
//   CAmountDlg dlg(&doc);
//   dlg.m_nOptions = 0x11;
//   dlg.m_nAmount = record.amount;
//   if (dlg.DoModal() != IDCANCEL) record.amount = dlg.m_nAmount;
#pragma once

#include "ui/entry/CalculatorState.h"
#include "ui/framework/Dialog.h"

#include <cstdint>

class CMyTALYDoc;

class CAmountDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    // Page options.
    enum Options : unsigned {
        HideFinish = 0x1, // hide "完了" (3)
        HideNext = 0x2,   // hide "次へ(OK) >>" (1); soft keys of menu 160
        HideBack = 0x10,  // hide "<<" (4)
    };
    // Results of the modal run besides IDOK (next) and IDCANCEL.
    enum Result : int { IDFINISH = 3, IDBACK = 4 };

    explicit CAmountDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    // In: the amount to start from. Out after next and finish: the signed
    // result; after back: the shown value without its sign; after cancel: unused.
    std::int32_t m_nAmount = 0;
    unsigned m_nOptions = 0;

    const CalculatorState& calculator() const { return m_calc; }

    bool PreTranslateKeyDown(int virtualKey) override;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnDigit(int id);
    void OnDoubleZero();
    void OnTripleZero();
    void OnOperator(int id);
    void OnTaxPlus();
    void OnTaxMinus();
    void OnClear();
    void OnFinish();
    void OnBack();
    void OnAmountFocus();

    // Every key but C/CE takes the income box's state first and shows the result after.
    template <class F> void Key(F&& action);
    void Show();
    // Next or finish: false in the error state, where no amount may leave.
    bool HandBack();
    void OnConfirmKey();
    void FocusConfirmButton();

    CMyTALYDoc* m_pDoc;
    CalculatorState m_calc;
    bool m_bIncome = false;
    QString m_strShown;
};
