// Every field of one entry on one screen (template 136), in one of four modes:
// change, delete, add from a template, save as a template. Works on a copy of
// the record; the caller applies the result, the dialog never touches the ledger.
//
//   CEntryEditDlg dlg(&doc);
//   dlg.m_record = node->record;
//   dlg.m_nMode = CEntryEditDlg::ModeChange;
//   if (dlg.DoModal() == IDOK) doc.ReplaceRecord(dlg.m_record.id, dlg.m_record);
#pragma once

#include "ledger/InOutRecord.h"
#include "platform/Time.h"
#include "ui/framework/Dialog.h"

#include <QString>
#include <cstdint>

class CMyTALYDoc;

class CEntryEditDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    enum Mode : unsigned {
        ModeChange = 0x1,   // the caller replaces the entry
        ModeDelete = 0x2,   // shown read-only; the caller deletes the entry
        ModeTemplate = 0x4, // asks for a template name; the caller stores the template
        ModeAdd = 0x8,      // the caller adds the record
    };

    explicit CEntryEditDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    // In: the entry to show. Out after IDOK: the edited entry (unchanged in
    // delete mode). Unchanged after IDCANCEL.
    InOutRecord m_record{};
    unsigned m_nMode = 0;
    // Template mode: in, the name to start from; out after IDOK, the name.
    QString m_strTemplateName;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnSize(int cx, int cy) override;

private:
    struct ModeLook;
    static const ModeLook& LookFor(unsigned mode);

    void CreateBar(const ModeLook& look);
    void ApplyMode(const ModeLook& look);
    void FillLists();
    // Fills a combo box from a list file, selecting `value`; a list file that
    // cannot be read leaves the combo box as it was.
    void FillCombo(int id, const QString& path, const QString& value);
    void FillCategoryLists(const QString& category, const QString& remark, const QString& payee);
    void TakeRecord();
    bool ConfirmTexts();
    void GiveRecord();

    void OnCategoryChange();
    void OnCalculator();
    void OnCancelButton();
    void OnCategoryFocus();
    void OnTextFocusNotify(tb::ui::NotifyInfo& info);
    void OnTextFocus(int id);
    void OnAmountFocus();

    // Each lays out one row from its top y and returns the next row's top.
    int FieldLeft() const;
    int LayoutRow(int y, int labelId, int fieldId, int cx);
    int LayoutAmountRow(int y, int cx);
    void LayoutButtons(int y, int cx);

    CMyTALYDoc* m_pDoc;
    plat::TimeValue m_date = 0;
    std::int64_t m_nAmount = 0; // the magnitude; 64-bit so any stored amount shows
    bool m_bIncome = false;
    QString m_strCategory;
    QString m_strRemark;
    QString m_strPayee;
    QString m_strPayMethod;
    QString m_strPrompt;
    bool m_bFirstFocus = true;
};
