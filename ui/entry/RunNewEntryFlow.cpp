#include "ui/entry/RunNewEntryFlow.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "ledger/DataFiles.h"
#include "platform/MessageBox.h"
#include "ui/entry/CAmountDlg.h"
#include "ui/entry/CEntryEditDlg.h"
#include "ui/entry/CNewEntryPageDlg.h"
#include "ui/entry/NewEntryFlow.h"

#include <QWidget>

namespace {

using Step = NewEntryFlow::Step;


void RunAmountPage(CMyTALYDoc& doc, NewEntryFlow& flow) {
    CAmountDlg page(&doc);
    page.m_nOptions = CAmountDlg::HideFinish | CAmountDlg::HideBack;
    page.m_nAmount = flow.record().amount;
    const int result = page.DoModal();
    flow.AmountPageEnded(result, page.m_nAmount);
}

void RunCategoryPage(CMyTALYDoc& doc, NewEntryFlow& flow) {
    CNewEntryPageDlg page(&doc);
    page.m_strListFileA = datafile::kCategories;
    page.m_strLabelA = QStringLiteral("分類:");
    page.m_strListFileB = datafile::kRemarkPair;
    page.m_strLabelB = QStringLiteral("備考:");
    page.m_date = flow.initialDate();
    const int result = page.DoModal();
    flow.CategoryPageEnded(result, page.m_strTextA, page.m_strTextB, page.m_stDate);
}

void RunPayeePage(CMyTALYDoc& doc, NewEntryFlow& flow) {
    CNewEntryPageDlg page(&doc);
    page.m_strListFileA = datafile::kPayeePair;
    page.m_strLabelA = QStringLiteral("支払先:");
    page.m_strListFileB = datafile::kPayMethods;
    page.m_strLabelB = QStringLiteral("支払方法:");
    page.m_nOptions = CNewEntryPageDlg::HideNext | CNewEntryPageDlg::PayeeLayout;
    page.m_strCategory = FieldText(flow.record().category);
    const int result = page.DoModal();
    flow.PayeePageEnded(result, page.m_strTextA, page.m_strTextB, page.m_bSaveTemplate);
}

// The template gets the edits made here; the entry itself stays as it was.
void RunTemplateSave(CMyTALYDoc& doc, NewEntryFlow& flow) {
    CEntryEditDlg dlg(&doc);
    dlg.m_record = flow.record();
    dlg.m_nMode = CEntryEditDlg::ModeTemplate;
    if (dlg.DoModal() == tb::ui::IDOK)
        doc.AddTemplate(dlg.m_strTemplateName, dlg.m_record);
    flow.TemplateSaveEnded();
}

void RunStep(CMyTALYDoc& doc, NewEntryFlow& flow) {
    switch (flow.step()) {
    case Step::Amount:
        return RunAmountPage(doc, flow);
    case Step::Category:
        return RunCategoryPage(doc, flow);
    case Step::Payee:
        return RunPayeePage(doc, flow);
    case Step::TemplateSave:
        return RunTemplateSave(doc, flow);
    case Step::Store:
    case Step::Cancelled:
        return;
    }
}

} // namespace

void RunNewEntryFlow(QWidget* owner, CMyTALYDoc& doc, plat::TimeValue initialDate) {
    NewEntryFlow flow(initialDate);
    if (owner) owner->hide();
    while (flow.step() != Step::Store && flow.step() != Step::Cancelled)
        RunStep(doc, flow);
    if (flow.step() == Step::Store) {
        doc.AddRecordAndSave(flow.record());
    } else {
        plat::MessageBox(QStringLiteral("新規登録を中止しました"), QStringLiteral("登録の中止"),
                         plat::MB_OK);
    }
    if (!owner) return;
    owner->show();
    EnterNumberMode(doc, owner);
}
