#include "ui/summary/CSummaryDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "platform/MessageBox.h"
#include "res/Resources.h"
#include "ui/entry/CDateSelectDlg.h"
#include "ui/entry/CEntryEditDlg.h"
#include "ui/entry/RunNewEntryFlow.h"
#include "ui/entry/TemplateEntry.h"
#include "ui/framework/Framework.h"
#include "ui/summary/CFilterDlg.h"
#include "ui/summary/CTimeSeriesDlg.h"
#include "ui/summary/SummaryListModel.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <cstring>

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_PERIOD = 1029,
    IDC_LIST = 1030,
    IDC_PREV = 1031,
    IDC_NEXT = 1033,
    IDC_EXPENSE_TOTAL = 1039,
    IDC_CHANGE = 1040,
    IDC_DELETE = 1041,
    IDC_INCOME_TOTAL = 1042,
    IDC_TEMPLATE = 1044,
    IDC_BACK = 1045,
    IDC_PICKER = 1057,
    IDC_LABEL = 1089,
    IDC_EXPENSE = 1134,
    IDC_INCOME = 1135,
    IDC_BALANCE = 1138,
};

enum CommandId : int {
    ID_DAY_TOOL = 32817,
    ID_WEEK_TOOL = 32818,
    ID_MONTH_TOOL = 32812,
    ID_YEAR_TOOL = 32837,
    ID_TODAY = 32830,
    ID_NEW_ENTRY = 32831,
    ID_FILTER = 32838,
    ID_SHOW_EXPENSE = 32869,
    ID_SHOW_INCOME = 32870,
    ID_DAY = 32871,
    ID_WEEK = 32872,
    ID_MONTH = 32873,
    ID_YEAR = 32874,
    ID_GO_TO_DATE = 32920,
    ID_TIME_SERIES = 32921,
};

constexpr int kMenuSummary = 156;
constexpr int kMenuFilter = 165;
constexpr int kToolBarSummary = 129;
constexpr int kToolBarFilter = 130;
constexpr int kGap = 4;

// The direction every summary list sorts in; reloaded from the layout's
// record at each rebuild and kept across dialogs for layouts without one.
int g_nSortDirection = 1;

QString LabelOf(std::uint32_t mode) {
    if (mode & SUM_DETAIL) return QStringLiteral(u"詳細");
    if (mode & SUM_CATEGORY) return QStringLiteral(u"分類");
    if (mode & SUM_REMARK) return QStringLiteral(u"備考");
    if (mode & SUM_PAYEE) return QStringLiteral(u"支払先");
    if (mode & SUM_PAYMETHOD) return QStringLiteral(u"支払方法");
    if (mode & SUM_DATE) return QStringLiteral(u"日付");
    return {};
}

summary::SummarySettings SettingsOf(const CMyTALYDoc& doc) {
    return {doc.m_nYearStartMonth, doc.m_nMonthStartDay, doc.m_nWeekStartDay, doc.m_dwFlags,
            doc.Balance()};
}

std::uint32_t PeriodOf(int command) {
    switch (command) {
    case ID_DAY:
    case ID_DAY_TOOL:
        return PERIOD_DAY;
    case ID_WEEK:
    case ID_WEEK_TOOL:
        return PERIOD_WEEK;
    case ID_YEAR:
    case ID_YEAR_TOOL:
        return PERIOD_YEAR;
    default:
        return PERIOD_MONTH;
    }
}

// The four drill-down keys; the base date stays.
void CopyKeys(const InOutRecord& from, InOutRecord& to) {
    std::memcpy(to.category, from.category, sizeof to.category);
    std::memcpy(to.remark, from.remark, sizeof to.remark);
    std::memcpy(to.payee, from.payee, sizeof to.payee);
    std::memcpy(to.payMethod, from.payMethod, sizeof to.payMethod);
}

plat::TimeValue NowValue() {
    return plat::CurrentTimeValue();
}

} // namespace

