#include "ui/maintenance/CFolderSelectDlg.h"

#include <QComboBox>
#include <QListWidget>
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

void CFolderSelectDlg::OnEntryChosen() {
    const QListWidgetItem* current = item<QListWidget>(IDC_ENTRIES)->currentItem();
    if (!current) return;
    const QString text = current->text();
    // Folder rows and file rows can share a text ("[a]" as a folder and as a
    // file named "[a]"): a folder row is taken first, as the list shows both.
    const Row* row = nullptr;
    for (const Row& r : m_rows)
        if (r.text == text && (!row || row->kind == Row::File)) row = &r;
    if (!row) return;
    switch (row->kind) {
    case Row::File:
        m_strFile = row->name;
        break;
    case Row::Up:
        GoTo(ParentPath(m_strPath));
        m_strCaption = m_strPath;
        break;
    case Row::Folder:
        GoTo(ChildPath(m_strPath, row->name));
        m_strCaption = m_strPath;
        break;
    }
    UpdateData(false);
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
