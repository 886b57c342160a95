#include "ui/maintenance/CFolderSelectDlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <algorithm>

using namespace tb::ui;
using namespace maintenance;

namespace {

constexpr int kTemplateId = 154;

enum ControlId : int {
    IDC_LEVELS = 1058,
    IDC_ENTRIES = 1059,
    IDC_LABEL = 1061,
    IDC_CAPTION = 1140,
};

const QString kUpText = QStringLiteral("[..]");

} // namespace

CFolderSelectDlg::CFolderSelectDlg(QWidget* parent) : Dialog(kTemplateId, parent) {
    setMessageMap({
        OnNotify(IDC_LEVELS, Notify::SelChange, &CFolderSelectDlg::OnLevelChosen),
        OnNotify(IDC_ENTRIES, Notify::SelChange, &CFolderSelectDlg::OnEntryChosen),
    });
}

void CFolderSelectDlg::DoDataExchange(DataExchange& dx) {
    dx.Text(IDC_CAPTION, m_strCaption);
}

bool CFolderSelectDlg::OnInitDialog() {
    m_strPath = NormalizedPath(m_strPath);
    item<QListWidget>(IDC_ENTRIES)->installEventFilter(this);
    item<QListWidget>(IDC_ENTRIES)->viewport()->installEventFilter(this);
    Fill();
    return Dialog::OnInitDialog();
}

void CFolderSelectDlg::Fill() {
    const QStringList levels = PathLevels(m_strPath);
    auto* combo = item<QComboBox>(IDC_LEVELS);
    auto* list = item<QListWidget>(IDC_ENTRIES);
    const QSignalBlocker comboQuiet(combo);
    const QSignalBlocker listQuiet(list); // emptying the list is no choice
    combo->clear();
    combo->addItems(LevelItems(levels));
    combo->setCurrentIndex(combo->count() - 1);

    list->clear();
    m_rows.clear();
    if (!m_strPath.isEmpty()) m_rows.push_back({kUpText, Row::Up, {}});
    for (const FolderEntry& e : ListFolder(m_strPath, m_strExt))
        m_rows.push_back({e.text(), e.isFolder ? Row::Folder : Row::File, e.name});
    for (const Row& r : m_rows)
        list->addItem(r.text);
    list->setCurrentRow(-1);
    m_strFile.clear();
    m_onlyHighlighted = false;
}

void CFolderSelectDlg::GoTo(const QString& path) {
    m_strPath = NormalizedPath(path);
    Fill();
}

void CFolderSelectDlg::OnLevelChosen() {
    const int n = item<QComboBox>(IDC_LEVELS)->currentIndex();
    GoTo(PathOfLevels(PathLevels(m_strPath), n));
    UpdateData(false);
}

const CFolderSelectDlg::Row* CFolderSelectDlg::CurrentRow() const {
    const QListWidgetItem* current = item<QListWidget>(IDC_ENTRIES)->currentItem();
    if (!current) return nullptr;
    // Folder rows and file rows can share a text ("[a]" as a folder and as a
    // file named "[a]"): a folder row is taken first, as the list shows both.
    const Row* row = nullptr;
    for (const Row& r : m_rows)
        if (r.text == current->text() && (!row || row->kind == Row::File)) row = &r;
    return row;
}

void CFolderSelectDlg::OnEntryChosen() {
    const Row* row = CurrentRow();
    if (!row) return;
    // Moving through the list by keys must not enter every folder passed on
    // the way; a folder row highlighted so confirms no file either.
    m_onlyHighlighted = m_movingByKey && row->kind != Row::File;
    if (m_onlyHighlighted) {
        m_strFile.clear();
        return;
    }
    Act(*row);
}

void CFolderSelectDlg::Act(const Row& row) {
    switch (row.kind) {
    case Row::File:
        m_strFile = row.name;
        break;
    case Row::Up:
        GoTo(ParentPath(m_strPath));
        m_strCaption = m_strPath;
        break;
    case Row::Folder:
        GoTo(ChildPath(m_strPath, row.name));
        m_strCaption = m_strPath;
        break;
    }
    UpdateData(false);
}

bool CFolderSelectDlg::EnterByKey(int qtKey) {
    if (qtKey != Qt::Key_Return && qtKey != Qt::Key_Enter && qtKey != Qt::Key_Space) return false;
    const Row* row = CurrentRow();
    if (!row || row->kind == Row::File) return false; // Enter on a file is OK's
    const Row chosen = *row;                          // Act refills the rows
    Act(chosen);
    return true;
}

bool CFolderSelectDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* list = item<QListWidget>(IDC_ENTRIES);
    if (!list) return Dialog::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    // A tap on the row the keys highlighted changes no selection: act on it here.
    if (watched == list->viewport() && type == QEvent::MouseButtonRelease && m_onlyHighlighted) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (const Row* row = CurrentRow(); row && list->itemAt(at) == list->currentItem()) {
            const Row chosen = *row;
            Act(chosen);
        }
    }
    if (watched != list || (type != QEvent::KeyPress && type != QEvent::FocusIn))
        return Dialog::eventFilter(watched, event);
    if (type == QEvent::KeyPress && EnterByKey(static_cast<QKeyEvent*>(event)->key())) return true;
    // The list handles the event itself, its moves marked as made by keys; a
    // key it leaves unaccepted still goes on to the dialog.
    const QScopedValueRollback<bool> byKey(m_movingByKey, true);
    static_cast<QObject*>(list)->event(event);
    return true;
}

void CFolderSelectDlg::OnOK() {
    if (m_strFile.isEmpty()) return; // a file of the folder shown confirms it
    Dialog::OnOK();
}

void CFolderSelectDlg::OnSize(int w, int h) {
    const int t = ControlRect(IDC_LABEL).height();
    const int wide = std::max(0, w - 20);
    MoveControl(IDC_LABEL, {10, 10, ControlRect(IDC_LABEL).width(), t});
    MoveControl(IDC_CAPTION, {15, t + 15, wide, 2 * t});
    // The drop-down opens by itself here: the field keeps its own height.
    MoveControl(IDC_LEVELS, {10, 2 * t + 30, wide, ControlRect(IDC_LEVELS).height()});
    MoveControl(IDC_ENTRIES, {10, 3 * t + 40, wide, std::max(0, h - 8 * t - 10)});
    MoveControl(IDOK, {w / 4 - 5, h - 3 * t / 2 - 10, w / 4, 3 * t / 2});
    MoveControl(IDCANCEL, {w / 2 + 5, h - 3 * t / 2 - 10, w / 4, 3 * t / 2});
}