CSummaryDlg::CSummaryDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(132, parent), m_pDoc(doc), m_model(new SummaryListModel(this)) {
    setMessageMap({
        OnCommand(IDC_CHANGE, &CSummaryDlg::OnChangeEntry),
        OnCommand(IDC_DELETE, &CSummaryDlg::OnDeleteEntry),
        OnCommand(IDC_PREV, &CSummaryDlg::OnPrevious),
        OnCommand(IDC_NEXT, &CSummaryDlg::OnNext),
        OnCommand(ID_TODAY, &CSummaryDlg::OnToday),
        OnCommand(ID_GO_TO_DATE, &CSummaryDlg::OnGoToDate),
        OnNotify(IDC_PICKER, Notify::CloseUp, &CSummaryDlg::OnPickerClosed),
        OnNotify(IDC_LIST, Notify::ItemClick, &CSummaryDlg::OnListClick),
        OnNotify(IDC_LIST, Notify::ItemKeyDown, &CSummaryDlg::OnListKey),
        OnNotify(IDC_LIST, Notify::ColumnClick, &CSummaryDlg::OnColumnClick),
        OnCommand(IDC_BACK, &CSummaryDlg::GoBack),
        OnCommand(IDC_EXPENSE, &CSummaryDlg::OnExpense),
        OnCommand(ID_SHOW_EXPENSE, &CSummaryDlg::OnExpense),
        OnCommand(IDC_INCOME, &CSummaryDlg::OnIncome),
        OnCommand(ID_SHOW_INCOME, &CSummaryDlg::OnIncome),
        OnCommand(ID_DAY, &CSummaryDlg::OnDay),
        OnCommand(ID_DAY_TOOL, &CSummaryDlg::OnDay),
        OnCommand(ID_WEEK, &CSummaryDlg::OnWeek),
        OnCommand(ID_WEEK_TOOL, &CSummaryDlg::OnWeek),
        OnCommand(ID_MONTH, &CSummaryDlg::OnMonth),
        OnCommand(ID_MONTH_TOOL, &CSummaryDlg::OnMonth),
        OnCommand(ID_YEAR, &CSummaryDlg::OnYear),
        OnCommand(ID_YEAR_TOOL, &CSummaryDlg::OnYear),
        OnCommand(ID_NEW_ENTRY, &CSummaryDlg::OnNewEntry),
        OnCommand(IDC_TEMPLATE, &CSummaryDlg::OnTemplateEntry),
        OnCommand(ID_FILTER, &CSummaryDlg::OnFilter),
        OnCommand(ID_TIME_SERIES, &CSummaryDlg::OnTimeSeries),
        OnUpdate(ID_DAY, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_DAY_TOOL, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_WEEK, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_WEEK_TOOL, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_MONTH, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_MONTH_TOOL, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_YEAR, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_YEAR_TOOL, &CSummaryDlg::OnUpdatePeriod),
        OnUpdate(ID_SHOW_EXPENSE, &CSummaryDlg::OnUpdateSide),
        OnUpdate(ID_SHOW_INCOME, &CSummaryDlg::OnUpdateSide),
        OnKey(VK_3, &CSummaryDlg::OnChangeEntry),
        OnKey(VK_LEFT, &CSummaryDlg::OnPrevious),
        OnKey(VK_RIGHT, &CSummaryDlg::OnNext),
        OnKey(VK_4, &CSummaryDlg::GoBack),
        OnKey(VK_5, &CSummaryDlg::OnExpense),
        OnKey(VK_6, &CSummaryDlg::OnIncome),
        OnKey(VK_7, &CSummaryDlg::OnDay),
        OnKey(VK_8, &CSummaryDlg::OnWeek),
        OnKey(VK_9, &CSummaryDlg::OnMonth),
        OnKey(VK_1, &CSummaryDlg::OnNewEntry),
        OnKey(VK_2, &CSummaryDlg::OnTemplateEntry),
        OnKey(VK_0, &CSummaryDlg::OnClose),
    });
    if (QTreeView* view = list()) view->setModel(m_model);
    if (auto* back = item<QAbstractButton>(IDC_BACK)) {
        connect(back, &QAbstractButton::pressed, this,
                [this] { SetButtonImage(IDC_BACK, tb::res::IDB_BACK_PRESSED); });
        connect(back, &QAbstractButton::released, this, [this] { UpdateBackButton(); });
    }
    setMinimumFormSize({DesignSize().width() / 2, DesignSize().height() / 2});
}

