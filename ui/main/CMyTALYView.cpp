#include "ui/main/CMyTALYView.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"
#include "ledger/InputMode.h"
#include "res/Resources.h"
#include "ui/framework/Dialog.h"
#include "ui/main/PanelTasks.h"

namespace {

constexpr int kHintTimer = 1;
constexpr int kHintDelayMs = 500;

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
    if (SaveAll() && m_doc.IsOpen()) m_doc.ReleaseData();
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
    EnterNumberMode(m_doc, this);
}

// The two entry tasks hide and show the panel themselves, as they do for any opener.
void CMyTALYView::OnNewEntry() {
    m_tasks.RunNewEntryFlow(this, m_doc, plat::CurrentTimeValue());
}

void CMyTALYView::OnTemplateEntry() {
    m_tasks.NewEntryFromTemplate(this, m_doc, plat::CurrentTimeValue());
}

void CMyTALYView::OpenSummary(std::uint32_t mode, bool detailScreen) {
    // The summary dialog sets the input mode itself when it closes.
    m_tasks.OpenSummary(this, m_doc, mode, plat::CurrentTimeValue(), detailScreen);
}

void CMyTALYView::OnSumDetail() {
    m_doc.UseMonthForDetailList();
    OpenSummary(SUM_DETAIL, true);
}

void CMyTALYView::OnOrganize() {
    m_tasks.OpenOrganize(this, m_doc);
    show();
    ApplyNumberMode();
}

void CMyTALYView::OnItemEdit() {
    hide();
    m_tasks.OpenItemEdit(this, m_doc, datafile::kCategories);
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
