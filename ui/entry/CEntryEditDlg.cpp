#include "ui/entry/CEntryEditDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "ledger/Lists.h"
#include "platform/MessageBox.h"
#include "ui/entry/CAmountDlg.h"
#include "ui/entry/ComboChoices.h"
#include "ui/framework/DataExchange.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_PROMPT = 1063,
    IDC_NAME_LABEL = 1117,
    IDC_NAME = 1118,
    IDC_CATEGORY_LABEL = 1144,
    IDC_CATEGORY = 1049,
    IDC_REMARK_LABEL = 1145,
    IDC_REMARK = 1050,
    IDC_AMOUNT_LABEL = 1146,
    IDC_AMOUNT = 1055,
    IDC_CALCULATOR = 1038,
    IDC_INCOME = 1131,
    IDC_DATE_LABEL = 1116,
    IDC_DATE = 1054,
    IDC_PAYEE_LABEL = 1147,
    IDC_PAYEE = 1052,
    IDC_PAYMETHOD_LABEL = 1148,
    IDC_PAYMETHOD = 1053,
    IDC_CANCEL = 1056,
};

constexpr int kMenuPlain = 157;

// Layout distances, in handset pixels.
constexpr int kMargin = 5;
constexpr int kGap = 3;
constexpr int kPromptToRows = 8;
constexpr int kButtonGap = 2;

void Notice(const QString& text) {
    plat::MessageBox(text, validation::Caption(), plat::MB_OK | plat::MB_ICONEXCLAMATION);
}

} // namespace

struct CEntryEditDlg::ModeLook {
    unsigned mode; // 0: none of the modes, texts as in the template
    const char16_t* prompt;
    const char16_t* okText;
    int menu;
};

const CEntryEditDlg::ModeLook& CEntryEditDlg::LookFor(unsigned mode) {
    // Tested in this order; the first mode bit set wins.
    static const ModeLook looks[] = {
        {ModeChange, u"変更ボタンを押すと、修正が反映されます。", u"変更(OK)", 163},
        {ModeDelete, u"この項目を削除して良い場合は削除ボタンを押して下さい。", u"削除(OK)", 162},
        {ModeAdd, u"追加ボタンを押すと、データが追加されます。", u"追加(OK)", 164},
        {ModeTemplate, u"定番項目名を入力して、保存ボタンを押して下さい。", u"保存(OK)", 161},
    };
    static const ModeLook none{0, nullptr, nullptr, kMenuPlain};
    for (const ModeLook& look : looks)
        if (mode & look.mode) return look;
    return none;
}

CEntryEditDlg::CEntryEditDlg(CMyTALYDoc* doc, QWidget* parent) : Dialog(136, parent), m_pDoc(doc) {
    setMessageMap({
        OnNotify(IDC_CATEGORY, Notify::SelChange, &CEntryEditDlg::OnCategoryChange),
        OnCommand(IDC_CALCULATOR, &CEntryEditDlg::OnCalculator),
        OnCommand(IDC_CANCEL, &CEntryEditDlg::OnCancelButton),
        OnNotify(IDC_CATEGORY, Notify::SetFocus, &CEntryEditDlg::OnCategoryFocus),
        OnNotify(IDC_REMARK, Notify::SetFocus, &CEntryEditDlg::OnTextFocusNotify),
        OnNotify(IDC_PAYEE, Notify::SetFocus, &CEntryEditDlg::OnTextFocusNotify),
        OnNotify(IDC_PAYMETHOD, Notify::SetFocus, &CEntryEditDlg::OnTextFocusNotify),
        OnNotify(IDC_NAME, Notify::SetFocus, &CEntryEditDlg::OnTextFocusNotify),
        OnNotify(IDC_AMOUNT, Notify::SetFocus, &CEntryEditDlg::OnAmountFocus),
    });
    setMinimumFormSize({DesignSize().width() / 2, DesignSize().height()});
}

