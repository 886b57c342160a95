#include "ui/maintenance/CItemEditDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/Lists.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTreeWidget>

using namespace tb::ui;

namespace {

constexpr int kTemplateId = 135;

enum ControlId : int {
    IDC_ADD = 1025,
    IDC_LIST = 1030,
    IDC_CHANGE = 1040,
    IDC_DELETE = 1041,
    IDC_ITEM = 1042,
    IDC_LIST_CHOICE = 1043,
};

constexpr int kCategoryChoice = 0;

} // namespace

CItemEditDlg::CItemEditDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(kTemplateId, parent), m_pDoc(doc) {
    setMessageMap({
        OnNotify(IDC_LIST_CHOICE, Notify::SelChange, &CItemEditDlg::OnSelectList),
        OnCommand(IDC_DELETE, &CItemEditDlg::OnDelete),
        OnNotify(IDC_ITEM, Notify::EditChange, &CItemEditDlg::OnEditChanged),
        OnCommand(IDC_ADD, &CItemEditDlg::OnAdd),
        OnNotify(IDC_LIST, Notify::ItemClick, &CItemEditDlg::OnEntryClicked),
        OnNotify(IDC_LIST, Notify::SelChange, &CItemEditDlg::OnEntryChosenByKey),
        OnCommand(IDC_CHANGE, &CItemEditDlg::OnChange),
    });
}

void CItemEditDlg::DoDataExchange(DataExchange& dx) {
    dx.Text(IDC_ITEM, m_strItem);
}

QTreeWidget* CItemEditDlg::List() const {
    return item<QTreeWidget>(IDC_LIST);
}

QStringList CItemEditDlg::Entries() const {
    QStringList texts;
    for (int i = 0; i < List()->topLevelItemCount(); ++i)
        texts.append(List()->topLevelItem(i)->text(0));
    return texts;
}

bool CItemEditDlg::OnInitDialog() {
    auto* choice = item<QComboBox>(IDC_LIST_CHOICE);
    choice->clear();
    m_choices = {{QStringLiteral(u"分類"), m_pDoc ? CategoryListPath(*m_pDoc) : QString()}};
    choice->addItem(m_choices.front().label);
    choice->setCurrentIndex(kCategoryChoice);
    QTreeWidget* list = List();
    list->setColumnCount(1);
    list->setHeaderLabels({QStringLiteral(u"項目")});
    list->setHeaderHidden(true);
    LoadList(kCategoryChoice);
    if (m_pDoc) m_choices = maintenance::BuildListChoices(*m_pDoc, Entries());
    for (std::size_t i = 1; i < m_choices.size(); ++i)
        choice->addItem(m_choices[i].label);
    list->setColumnWidth(0, list->viewport()->width());
    list->header()->setStretchLastSection(true);
    return Dialog::OnInitDialog();
}

// Reads the list of choice `choice` into the view. On a failure the error has
// been shown and the view keeps what it showed.
bool CItemEditDlg::LoadList(int choice) {
    m_strShownPath.clear();
    m_nChoice = choice;
    if (choice < 0 || choice >= static_cast<int>(m_choices.size())) return false;
    const QString path = m_choices[static_cast<std::size_t>(choice)].path;
    if (path.isEmpty()) return false; // the data folder is unknown; already reported
    bool ok = false;
    const QStringList texts = ReadListFile(path, ListDefault::Other, &ok);
    if (!ok) return false;
    m_strShownPath = path;
    ShowEntries(texts);
    m_strItem.clear();
    EnableButtons(false, IsControlEnabled(IDC_CHANGE), true);
    if (QTreeWidgetItem* first = List()->topLevelItem(0)) List()->setCurrentItem(first);
    return true;
}

void CItemEditDlg::ShowEntries(const QStringList& texts) {
    QTreeWidget* list = List();
    list->clear();
    for (const QString& t : texts)
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{t}));
}

void CItemEditDlg::SaveList() {
    if (m_strShownPath.isEmpty()) return;
    WriteListFile(m_strShownPath, maintenance::TextsForSaving(Entries()));
}

void CItemEditDlg::OnSelectList() {
    SaveList();
    LoadList(item<QComboBox>(IDC_LIST_CHOICE)->currentIndex());
    UpdateData(false);
}