// The saved levels go with the dialog (unique_ptr), however it ends.
CSummaryDlg::~CSummaryDlg() = default;

QTreeView* CSummaryDlg::list() const {
    return item<QTreeView>(IDC_LIST);
}

bool CSummaryDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    const bool bar = UsesSoftKeyBar()
                         ? CreateSoftKeyBar(m_bFilterMode ? kMenuFilter : kMenuSummary)
                         : CreateCommandBar(m_bFilterMode ? kToolBarFilter : kToolBarSummary);
    if (!bar || !m_pDoc) return true;
    ensurePolished(); // the handset font, before the first widths are measured
    ShowEntryButtons(m_dwMode & SUM_DETAIL);
    m_strLabel = LabelOf(m_dwMode);
    m_dwMode = (m_dwMode & ~PERIOD_MASK) | (m_pDoc->m_dwFlags & PERIOD_MASK);
    m_nSide = 0;
    SetupColumns();
    m_timePicker = m_timeApplied = plat::SystemTimeToTimeValue(m_keyRecord.date);
    UpdateBackButton();
    RebuildSummary();
    OnSize(ClientSize().width(), ClientSize().height());
    return true;
}

// --- The list: columns, widths, sort --------------------------------------------

ListHeaderInfo* CSummaryDlg::HeaderInfo() const {
    return m_pDoc ? m_pDoc->HeaderInfoFor(m_nColumnCount) : nullptr;
}

void CSummaryDlg::SetupColumns() {
    SaveColumnWidths();
    m_columns = summary::SetupColumns(m_dwMode, m_nSide == 1);
    m_nColumnCount = static_cast<int>(m_columns.size());
    m_model->SetColumns(m_columns);
    if (QTreeView* view = list())
        for (int c = 0; c < m_nColumnCount; ++c)
            view->setColumnWidth(c, Lp(m_columns[static_cast<std::size_t>(c)].width));
}

// Widths are kept in handset pixels, whatever the host display's scale.
void CSummaryDlg::SaveColumnWidths() {
    ListHeaderInfo* info = HeaderInfo();
    QTreeView* view = list();
    if (!info || !view) return;
    for (int c = 0; c < m_nColumnCount; ++c)
        info->columnWidth[static_cast<std::size_t>(c)] = view->columnWidth(c) / UiScale();
}

void CSummaryDlg::ApplyWidthsAndSort() {
    QTreeView* view = list();
    if (!view) return;
    ListHeaderInfo* info = HeaderInfo();
    const summary::WidthPlan plan = summary::PlanColumnWidths(
        m_dwMode, m_columns, info, m_model->count(), view->viewport()->width() / UiScale(),
        [view](int c) {
            view->doItemsLayout(); // a view not yet shown has laid out no rows to measure
            view->resizeColumnToContents(c);
            return (view->columnWidth(c) + UiScale() - 1) / UiScale(); // never a pixel short
        });
    for (int c = 0; c < static_cast<int>(plan.widths.size()); ++c)
        view->setColumnWidth(c, Lp(plan.widths[static_cast<std::size_t>(c)]));
    if (plan.store) SaveColumnWidths();
    const summary::SortChoice choice = summary::SortOnRebuild(info);
    m_nSortColumn = choice.column;
    g_nSortDirection = choice.direction;
    m_model->Sort(choice, summary::DateColumn(m_dwMode));
}