void CEntryEditDlg::DoDataExchange(DataExchange& dx) {
    dx.Text(IDC_PROMPT, m_strPrompt);
    dx.Text(IDC_NAME, m_strTemplateName, kMaxTextLength);
    dx.ComboText(IDC_CATEGORY, m_strCategory, kMaxTextLength);
    dx.ComboText(IDC_REMARK, m_strRemark, kMaxTextLength);
    if (dx.saving()) {
        int amount = 0;
        dx.Int(IDC_AMOUNT, amount, 0, static_cast<int>(kAmountLimit));
        if (!dx.failed()) m_nAmount = amount;
    } else {
        SetDlgItemText(IDC_AMOUNT, QString::number(m_nAmount));
    }
    dx.Check(IDC_INCOME, m_bIncome);
    dx.Date(IDC_DATE, m_date);
    dx.ComboText(IDC_PAYEE, m_strPayee, kMaxTextLength);
    dx.ComboText(IDC_PAYMETHOD, m_strPayMethod, kMaxTextLength);
}

bool CEntryEditDlg::OnInitDialog() {
    const ModeLook& look = LookFor(m_nMode);
    CreateBar(look);
    FillLists();
    TakeRecord();
    ApplyMode(look);
    m_bFirstFocus = true;
    Dialog::OnInitDialog();
    OnSize(ClientSize().width(), ClientSize().height());
    return true;
}

void CEntryEditDlg::CreateBar(const ModeLook& look) {
    if (!CreateMenuBarIfSupported(look.menu)) return;
    for (int id : {int{IDOK}, int{IDC_CANCEL}}) {
        ShowControl(id, false);
        EnableControl(id, false);
    }
}

void CEntryEditDlg::FillLists() {
    const QString category = FieldText(m_record.category);
    FillCombo(IDC_CATEGORY, m_pDoc ? CategoryListPath(*m_pDoc) : QString(), category);
    FillCategoryLists(category, FieldText(m_record.remark), FieldText(m_record.payee));
    FillCombo(IDC_PAYMETHOD, m_pDoc ? PayMethodListPath(*m_pDoc) : QString(),
              FieldText(m_record.payMethod));
}

// An empty category has no list files of its own: its lists hold only the
// entry's texts (no file named after the empty text is created).
void CEntryEditDlg::FillCategoryLists(const QString& category, const QString& remark,
                                      const QString& payee) {
    const bool own = m_pDoc && !category.isEmpty();
    FillCombo(IDC_REMARK, own ? RemarkListPath(*m_pDoc, category) : QString(), remark);
    FillCombo(IDC_PAYEE, own ? PayeeListPath(*m_pDoc, category) : QString(), payee);
}

void CEntryEditDlg::FillCombo(int id, const QString& path, const QString& value) {
    auto* combo = item<QComboBox>(id);
    if (!combo) return;
    QStringList texts;
    if (!path.isEmpty()) {
        bool ok = false;
        texts = ReadListFile(path, ListDefault::Empty, &ok);
        if (!ok) return; // ShowError has told the user; the list stays as it was
    }
    const ComboChoices choices = ChoicesWithValue(std::move(texts), value);
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(choices.items);
    combo->setCurrentIndex(choices.selected);
    LimitTextLength(combo, kMaxTextLength);
}

void CEntryEditDlg::TakeRecord() {
    m_date = plat::SystemTimeToTimeValue(m_record.date);
    m_strCategory = FieldText(m_record.category);
    m_strRemark = FieldText(m_record.remark);
    m_strPayee = FieldText(m_record.payee);
    m_strPayMethod = FieldText(m_record.payMethod);
    const std::int64_t amount = m_record.amount;
    m_nAmount = amount < 0 ? -amount : amount;
    m_bIncome = amount < 0;
}

