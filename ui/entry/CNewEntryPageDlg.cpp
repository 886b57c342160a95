#include "ui/entry/CNewEntryPageDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "ledger/DataFiles.h"
#include "ledger/Lists.h"
#include "platform/MessageBox.h"
#include "ui/entry/NewEntryFlow.h"
#include "ui/framework/DataExchange.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_LABEL_A = 1004,
    IDC_LIST_A = 1005,
    IDC_CHECK_A = 1084,
    IDC_LABEL_B = 1100,
    IDC_LIST_B = 1099,
    IDC_CHECK_B = 1085,
    IDC_DATE_LABEL = 1111,
    IDC_DATE = 1057,
    IDC_SAVE_TEMPLATE = 1115,
};

constexpr int kMenuNext = 158;   // 戻る／ｷｬﾝｾﾙ, 次へ＞
constexpr int kMenuFinish = 159; // 戻る／ｷｬﾝｾﾙ, 完了
constexpr int kHintTimer = 1;
constexpr int kHintDelayMs = 1000;

} // namespace

CNewEntryPageDlg::CNewEntryPageDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(130, parent), m_pDoc(doc) {
    setMessageMap({
        OnCommand(IDFINISH, &CNewEntryPageDlg::OnFinish),
        OnCommand(IDBACK, &CNewEntryPageDlg::OnBack),
        OnNotify(IDC_LIST_A, Notify::SelChange, &CNewEntryPageDlg::OnCategoryChange),
        OnNotify(IDC_LIST_A, Notify::SetFocus, &CNewEntryPageDlg::OnListFocus),
        OnNotify(IDC_LIST_B, Notify::SetFocus, &CNewEntryPageDlg::OnListFocus),
        OnNotify(IDC_DATE, Notify::SetFocus, &CNewEntryPageDlg::OnDateFocus),
    });
    const unsigned stretch = AnchorLeft | AnchorTop | AnchorRight;
    setSizeRules({{IDC_LIST_A, stretch},
                  {IDC_LIST_B, stretch},
                  {IDC_DATE, stretch},
                  {IDC_SAVE_TEMPLATE, stretch}});
}

void CNewEntryPageDlg::DoDataExchange(DataExchange& dx) {
    dx.Text(IDC_LABEL_A, m_strLabelA);
    dx.Text(IDC_LABEL_B, m_strLabelB);
    dx.ComboText(IDC_LIST_A, m_strTextA);
    dx.ComboText(IDC_LIST_B, m_strTextB);
    dx.Check(IDC_CHECK_A, m_bCheckA);
    dx.Check(IDC_CHECK_B, m_bCheckB);
    dx.Check(IDC_SAVE_TEMPLATE, m_bSaveTemplate);
    if (!(m_nOptions & PayeeLayout)) dx.Date(IDC_DATE, m_date);
}

bool CNewEntryPageDlg::OnInitDialog() {
    CreateMenuBarIfSupported((m_nOptions & HideNext) ? kMenuFinish : kMenuNext);
    LoadLists();
    ApplyOptions();
    m_bCheckA = m_bCheckB = true;
    m_bSaveTemplate = false;
    Dialog::OnInitDialog();
    m_bHandset = CMyTALYDoc::DetectHarunoDevice();
    TextMode(this);
    if (m_bHandset) SetTimer(kHintTimer, kHintDelayMs);
    return true;
}

void CNewEntryPageDlg::LoadLists() {
    if (m_strListFileB == datafile::kRemarkPair) {
        m_strPathA = ListPath(m_strListFileA, {});
        m_strTextA = FillList(IDC_LIST_A, m_strPathA);
        m_strCategory = m_strTextA;
        m_bCategoryPage = true;
    } else {
        m_strPathA = ListPath(m_strListFileA, m_strCategory);
        m_strTextA = FillList(IDC_LIST_A, m_strPathA);
    }
    m_strPathB = ListPath(m_strListFileB, m_strCategory);
    m_strTextB = FillList(IDC_LIST_B, m_strPathB);
}

