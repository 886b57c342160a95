// The detail view's filter (template 142): a text the remark must contain and
// an amount range, each switched on separately. "フィルターセット" validates and
// ends with OK; "フィルターオフ" switches all three off and ends with Cancel,
// keeping the text and bounds. The summary takes the values in either case.
#pragma once

#include "ui/framework/Dialog.h"

#include <QString>
#include <cstdint>

class CMyTALYDoc;

class CFilterDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit CFilterDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    static constexpr int kAmountMax = 2000000000;

    bool m_bTextOn = false;
    QString m_strText;
    bool m_bMinOn = false;
    int m_nMin = 0; // 0..kAmountMax
    bool m_bMaxOn = false;
    int m_nMax = 0;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    void OnCancel() override;

private:
    void OnTextFocus();
    void OnAmountFocus();

    CMyTALYDoc* m_pDoc;
};