void CEntryEditDlg::ApplyMode(const ModeLook& look) {
    if (look.mode == 0) {
        m_strPrompt = GetDlgItemText(IDC_PROMPT);
        return;
    }
    m_strPrompt = QString::fromUtf16(look.prompt);
    SetDlgItemText(IDOK, QString::fromUtf16(look.okText));
    if (look.mode == ModeDelete) {
        for (int id : {IDC_CATEGORY, IDC_REMARK, IDC_PAYEE, IDC_PAYMETHOD, IDC_AMOUNT, IDC_DATE,
                       IDC_CALCULATOR, IDC_INCOME})
            EnableControl(id, false);
    } else if (look.mode == ModeTemplate) {
        for (int id : {IDC_NAME_LABEL, IDC_NAME}) {
            ShowControl(id, true);
            EnableControl(id, true);
        }
        for (int id : {IDC_DATE_LABEL, IDC_DATE}) {
            ShowControl(id, false);
            EnableControl(id, false);
        }
    }
}

void CEntryEditDlg::OnOK() {
    // Delete mode shows the entry read-only: nothing is read, and an entry the
    // fields could not take (an amount past the limit) can still be deleted.
    if (LookFor(m_nMode).mode == ModeDelete) {
        EndDialog(IDOK);
        return;
    }
    if (!UpdateData(true) || !ConfirmTexts()) return;
    GiveRecord();
    EndDialog(IDOK);
}

bool CEntryEditDlg::ConfirmTexts() {
    if (LookFor(m_nMode).mode == ModeTemplate && m_strTemplateName.isEmpty()) {
        Notice(QStringLiteral("定番名を入力してください"));
        GotoDlgCtrl(IDC_NAME);
        return false;
    }
    for (const QString* text : {&m_strRemark, &m_strCategory, &m_strPayMethod, &m_strPayee}) {
        if (text->isEmpty()) {
            Notice(QStringLiteral("項目を選択してください"));
            return false;
        }
    }
    return true;
}

void CEntryEditDlg::GiveRecord() {
    m_record.date = plat::TimeValueToSystemTime(m_date);
    m_record.amount = static_cast<std::int32_t>(m_bIncome ? -m_nAmount : m_nAmount);
    SetFieldText(m_record.remark, m_strRemark);
    SetFieldText(m_record.category, m_strCategory);
    SetFieldText(m_record.payMethod, m_strPayMethod);
    SetFieldText(m_record.payee, m_strPayee);
}

void CEntryEditDlg::OnCancelButton() {
    OnCancel();
}

// The remark and payee the user sees stay when the category changes, also
// when the new category's lists do not hold them.
void CEntryEditDlg::OnCategoryChange() {
    auto* category = item<QComboBox>(IDC_CATEGORY);
    auto* remark = item<QComboBox>(IDC_REMARK);
    auto* payee = item<QComboBox>(IDC_PAYEE);
    if (!category || !remark || !payee) return;
    FillCategoryLists(category->currentText(), remark->currentText(), payee->currentText());
}

void CEntryEditDlg::OnCalculator() {
    if (!UpdateData(true)) return; // the message names the field to mend first
    CAmountDlg calculator(m_pDoc, parentWidget());
    calculator.m_nOptions = CAmountDlg::HideNext | CAmountDlg::HideBack; // finish or cancel
    calculator.m_nAmount = static_cast<std::int32_t>(m_bIncome ? -m_nAmount : m_nAmount);
    hide();
    const int result = calculator.DoModal();
    if (result == CAmountDlg::IDFINISH) {
        const std::int64_t amount = calculator.m_nAmount;
        m_nAmount = amount < 0 ? -amount : amount;
        m_bIncome = amount < 0;
    }
    UpdateData(false);
    show();
    activateWindow();
}

void CEntryEditDlg::OnCategoryFocus() {
    if (m_bFirstFocus && LookFor(m_nMode).mode == ModeAdd) {
        // An entry made from a template usually needs only its amount typed.
        m_bFirstFocus = false;
        GotoDlgCtrl(IDC_AMOUNT);
        if (auto* edit = item<QLineEdit>(IDC_AMOUNT)) edit->selectAll();
        return;
    }
    OnTextFocus(IDC_CATEGORY);
}

void CEntryEditDlg::OnTextFocusNotify(NotifyInfo& info) {
    OnTextFocus(info.id);
}

void CEntryEditDlg::OnTextFocus(int id) {
    if (id == IDC_CATEGORY || id == IDC_REMARK) m_bFirstFocus = false;
    if (!m_pDoc) return;
    EnterTextMode(*m_pDoc, GetDlgItem(id));
}