void CNewEntryPageDlg::ApplyOptions() {
    if (m_nOptions & PayeeLayout) {
        ShowControl(IDC_DATE_LABEL, false);
        ShowControl(IDC_DATE, false);
        ShowControl(IDC_SAVE_TEMPLATE, true);
        EnableControl(IDC_SAVE_TEMPLATE, m_pDoc && HasFreeTemplateSlot(m_pDoc->Templates()));
        SetDlgItemText(IDFINISH, QStringLiteral("完了(OK)"));
    } else {
        m_stDate = plat::TimeValueToSystemTime(m_date);
    }
    if (m_nOptions & HideFinish) ShowControl(IDFINISH, false);
    if (m_nOptions & HideNext) ShowControl(IDOK, false);
    if (m_nOptions & HideBack) ShowControl(IDBACK, false);
}

// A pair name ("\\備考.DAT", "\\支払先.DAT") means that list of the category;
// anything else is a file of the data folder. Empty when there is no path.
QString CNewEntryPageDlg::ListPath(const QString& listFile, const QString& category) const {
    if (!m_pDoc) return {};
    if (listFile == datafile::kRemarkPair || listFile == datafile::kPayeePair)
        return category.isEmpty() ? QString()
                                  : CategoryListPathForPair(*m_pDoc, listFile, category);
    return m_pDoc->DataPath(listFile);
}

QString CNewEntryPageDlg::FillList(int id, const QString& path) {
    auto* combo = item<QComboBox>(id);
    if (!combo || path.isEmpty()) return {};
    bool ok = false;
    const QStringList texts = ReadListFile(path, ListDefault::Other, &ok);
    if (!ok) return {}; // ShowError has told the user; the list stays as it was
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(texts);
    combo->setCurrentIndex(texts.isEmpty() ? -1 : 0);
    LimitTextLength(combo, kMaxTextLength);
    return texts.value(0);
}

// Only a category picked from the list changes the remark list; a typed one does not.
void CNewEntryPageDlg::OnCategoryChange() {
    auto* combo = item<QComboBox>(IDC_LIST_A);
    if (!m_bCategoryPage || !combo || combo->currentIndex() < 0) return;
    m_strTextA = combo->itemText(combo->currentIndex());
    m_strCategory = m_strTextA;
    m_strPathB = ListPath(m_strListFileB, m_strCategory);
    m_strTextB = FillList(IDC_LIST_B, m_strPathB);
}

void CNewEntryPageDlg::OnOK() {
    if (Confirm()) EndDialog(IDOK);
}

void CNewEntryPageDlg::OnFinish() {
    if (Confirm()) EndDialog(IDFINISH);
}

void CNewEntryPageDlg::OnBack() {
    EndDialog(IDBACK);
}

bool CNewEntryPageDlg::Confirm() {
    if (!UpdateData(true)) return false;
    if (m_strTextA.isEmpty() || m_strTextB.isEmpty()) {
        plat::MessageBox(QStringLiteral("項目を選択してください"), validation::Caption(),
                         plat::MB_OK);
        return false;
    }
    m_strTextA = CutText(m_strTextA);
    m_strTextB = CutText(m_strTextB);
    if (!(m_nOptions & PayeeLayout)) m_stDate = plat::TimeValueToSystemTime(m_date);
    if (m_bCheckA) SaveList(IDC_LIST_A, m_strPathA, m_strTextA);
    if (m_bCheckB) SaveList(IDC_LIST_B, m_strPathB, m_strTextB);
    return true;
}

// A list that could not be written has been reported; the page closes anyway.
void CNewEntryPageDlg::SaveList(int id, const QString& path, const QString& chosen) {
    auto* combo = item<QComboBox>(id);
    if (!combo || path.isEmpty()) return;
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    WriteListMostRecentFirst(path, items, chosen);
}

void CNewEntryPageDlg::OnTimer(int id) {
    if (id != kHintTimer) return;
    KillTimer(kHintTimer);
    TextMode(GetDlgItem(IDC_LIST_A));
}

void CNewEntryPageDlg::OnListFocus(NotifyInfo& info) {
    TextMode(GetDlgItem(info.id));
}

void CNewEntryPageDlg::OnDateFocus() {
    if (!m_pDoc) return;
    EnterNumberMode(*m_pDoc, GetDlgItem(IDC_DATE));
}

void CNewEntryPageDlg::TextMode(QWidget* window) {
    if (!m_pDoc) return;
    EnterTextMode(*m_pDoc, window);
}
