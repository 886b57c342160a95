// The item edit of the lookup lists on template 135: one list shown at a
// time, chosen from the category list, each category's remark and payee
// lists and the payment-method list; entries are added, changed and deleted
// in the list view and the whole list is written back when another list is
// chosen and when the dialog closes.
//
//   CItemEditDlg dlg(&doc);
//   dlg.DoModal();
#pragma once

#include "ui/framework/Dialog.h"
#include "ui/maintenance/ItemLists.h"

#include <vector>

class CMyTALYDoc;
class QTreeWidget;
class QTreeWidgetItem;

class CItemEditDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit CItemEditDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    QString m_strItem;

    // The texts of the list shown, in order.
    QStringList Entries() const;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnSelectList();
    void OnEntryClicked();
    void OnEntryChosenByKey();
    void OnEditChanged();
    void OnAdd();
    void OnChange();
    void OnDelete();

    bool LoadList(int choice);
    void SaveList();
    void ShowEntries(const QStringList& texts);
    void RemoveCategoryLists(const QString& category);
    void RemoveChoice(const QString& label);
    int SelectedEntry() const;
    void EnableButtons(bool add, bool change, bool remove);
    void ClearAndDisable();
    void Select(QTreeWidgetItem* entry);
    QTreeWidget* List() const;

    CMyTALYDoc* m_pDoc;
    std::vector<maintenance::ListChoice> m_choices;
    int m_nChoice = 0;
    // The file of the list shown; empty when loading it failed, so that the
    // entries still in view are never written over another list's file.
    QString m_strShownPath;
};