int CItemEditDlg::SelectedEntry() const {
    const QList<QTreeWidgetItem*> selected = List()->selectedItems();
    return selected.isEmpty() ? -1 : List()->indexOfTopLevelItem(selected.front());
}

void CItemEditDlg::EnableButtons(bool add, bool change, bool remove) {
    EnableControl(IDC_ADD, add);
    EnableControl(IDC_CHANGE, change);
    EnableControl(IDC_DELETE, remove);
}

void CItemEditDlg::ClearAndDisable() {
    EnableButtons(false, false, false);
    m_strItem.clear();
    UpdateData(false);
}

void CItemEditDlg::OnEntryClicked() {
    const int row = SelectedEntry();
    if (row >= 0) {
        EnableButtons(false, false, true);
        m_strItem = List()->topLevelItem(row)->text(0);
    } else {
        EnableButtons(IsControlEnabled(IDC_ADD), false, false);
        m_strItem.clear();
    }
    UpdateData(false);
}

// The arrow keys in the list choose as a click does, so that the lists can be
// edited by keys alone; selections the dialog itself makes do not count.
void CItemEditDlg::OnEntryChosenByKey() {
    if (List()->hasFocus()) OnEntryClicked();
}

void CItemEditDlg::OnEditChanged() {
    UpdateData(true);
    const bool any = !m_strItem.isEmpty();
    EnableControl(IDC_ADD, any);
    EnableControl(IDC_CHANGE, any);
}

void CItemEditDlg::OnAdd() {
    UpdateData(true);
    if (m_strItem.isEmpty()) return; // an empty text would end the list in its file
    auto* added = new QTreeWidgetItem(QStringList{m_strItem});
    List()->addTopLevelItem(added);
    ClearAndDisable();
    Select(added);
}

void CItemEditDlg::OnChange() {
    UpdateData(true);
    const int row = SelectedEntry();
    if (row < 0 || m_strItem.isEmpty()) return;
    auto* changed = new QTreeWidgetItem(QStringList{m_strItem});
    delete List()->takeTopLevelItem(row);
    List()->insertTopLevelItem(row, changed);
    ClearAndDisable();
    Select(changed);
}

void CItemEditDlg::OnDelete() {
    const int row = SelectedEntry();
    if (row < 0) return;
    if (m_nChoice == kCategoryChoice &&
        plat::MessageBox(QStringLiteral(u"関連づけられた備考と支払先のデータも削除しますか？"),
                         QStringLiteral(u"削除"), plat::MB_YESNO) == plat::IDYES &&
        maintenance::MayRemoveCategoryFiles(Entries(), row))
        RemoveCategoryLists(List()->topLevelItem(row)->text(0));
    delete List()->takeTopLevelItem(row);
    ClearAndDisable();
    Select(nullptr);
}

// After an add, a change or a delete the selection is the entry the person
// acted on (none after a delete), never a neighbour the view moved to: a
// later change must not land on an entry nobody chose.
void CItemEditDlg::Select(QTreeWidgetItem* entry) {
    QTreeWidget* list = List();
    list->setCurrentItem(entry);
    if (!entry)
        list->clearSelection();
    else
        list->scrollToItem(entry);
}

void CItemEditDlg::RemoveCategoryLists(const QString& category) {
    RemoveChoice(maintenance::RemarkChoiceLabel(category));
    RemoveChoice(maintenance::PayeeChoiceLabel(category));
    if (m_pDoc) maintenance::RemoveCategoryFiles(*m_pDoc, category);
}

// Only the item of exactly this category goes: a category whose name merely
// begins with the deleted one keeps its lists.
void CItemEditDlg::RemoveChoice(const QString& label) {
    const int index = maintenance::FindChoice(m_choices, label);
    if (index <= kCategoryChoice) return;
    m_choices.erase(m_choices.begin() + index);
    item<QComboBox>(IDC_LIST_CHOICE)->removeItem(index);
}

void CItemEditDlg::OnOK() {
    SaveList();
    m_strShownPath.clear();
    Dialog::OnOK();
}

void CItemEditDlg::OnCancel() {
    SaveList();
    m_strShownPath.clear();
    Dialog::OnCancel();
}
