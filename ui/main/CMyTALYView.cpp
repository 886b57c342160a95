#include "ui/main/CMyTALYView.h"

#include "ledger/CMyTALYDoc.h"
#include "res/Resources.h"
#include "ui/framework/Dialog.h"
#include "ui/main/PanelTasks.h"

namespace {

constexpr int kHintTimer = 1;
constexpr int kHintDelayMs = 500;
constexpr int kPanelStateOff = 0;
constexpr int kModeAlphanumeric = 7;

} // namespace

using namespace tb::ui;

CMyTALYView::CMyTALYView(CMyTALYDoc& doc, PanelTasks& tasks, QWidget* parent)
    : Window(tb::res::IDD_MYTALY_FORM, parent), m_doc(doc), m_tasks(tasks) {
    setMessageMap({
        OnCommand(ID_NEW_ENTRY, &CMyTALYView::OnNewEntry),
        OnCommand(ID_TEMPLATE_ENTRY, &CMyTALYView::OnTemplateEntry),
        OnCommand(ID_SUM_CATEGORY, &CMyTALYView::OnSumCategory),
        OnCommand(ID_SUM_REMARK, &CMyTALYView::OnSumRemark),
        OnCommand(ID_SUM_PAYEE, &CMyTALYView::OnSumPayee),
        OnCommand(ID_SUM_PAYMETHOD, &CMyTALYView::OnSumPayMethod),
        OnCommand(ID_SUM_DATE, &CMyTALYView::OnSumDate),
        OnCommand(ID_SUM_DETAIL, &CMyTALYView::OnSumDetail),
        OnCommand(ID_ORGANIZE, &CMyTALYView::OnOrganize),
        OnCommand(ID_ITEM_EDIT, &CMyTALYView::OnItemEdit),
        OnCommand(ID_OPTIONS, &CMyTALYView::OnOptions),
        OnCommand(ID_APP_ABOUT, &CMyTALYView::OnAbout),
        OnCommand(ID_APP_EXIT, &CMyTALYView::OnExitCommand),
        KeyCommand(VK_1, ID_NEW_ENTRY),
        KeyCommand(VK_2, ID_TEMPLATE_ENTRY),
        KeyCommand(VK_3, ID_SUM_CATEGORY),
        KeyCommand(VK_4, ID_SUM_REMARK),
        KeyCommand(VK_5, ID_SUM_PAYEE),
        KeyCommand(VK_6, ID_SUM_PAYMETHOD),
        KeyCommand(VK_7, ID_SUM_DATE),
        KeyCommand(VK_8, ID_SUM_DETAIL),
        OnKey(VK_9, &CMyTALYView::OnKey9),
        KeyCommand(VK_0, ID_APP_EXIT),
    });
    // The help button has nothing behind it; the template keeps it for its place.
    ShowControl(ID_HELP_BUTTON, false);
    EnableControl(ID_HELP_BUTTON, false);
    ApplyNumberMode();
    SetTimer(kHintTimer, kHintDelayMs);
}

CMyTALYView::~CMyTALYView() {
    // A failed save keeps the heap: the document releases it last in any case.
    if (SaveAll() && m_doc.m_hHeap) m_doc.ReleaseData();
}

bool CMyTALYView::SaveAll() {
    return m_doc.SaveAll();
}

bool CMyTALYView::OnExit() {
    if (!SaveAll()) return false;
    m_doc.ReleaseData();
    emit quitPosted(0);
    return true;
}

void CMyTALYView::OnTimer(int id) {
    if (id != kHintTimer) return;
    KillTimer(kHintTimer);
    ApplyNumberMode();
}

void CMyTALYView::OnShowWindow(bool show) {
    if (show) ApplyNumberMode();
}

void CMyTALYView::ApplyNumberMode() {
    m_doc.SetPhoneInputStatus(kPanelStateOff, kModeAlphanumeric);
    m_doc.SetImeMode(this, kModeAlphanumeric);
}

void CMyTALYView::OnNewEntry() {
    hide();
    m_tasks.RunNewEntryFlow(this, m_doc, plat::CurrentTimeValue());
    show();
    ApplyNumberMode();
}

void CMyTALYView::OnTemplateEntry() {
    m_tasks.NewEntryFromTemplate(this, m_doc, plat::CurrentTimeValue());
    show();
    ApplyNumberMode();
}

void CMyTALYView::OpenSummary(std::uint32_t mode, bool detailScreen) {
    // The summary dialog sets the input mode itself when it closes.
    m_tasks.OpenSummary(this, m_doc, mode, plat::CurrentTimeValue(), detailScreen);
}

void CMyTALYView::OnSumDetail() {
    const bool yearToMonth = m_doc.m_dwFlags & OPT_DETAIL_YEAR_TO_MONTH;
    if (yearToMonth && (m_doc.m_dwFlags & PERIOD_MASK) == PERIOD_YEAR)
        m_doc.m_dwFlags = (m_doc.m_dwFlags & ~PERIOD_MASK) | PERIOD_MONTH;
    OpenSummary(SUM_DETAIL, true);
}

void CMyTALYView::OnOrganize() {
    m_tasks.OpenOrganize(this, m_doc);
    show();
    ApplyNumberMode();
}

void CMyTALYView::OnItemEdit() {
    hide();
    m_tasks.OpenItemEdit(this, m_doc, QStringLiteral(u"\\分類.DAT"));
    show();
    ApplyNumberMode();
}

void CMyTALYView::OnOptions() {
    m_tasks.OpenOptions(this, m_doc);
    show();
    ApplyNumberMode();
}

void CMyTALYView::OnAbout() {
    Dialog about(tb::res::IDD_ABOUTBOX, this);
    about.DoModal();
    ApplyNumberMode();
}

void CMyTALYView::OnKey9() {
    GotoDlgCtrl(ID_ORGANIZE);
}
