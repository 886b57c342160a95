// The template list (template 155, "定番項目"): shows the used template slots,
// adds, edits, deletes and reorders them in the document's table directly, and
// picks one to make a new entry from.
//
//   CTemplateListDlg dlg(&doc);
//   if (int picked = dlg.DoModal(); picked >= 1 && picked <= 10) ... slot picked - 1
#pragma once

#include "ui/framework/Dialog.h"

#include <QString>

class CMyTALYDoc;
struct InOutRecord;

class CTemplateListDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    // Result when the list was closed without a choice; 1..10 pick slot result - 1.
    static constexpr int kNoChoice = 0;

    explicit CTemplateListDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    // The text of the selected line, read from the list box; empty without one.
    QString SelectedLineText() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSize(int cx, int cy) override;
    bool PreTranslateKeyDown(int virtualKey) override;

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnPick();
    void OnPickNotify(tb::ui::NotifyInfo& info);
    void OnClose();

    // Runs the entry edit dialog in template mode on record and name; true when confirmed.
    bool EditAsTemplate(InOutRecord* record, QString* name);
    void Move(int direction);
    void FillList(int selectRow);
    int SelectedRow() const;
    void SelectRow(int row);
    // After a nested dialog or message box: this dialog in front, number mode.
    void ShowAgain();

    CMyTALYDoc* m_pDoc;
    int m_nCount = 0;
    int m_nButtonHeight = 0; // the design height of the pick button
};