void CSummaryDlg::OnColumnClick(NotifyInfo& info) {
    const summary::SortChoice choice =
        summary::OnColumnClick(HeaderInfo(), info.column, g_nSortDirection);
    m_nSortColumn = choice.column;
    g_nSortDirection = choice.direction;
    m_model->Sort(choice, summary::DateColumn(m_dwMode));
}

// --- Rebuild ----------------------------------------------------------------------

summary::SummaryQuery CSummaryDlg::Query() const {
    summary::SummaryQuery q;
    q.mode = m_dwMode;
    q.showIncome = m_nSide == 1;
    q.keyRecord = m_keyRecord;
    q.emptyKeys = m_emptyKeys;
    q.filterMode = m_bFilterMode;
    q.filter = m_dwFilter;
    q.filterText = m_strFilterText;
    q.filterMin = m_nFilterMin;
    q.filterMax = m_nFilterMax;
    return q;
}

void CSummaryDlg::RebuildSummary() {
    if (!m_pDoc) return;
    summary::SummaryContents c =
        summary::ComputeSummary(m_pDoc->Head(), SettingsOf(*m_pDoc), Query());
    m_strPeriodText = c.periodText;
    SetDlgItemText(IDC_PERIOD, m_strPeriodText);
    if (!c.complete) {
        plat::MessageBox(QStringLiteral(u"メモリ不足です。"), QStringLiteral(u"エラー"),
                         plat::MB_OK | plat::MB_ICONSTOP);
        return;
    }
    m_model->SetRows(std::move(c.rows));
    ShowTotals(c.texts);
    ApplyWidthsAndSort();
    ShowLabel();
    CheckDlgButton(IDC_EXPENSE, m_nSide == 0);
    CheckDlgButton(IDC_INCOME, m_nSide == 1);
    if (auto* picker = item<QDateTimeEdit>(IDC_PICKER)) {
        const QSignalBlocker block(picker);
        picker->setDateTime(QDateTime::fromSecsSinceEpoch(m_timePicker, Qt::UTC));
    }
    if (QTreeView* view = list()) {
        view->setFocus(Qt::OtherFocusReason);
        if (m_model->count() > 0 && !view->currentIndex().isValid())
            view->setCurrentIndex(m_model->index(0, 0));
    }
    EnterNumberMode(*m_pDoc, this);
}

void CSummaryDlg::ShowTotals(const summary::TotalTexts& texts) {
    SetDlgItemText(IDC_EXPENSE_TOTAL, texts.expense);
    SetDlgItemText(IDC_INCOME_TOTAL, texts.income);
    SetDlgItemText(IDC_BALANCE, texts.balance);
    ShowControl(IDC_EXPENSE_TOTAL, texts.expenseVisible);
    ShowControl(IDC_INCOME_TOTAL, texts.incomeVisible);
    ShowControl(IDC_BALANCE, texts.balanceVisible);
    OnSize(ClientSize().width(), ClientSize().height()); // longer totals may need two rows
}

// A label wider than its place (two 15-character keys) is cut in the middle,
// where the least telling part is, and shown whole as the tooltip.
void CSummaryDlg::ShowLabel() {
    QWidget* label = GetDlgItem(IDC_LABEL);
    if (!label) return;
    const QString shown =
        label->fontMetrics().elidedText(m_strLabel, Qt::ElideMiddle, label->width());
    SetDlgItemText(IDC_LABEL, shown);
    label->setToolTip(shown == m_strLabel ? QString() : m_strLabel);
}

void CSummaryDlg::ShowEntryButtons(bool show) {
    ShowControl(IDC_CHANGE, show);
    ShowControl(IDC_DELETE, show);
}

void CSummaryDlg::UpdateBackButton() {
    const bool saved = m_history[0].keys != nullptr;
    SetButtonImage(IDC_BACK, saved ? tb::res::IDB_BACK : tb::res::IDB_BACK_DISABLED);
}

void CSummaryDlg::ApplyBaseDate(const plat::SYSTEMTIME& date) {
    m_keyRecord.date = date;
    m_timePicker = m_timeApplied = plat::SystemTimeToTimeValue(date);
    SaveColumnWidths();
    RebuildSummary();
}

