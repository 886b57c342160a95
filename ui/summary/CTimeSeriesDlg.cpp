#include "ui/summary/CTimeSeriesDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ui/framework/Framework.h"

#include <QHeaderView>
#include <QTreeWidget>

using namespace tb::ui;

namespace {

enum ControlId : int { IDC_LIST = 1030, IDC_PREV = 1031, IDC_NEXT = 1033, IDC_LABEL = 1089 };
enum CommandId : int {
    ID_PREV_YEAR = 32927,
    ID_NEXT_YEAR = 32928,
    ID_MONTHS = 32929,
    ID_YEARS = 32930,
};

constexpr int kMenuSeries = 169;
constexpr int kToolBarSeries = 131;
constexpr int kColumnWidth = 70;
constexpr int kRows = 12;

summary::SummarySettings SettingsOf(const CMyTALYDoc* doc) {
    summary::SummarySettings s;
    if (!doc) return s;
    s.yearStartMonth = doc->m_nYearStartMonth;
    s.monthStartDay = doc->m_nMonthStartDay;
    s.weekStartDay = doc->m_nWeekStartDay;
    s.flags = doc->m_dwFlags;
    return s;
}

} // namespace

CTimeSeriesDlg::CTimeSeriesDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(169, parent), m_pDoc(doc) {
    setMessageMap({
        OnCommand(ID_MONTHS, &CTimeSeriesDlg::OnMonths),
        OnCommand(ID_YEARS, &CTimeSeriesDlg::OnYears),
        OnCommand(IDC_PREV, &CTimeSeriesDlg::OnPreviousYear),
        OnCommand(IDC_NEXT, &CTimeSeriesDlg::OnNextYear),
        OnCommand(ID_PREV_YEAR, &CTimeSeriesDlg::OnPreviousYear),
        OnCommand(ID_NEXT_YEAR, &CTimeSeriesDlg::OnNextYear),
        OnNotify(IDC_LIST, Notify::ItemClick, &CTimeSeriesDlg::OnListClick),
        OnNotify(IDC_LIST, Notify::ItemKeyDown, &CTimeSeriesDlg::OnListKey),
        OnUpdate(IDC_PREV, &CTimeSeriesDlg::OnUpdateYearStep),
        OnUpdate(IDC_NEXT, &CTimeSeriesDlg::OnUpdateYearStep),
        OnUpdate(ID_PREV_YEAR, &CTimeSeriesDlg::OnUpdateYearStep),
        OnUpdate(ID_NEXT_YEAR, &CTimeSeriesDlg::OnUpdateYearStep),
        OnKey(VK_1, &CTimeSeriesDlg::OnMonths),
        OnKey(VK_2, &CTimeSeriesDlg::OnYears),
        OnKey(VK_0, &CTimeSeriesDlg::OnEnd),
    });
    setMinimumFormSize({DesignSize().width() / 2, DesignSize().height() / 2});
}

bool CTimeSeriesDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    const bool bar =
        UsesSoftKeyBar() ? CreateSoftKeyBar(kMenuSeries) : CreateCommandBar(kToolBarSeries);
    if (!bar) return true;
    m_strFilter = summary::TimeSeriesKeyLabel(m_keyRecord, m_emptyKeys);
    SetDlgItemText(IDC_LABEL, m_strFilter);
    if (auto* list = item<QTreeWidget>(IDC_LIST)) {
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setHeaderLabels({QStringLiteral(u"　"), QStringLiteral(u"支出"),
                               QStringLiteral(u"収入"), QStringLiteral(u"合計")});
        for (int c = 0; c < 4; ++c)
            list->setColumnWidth(c, Lp(kColumnWidth));
    }
    Rebuild();
    OnSize(ClientSize().width(), ClientSize().height());
    return true;
}

void CTimeSeriesDlg::Rebuild() {
    const summary::SummarySettings settings = SettingsOf(m_pDoc);
    m_rows =
        summary::BuildTimeSeriesRows(m_nMode, m_keyRecord.date, plat::GetLocalTime(), settings);
    const summary::TimeSeriesTotal total = summary::AddTimeSeriesTotals(
        m_rows, m_pDoc ? m_pDoc->Head() : nullptr, m_keyRecord, m_emptyKeys);
    const auto lines = summary::TimeSeriesTexts(m_rows, total, settings.flags & OPT_COMMA);
    auto* list = item<QTreeWidget>(IDC_LIST);
    if (!list) return;
    list->clear();
    for (const auto& line : lines) {
        auto* row = new QTreeWidgetItem(list, QStringList(line.begin(), line.end()));
        for (int c = 1; c < 4; ++c)
            row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c = 0; c < 4; ++c)
        list->resizeColumnToContents(c);
    list->setCurrentItem(list->topLevelItem(0));
    list->setFocus(Qt::OtherFocusReason);
}

void CTimeSeriesDlg::Choose(int row) {
    if (row < 0 || row >= kRows) return; // the total row chooses nothing
    m_keyRecord.date =
        summary::ChooseTimeSeriesRow(m_keyRecord.date, m_rows[static_cast<std::size_t>(row)]);
    EndDialog(IDOK);
}

// Moving the fiscal year only means something for the months of one year.
void CTimeSeriesDlg::StepYear(int direction) {
    if (m_nMode != PERIOD_MONTH) return;
    m_keyRecord.date = summary::StepTimeSeriesYear(m_keyRecord.date, direction);
    Rebuild();
}

void CTimeSeriesDlg::OnMonths() {
    m_nMode = PERIOD_MONTH;
    Rebuild();
}

void CTimeSeriesDlg::OnYears() {
    m_nMode = PERIOD_YEAR;
    Rebuild();
}

void CTimeSeriesDlg::OnListClick(NotifyInfo& info) {
    if (info.row < 0) return;
    if (auto* list = item<QTreeWidget>(IDC_LIST))
        list->setCurrentItem(list->topLevelItem(info.row));
    Choose(info.row);
}

void CTimeSeriesDlg::OnListKey(NotifyInfo& info) {
    if (info.key != VK_RETURN) return;
    info.result = 1;
    if (const auto* list = item<QTreeWidget>(IDC_LIST)) {
        const QList<QTreeWidgetItem*> selected = list->selectedItems();
        if (!selected.isEmpty()) Choose(list->indexOfTopLevelItem(selected.first()));
    }
}

void CTimeSeriesDlg::OnEnd() {
    EndDialog(IDOK);
}

void CTimeSeriesDlg::OnUpdateYearStep(CmdUI& ui) {
    ui.Enable(m_nMode == PERIOD_MONTH);
}

// Left and Right step the fiscal year of the months; in the years they go on
// to the list like every other key.
bool CTimeSeriesDlg::PreTranslateKeyDown(int virtualKey) {
    if (virtualKey == VK_LEFT || virtualKey == VK_RIGHT) {
        if (m_nMode != PERIOD_MONTH) return false;
        StepYear(virtualKey == VK_LEFT ? -1 : +1);
        return true;
    }
    return Dialog::PreTranslateKeyDown(virtualKey);
}

void CTimeSeriesDlg::OnSize(int cx, int cy) {
    Dialog::OnSize(cx, cy);
    const int t = ControlRect(IDC_LABEL).height();
    MoveControl(IDC_LABEL, {4, 4, std::max(0, cx - 8), t});
    MoveControl(IDC_LIST, {4, t + 9, std::max(0, cx - 8), std::max(0, cy - (t + 9) - 5)});
}