void CEntryEditDlg::OnAmountFocus() {
    if (!m_pDoc) return;
    EnterNumberMode(*m_pDoc, GetDlgItem(IDC_AMOUNT));
}

// Rows keep their heights and stretch to the width; hidden rows take no room.
void CEntryEditDlg::OnSize(int cx, int cy) {
    Dialog::OnSize(cx, cy);
    const QRect prompt = ControlRect(IDC_PROMPT);
    MoveControl(IDC_PROMPT, {kMargin, kMargin, std::max(0, cx - 2 * kMargin), prompt.height()});
    const bool templateMode = LookFor(m_nMode).mode == ModeTemplate;
    int y = prompt.height() + kPromptToRows;
    if (templateMode) y = LayoutRow(y, IDC_NAME_LABEL, IDC_NAME, cx);
    y = LayoutRow(y, IDC_CATEGORY_LABEL, IDC_CATEGORY, cx);
    y = LayoutRow(y, IDC_REMARK_LABEL, IDC_REMARK, cx);
    y = LayoutAmountRow(y, cx);
    if (!templateMode) y = LayoutRow(y, IDC_DATE_LABEL, IDC_DATE, cx);
    y = LayoutRow(y, IDC_PAYEE_LABEL, IDC_PAYEE, cx);
    y = LayoutRow(y, IDC_PAYMETHOD_LABEL, IDC_PAYMETHOD, cx);
    LayoutButtons(y - kGap + kMargin, cx);
}

int CEntryEditDlg::FieldLeft() const {
    return kMargin + ControlRect(IDC_NAME_LABEL).width() + kGap;
}

int CEntryEditDlg::LayoutRow(int y, int labelId, int fieldId, int cx) {
    const QRect label = ControlRect(labelId);
    const QRect field = ControlRect(fieldId);
    const int height = std::max(label.height(), field.height());
    const int labelWidth = ControlRect(IDC_NAME_LABEL).width();
    MoveControl(labelId, {kMargin, y + (height - label.height()) / 2, labelWidth, label.height()});
    const int x = FieldLeft();
    MoveControl(fieldId, {x, y + (height - field.height()) / 2, std::max(0, cx - kMargin - x),
                          field.height()});
    return y + height + kGap;
}

// "収入" at the right edge, "..." left of it, the amount edit in what is left.
int CEntryEditDlg::LayoutAmountRow(int y, int cx) {
    const QRect label = ControlRect(IDC_AMOUNT_LABEL);
    const QRect edit = ControlRect(IDC_AMOUNT);
    const QRect calc = ControlRect(IDC_CALCULATOR);
    const QRect income = ControlRect(IDC_INCOME);
    const int height = std::max({label.height(), edit.height(), calc.height(), income.height()});
    const auto top = [&](const QRect& r) { return y + (height - r.height()) / 2; };
    MoveControl(IDC_AMOUNT_LABEL,
                {kMargin, top(label), ControlRect(IDC_NAME_LABEL).width(), label.height()});
    const int incomeX = cx - kMargin - income.width();
    MoveControl(IDC_INCOME, {incomeX, top(income), income.width(), income.height()});
    const int calcX = incomeX - kGap - calc.width();
    MoveControl(IDC_CALCULATOR, {calcX, top(calc), calc.width(), calc.height()});
    const int x = FieldLeft();
    MoveControl(IDC_AMOUNT, {x, top(edit), std::max(0, calcX - kGap - x), edit.height()});
    return y + height + kGap;
}

void CEntryEditDlg::LayoutButtons(int y, int cx) {
    const QRect ok = ControlRect(IDOK);
    const QRect cancel = ControlRect(IDC_CANCEL);
    const int middle = cx / 2;
    MoveControl(IDOK, {middle - kButtonGap - ok.width(), y, ok.width(), ok.height()});
    MoveControl(IDC_CANCEL, {middle + kButtonGap, y, cancel.width(), cancel.height()});
}