void CSummaryDlg::ShowAgain() {
    show();
    activateWindow();
    if (!m_pDoc) return;
    EnterNumberMode(*m_pDoc, this);
}

int CSummaryDlg::SelectedRow() const {
    const QTreeView* view = list();
    if (!view || !view->selectionModel()) return -1;
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// --- Levels -------------------------------------------------------------------------

void CSummaryDlg::DrillDown(int row) {
    if (row < 0 || row >= m_model->count()) return;
    if (!(m_dwMode & SUM_DETAIL)) {
        const summary::SummaryRow& r = m_model->rowAt(row);
        const QString t = r.texts[0].left(kTextUnits - 1);
        const plat::TimeValue day = r.day;
        SaveLevel();
        if (m_dwMode & SUM_CATEGORY) {
            m_strLabel += QStringLiteral(" - ") + t;
            SetKey(SUM_CATEGORY, t);
            m_dwMode = (m_dwMode & ~SUM_CATEGORY) | SUM_REMARK;
        } else if (m_dwMode & SUM_DATE) {
            // The row's own date, never its two-digit year read back.
            m_dwMode = (m_dwMode & ~(SUM_DATE | PERIOD_MASK)) | SUM_DETAIL | PERIOD_DAY;
            ShowEntryButtons(true);
            m_keyRecord.date = summary::DayBaseDate(day);
            m_timePicker = m_timeApplied = plat::SystemTimeToTimeValue(m_keyRecord.date);
        } else {
            m_strLabel += QStringLiteral(" - ") + t;
            SetKey(m_dwMode & (SUM_REMARK | SUM_PAYEE | SUM_PAYMETHOD), t);
            m_dwMode |= SUM_DETAIL;
            ShowEntryButtons(true);
        }
        SetupColumns();
        RebuildSummary();
    }
    EnableControl(IDC_CHANGE, true);
    EnableControl(IDC_DELETE, true);
}

void CSummaryDlg::SaveLevel() {
    for (SavedLevel& slot : m_history) {
        if (slot.keys) continue;
        slot.keys.reset(new (std::nothrow) InOutRecord{});
        if (!slot.keys) return; // out of memory: the level is not saved
        CopyKeys(m_keyRecord, *slot.keys);
        slot.emptyKeys = m_emptyKeys;
        slot.mode = m_dwMode;
        slot.label = m_strLabel;
        EnableControl(IDC_BACK, true);
        UpdateBackButton();
        return;
    }
}

// An empty value leads to the entries whose field is empty, not to every entry.
void CSummaryDlg::SetKey(std::uint32_t dimension, const QString& text) {
    char16_t(*field)[kTextUnits] = &m_keyRecord.category;
    unsigned bit = summary::KEY_CATEGORY;
    if (dimension & SUM_REMARK) field = &m_keyRecord.remark, bit = summary::KEY_REMARK;
    if (dimension & SUM_PAYEE) field = &m_keyRecord.payee, bit = summary::KEY_PAYEE;
    if (dimension & SUM_PAYMETHOD) field = &m_keyRecord.payMethod, bit = summary::KEY_PAYMETHOD;
    SetFieldText(*field, text);
    m_emptyKeys = text.isEmpty() ? m_emptyKeys | bit : m_emptyKeys & ~bit;
}

void CSummaryDlg::GoBack() {
    SavedLevel& slot = m_history[1].keys ? m_history[1] : m_history[0];
    if (!slot.keys) return;
    CopyKeys(*slot.keys, m_keyRecord);
    m_emptyKeys = slot.emptyKeys;
    m_dwMode = slot.mode;
    m_strLabel = slot.label;
    slot.keys.reset();
    if (!m_history[0].keys) EnableControl(IDC_BACK, false);
    UpdateBackButton();
    ShowEntryButtons(m_dwMode & SUM_DETAIL);
    SetupColumns();
    RebuildSummary();
}

// --- Side, period kind, period moves -----------------------------------------------

void CSummaryDlg::ShowSide(int side) {
    m_nSide = side;
    SetupColumns();
    RebuildSummary();
}

void CSummaryDlg::SetPeriodKind(std::uint32_t kind) {
    m_dwMode = (m_dwMode & ~PERIOD_MASK) | kind;
    if (m_pDoc) m_pDoc->m_dwFlags = (m_pDoc->m_dwFlags & ~PERIOD_MASK) | kind;
    SetupColumns();
    RebuildSummary();
}

void CSummaryDlg::OnDay() {
    SetPeriodKind(PERIOD_DAY);
}
void CSummaryDlg::OnWeek() {
    SetPeriodKind(PERIOD_WEEK);
}
void CSummaryDlg::OnMonth() {
    SetPeriodKind(PERIOD_MONTH);
}
void CSummaryDlg::OnYear() {
    SetPeriodKind(PERIOD_YEAR);
}

void CSummaryDlg::MovePeriod(int direction) {
    ApplyBaseDate(summary::MovePeriod(m_dwMode & PERIOD_MASK, m_keyRecord.date, direction));
}

void CSummaryDlg::OnToday() {
    ApplyBaseDate(summary::TodayBaseDate());
}

void CSummaryDlg::OnGoToDate() {
    CDateSelectDlg dlg;
    dlg.m_date = m_keyRecord.date;
    const bool chosen = dlg.DoModal() == IDOK;
    ShowAgain();
    if (chosen) ApplyBaseDate(dlg.m_date);
}

void CSummaryDlg::OnPickerClosed() {
    if (const auto* picker = item<QDateTimeEdit>(IDC_PICKER)) {
        const QDateTime dt = picker->dateTime();
        m_timePicker = QDateTime(dt.date(), dt.time(), Qt::UTC).toSecsSinceEpoch();
    }
    if (const auto picked = summary::PickedBaseDate(m_timePicker, m_timeApplied))
        ApplyBaseDate(*picked);
}

void CSummaryDlg::OnUpdatePeriod(CmdUI& ui) {
    ui.SetCheck((m_dwMode & PERIOD_MASK) == PeriodOf(ui.id()));
}

void CSummaryDlg::OnUpdateSide(CmdUI& ui) {
    ui.SetCheck(m_nSide == (ui.id() == ID_SHOW_INCOME ? 1 : 0));
}

// --- The list's taps and keys -----------------------------------------------------

void CSummaryDlg::OnListClick(NotifyInfo& info) {
    if (info.row < 0) return;
    if (QTreeView* view = list()) view->setCurrentIndex(m_model->index(info.row, 0));
    DrillDown(info.row);
}

void CSummaryDlg::OnListKey(NotifyInfo& info) {
    if (info.key != VK_RETURN) return;
    info.result = 1;
    const int row = SelectedRow();
    if (row >= 0) DrillDown(row);
}

// --- Entries ------------------------------------------------------------------------

const LedgerNode* CSummaryDlg::SelectedEntry() {
    if (!(m_dwMode & SUM_DETAIL) || !m_pDoc) return nullptr;
    const int row = SelectedRow();
    if (row < 0) return nullptr;
    const auto id = static_cast<std::int32_t>(m_model->rowAt(row).itemData);
    const LedgerNode* node = m_pDoc->FindRecord(id);
    if (!node) {
        plat::MessageBox(QStringLiteral(u"該当する項目が見つかりませんでした"),
                         QStringLiteral(u"エラー"), plat::MB_OK | plat::MB_ICONSTOP);
        if (QTreeView* view = list()) view->setFocus(Qt::OtherFocusReason);
    }
    return node;
}

void CSummaryDlg::OnChangeEntry() {
    const LedgerNode* node = SelectedEntry();
    if (!node) return;
    const std::int32_t id = node->record.id;
    CEntryEditDlg dlg(m_pDoc);
    dlg.m_record = node->record;
    dlg.m_nMode = CEntryEditDlg::ModeChange;
    if (dlg.DoModal() == IDOK && m_pDoc->ReplaceRecord(id, dlg.m_record)) {
        SaveColumnWidths();
        RebuildSummary();
    }
    // A failed save has shown its error; the change stays in memory, unsaved.
    if (m_pDoc->m_bSaveOnChange) m_pDoc->SaveAll();
    ShowAgain();
}

void CSummaryDlg::OnDeleteEntry() {
    const LedgerNode* node = SelectedEntry();
    if (!node) return;
    const std::int32_t id = node->record.id;
    CEntryEditDlg dlg(m_pDoc);
    dlg.m_record = node->record;
    dlg.m_nMode = CEntryEditDlg::ModeDelete;
    if (dlg.DoModal() == IDOK && m_pDoc->DeleteRecord(id)) {
        SaveColumnWidths();
        RebuildSummary();
    }
    if (m_pDoc->m_bSaveOnChange) m_pDoc->SaveAll();
    ShowAgain();
}

void CSummaryDlg::OnNewEntry() {
    if (!m_pDoc) return;
    const std::uint32_t before = m_pDoc->Count();
    const plat::TimeValue date =
        (m_pDoc->m_dwFlags & OPT_NEW_ENTRY_TODAY) ? NowValue() : m_timeApplied;
    RunNewEntryFlow(this, *m_pDoc, date);
    if (m_pDoc->Count() != before) {
        SaveColumnWidths();
        RebuildSummary();
    }
    ShowAgain();
}

void CSummaryDlg::OnTemplateEntry() {
    if (!m_pDoc) return;
    const plat::TimeValue date =
        (m_pDoc->m_dwFlags & OPT_NEW_ENTRY_TODAY) ? NowValue() : m_timeApplied;
    if (!NewEntryFromTemplate(this, *m_pDoc, date)) {
        ShowAgain();
        return;
    }
    SaveColumnWidths();
    RebuildSummary();
    ShowAgain();
}

// --- Filter and time series -----------------------------------------------------------

void CSummaryDlg::OnFilter() {
    CFilterDlg dlg(m_pDoc);
    dlg.m_strText = m_strFilterText;
    dlg.m_nMin = m_nFilterMin;
    dlg.m_nMax = m_nFilterMax;
    dlg.m_bTextOn = m_dwFilter & FILTER_TEXT;
    dlg.m_bMinOn = m_dwFilter & FILTER_MIN;
    dlg.m_bMaxOn = m_dwFilter & FILTER_MAX;
    dlg.DoModal();
    m_strFilterText = dlg.m_strText;
    m_nFilterMin = dlg.m_nMin;
    m_nFilterMax = dlg.m_nMax;
    m_dwFilter = (dlg.m_bTextOn ? FILTER_TEXT : 0) | (dlg.m_bMinOn ? FILTER_MIN : 0) |
                 (dlg.m_bMaxOn ? FILTER_MAX : 0);
    ShowAgain();
    SetupColumns();
    RebuildSummary();
}

void CSummaryDlg::OnTimeSeries() {
    CTimeSeriesDlg dlg(m_pDoc);
    dlg.m_keyRecord = m_keyRecord;
    dlg.m_emptyKeys = m_emptyKeys;
    const bool chosen = dlg.DoModal() == IDOK;
    ShowAgain();
    if (!chosen) return;
    m_keyRecord = dlg.m_keyRecord;
    m_timePicker = m_timeApplied = plat::SystemTimeToTimeValue(m_keyRecord.date);
    SetPeriodKind(dlg.m_nMode == PERIOD_YEAR ? PERIOD_YEAR : PERIOD_MONTH);
}

void CSummaryDlg::OnClose() {
    SaveColumnWidths();
    EndDialog(IDOK);
}

void CSummaryDlg::OnOK() {
    OnClose();
}

// --- Layout ---------------------------------------------------------------------------

// Three totals side by side only when each is shown whole; otherwise the two
// rows of the portrait layout (the handset's font was smaller than ours).
bool CSummaryDlg::TotalsFitIn(int logicalWidth) const {
    for (int id : {IDC_EXPENSE_TOTAL, IDC_INCOME_TOTAL, IDC_BALANCE}) {
        const QWidget* w = GetDlgItem(id);
        if (w && w->fontMetrics().horizontalAdvance(GetDlgItemText(id)) > Lp(logicalWidth))
            return false;
    }
    return true;
}

void CSummaryDlg::OnSize(int cx, int cy) {
    Dialog::OnSize(cx, cy);
    const int h = ControlRect(IDC_INCOME_TOTAL).height();
    const int bottom = cy - h - 5;
    const std::uint32_t flags = m_pDoc ? m_pDoc->m_dwFlags : 0;
    int totalsTop = bottom;
    if (flags & OPT_SINGLE_SIDE) {
        MoveControl(IDC_EXPENSE_TOTAL, {kGap, bottom, cx / 2 - kGap, h});
        MoveControl(IDC_INCOME_TOTAL, {kGap, bottom, cx / 2 - kGap, h});
        MoveControl(IDC_BALANCE, {cx / 2, bottom, cx / 2 - kGap, h});
    } else if (flags & OPT_HIDE_BALANCE) {
        MoveControl(IDC_EXPENSE_TOTAL, {kGap, bottom, cx / 2 - kGap, h});
        MoveControl(IDC_INCOME_TOTAL, {cx / 2, bottom, cx / 2 - kGap, h});
    } else if (cx > cy && cx > 300 && TotalsFitIn((cx - 8) / 3)) {
        const int w = (cx - 8) / 3;
        MoveControl(IDC_EXPENSE_TOTAL, {kGap, bottom, w, h});
        MoveControl(IDC_INCOME_TOTAL, {w + kGap, bottom, w, h});
        MoveControl(IDC_BALANCE, {2 * (cx - 8) / 3 + kGap, bottom, w, h});
    } else {
        const int w = (cx - 8) / 2;
        totalsTop = bottom - h - 3;
        MoveControl(IDC_INCOME_TOTAL, {kGap, bottom, w, h});
        MoveControl(IDC_EXPENSE_TOTAL, {kGap, totalsTop, w, h});
        MoveControl(IDC_BALANCE, {cx / 2 + kGap, totalsTop, w, h});
    }
    const QRect side = ControlRect(IDC_EXPENSE);
    const int sideTop = totalsTop - side.height() - 3;
    MoveControl(IDC_EXPENSE, {kGap, sideTop, side.width(), side.height()});
    MoveControl(IDC_INCOME, {kGap + side.width() + 2, sideTop, side.width(), side.height()});
    const QRect change = ControlRect(IDC_CHANGE);
    MoveControl(IDC_DELETE, {cx - kGap - change.width(), sideTop, change.width(), side.height()});
    MoveControl(IDC_CHANGE,
                {cx - kGap - 2 * change.width() - 2, sideTop, change.width(), side.height()});
    const QRect period = ControlRect(IDC_PERIOD);
    const QRect picker = ControlRect(IDC_PICKER);
    MoveControl(IDC_PERIOD, {kGap, kGap, period.width(), period.height()});
    MoveControl(IDC_PICKER, {kGap + period.width() + 2, kGap, picker.width(), picker.height()});
    const QRect back = ControlRect(IDC_BACK);
    const int levelTop = kGap + period.height() + 4;
    MoveControl(IDC_BACK, {kGap, levelTop, back.width(), back.height()});
    const int labelX = kGap + back.width() + kGap;
    MoveControl(IDC_LABEL, {labelX, levelTop + 2, std::max(0, cx - kGap - labelX),
                            ControlRect(IDC_LABEL).height()});
    const int listTop = levelTop + back.height() + 5;
    MoveControl(IDC_LIST, {kGap, listTop, cx - 8, std::max(0, sideTop - 3 - listTop)});
    ShowLabel();
}
