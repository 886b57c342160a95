#include "ui/entry/CTemplateListDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "ledger/InputMode.h"
#include "platform/MessageBox.h"
#include "ui/entry/CEntryEditDlg.h"
#include "ledger/TemplateSlots.h"

#include <QListWidget>

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_LIST = 1142,
    IDC_GROUP = 1143,
    IDC_ADD = 1131,
    IDC_EDIT = 1130,
    IDC_DELETE = 1132,
    IDC_UP = 1133,
    IDC_DOWN = 1134,
    IDC_PICK = 1135,
    IDC_CLOSE = 1129,
};

constexpr int kMenuTemplateList = 166;
constexpr int kMargin = 5;

const QString kNewTemplateName = QStringLiteral(u"新しい定番");

} // namespace

CTemplateListDlg::CTemplateListDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(155, parent), m_pDoc(doc), m_nButtonHeight(ControlRect(IDC_PICK).height()) {
    setMessageMap({
        OnCommand(IDC_ADD, &CTemplateListDlg::OnAdd),
        OnCommand(IDC_EDIT, &CTemplateListDlg::OnEdit),
        OnCommand(IDC_DELETE, &CTemplateListDlg::OnDelete),
        OnCommand(IDC_UP, &CTemplateListDlg::OnUp),
        OnCommand(IDC_DOWN, &CTemplateListDlg::OnDown),
        OnCommand(IDC_PICK, &CTemplateListDlg::OnPick),
        OnNotify(IDC_LIST, Notify::DoubleClick, &CTemplateListDlg::OnPickNotify),
        OnCommand(IDC_CLOSE, &CTemplateListDlg::OnClose),
    });
    setMinimumFormSize({DesignSize().width() / 2, DesignSize().height() / 2});
}

bool CTemplateListDlg::OnInitDialog() {
    CreateMenuBarIfSupported(kMenuTemplateList);
    FillList(0);
    Dialog::OnInitDialog();
    OnSize(ClientSize().width(), ClientSize().height());
    return true;
}

// --- The list -------------------------------------------------------------------

void CTemplateListDlg::FillList(int selectRow) {
    auto* list = item<QListWidget>(IDC_LIST);
    m_nCount = m_pDoc ? CountTemplates(m_pDoc->Templates()) : 0;
    if (!list) return;
    list->clear();
    for (int slot = 0; slot < m_nCount; ++slot)
        list->addItem(TemplateLine(m_pDoc->Templates(), slot));
    SelectRow(selectRow < m_nCount ? selectRow : -1);
}

int CTemplateListDlg::SelectedRow() const {
    const auto* list = item<QListWidget>(IDC_LIST);
    if (!list) return -1;
    const int row = list->currentRow();
    const QListWidgetItem* line = list->item(row);
    return line && line->isSelected() && row < m_nCount ? row : -1;
}

void CTemplateListDlg::SelectRow(int row) {
    auto* list = item<QListWidget>(IDC_LIST);
    if (!list) return;
    if (row < 0) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(row);
}

QString CTemplateListDlg::SelectedLineText() const {
    const auto* list = item<QListWidget>(IDC_LIST);
    const int row = SelectedRow();
    return list && row >= 0 ? list->item(row)->text() : QString();
}

void CTemplateListDlg::ShowAgain() {
    show();
    activateWindow();
    if (!m_pDoc) return;
    EnterNumberMode(*m_pDoc, this);
}

// --- Editing the table ------------------------------------------------------------

bool CTemplateListDlg::EditAsTemplate(InOutRecord* record, QString* name) {
    CEntryEditDlg dlg(m_pDoc, parentWidget());
    dlg.m_record = *record;
    dlg.m_nMode = CEntryEditDlg::ModeTemplate;
    dlg.m_strTemplateName = *name;
    if (dlg.DoModal() != IDOK) return false;
    *record = dlg.m_record;
    *name = dlg.m_strTemplateName;
    return true;
}

void CTemplateListDlg::OnAdd() {
    if (!m_pDoc) return;
    if (m_nCount >= kTemplateSlots) {
        plat::MessageBox(QStringLiteral(u"これ以上定番データは追加できません。"),
                         QStringLiteral(u"定番データの追加"), plat::MB_OK);
        return;
    }
    InOutRecord record = NewTemplateRecord(plat::GetLocalTime());
    QString name = kNewTemplateName;
    if (EditAsTemplate(&record, &name)) {
        const int slot = m_pDoc->AddTemplate(name, record);
        if (slot >= 0) FillList(slot);
    }
    ShowAgain();
}

void CTemplateListDlg::OnEdit() {
    const int slot = SelectedRow();
    if (slot < 0) return;
    const TemplateRecord& t = m_pDoc->Templates()[static_cast<std::size_t>(slot)];
    InOutRecord record = t.record;
    QString name = TemplateName(t);
    if (EditAsTemplate(&record, &name) && m_pDoc->StoreTemplate(slot, name, record)) FillList(-1);
    ShowAgain();
}

void CTemplateListDlg::OnDelete() {
    const int slot = SelectedRow();
    if (slot < 0) return;
    const QString name = TemplateName(m_pDoc->Templates()[static_cast<std::size_t>(slot)]);
    const int answer =
        plat::MessageBox(QStringLiteral(u"「%1」を削除してよろしいですか？").arg(name),
                         QStringLiteral(u"定番の削除"), plat::MB_YESNO);
    if (answer == plat::IDYES && m_pDoc->DeleteTemplate(slot)) FillList(slot);
    ShowAgain();
}

void CTemplateListDlg::Move(int direction) {
    const int slot = SelectedRow();
    if (slot < 0 || !m_pDoc->MoveTemplate(slot, direction)) return;
    FillList(slot + direction);
}

void CTemplateListDlg::OnUp() {
    Move(-1);
}

void CTemplateListDlg::OnDown() {
    Move(1);
}

// --- Ending -------------------------------------------------------------------------

void CTemplateListDlg::OnPick() {
    const int slot = SelectedRow();
    if (slot >= 0) EndDialog(slot + 1);
}

void CTemplateListDlg::OnPickNotify(NotifyInfo&) {
    OnPick();
}

void CTemplateListDlg::OnClose() {
    EndDialog(kNoChoice);
}

void CTemplateListDlg::OnOK() {
    EndDialog(kNoChoice);
}

void CTemplateListDlg::OnCancel() {
    EndDialog(kNoChoice);
}

// The digit on a line is the key that picks it; a key of a free slot starts the
// entry from that slot's (empty) record.
bool CTemplateListDlg::PreTranslateKeyDown(int virtualKey) {
    if (virtualKey < VK_0 || virtualKey > VK_9) return Dialog::PreTranslateKeyDown(virtualKey);
    EndDialog(virtualKey - VK_0 + 1);
    return true;
}

// --- Layout -------------------------------------------------------------------------

void CTemplateListDlg::OnSize(int cx, int cy) {
    if (!GetDlgItem(IDC_LIST)) return;
    const int c = 2 * cx / 3;
    int d = m_nButtonHeight;
    if (cy - d - 5 < 5 * d + 60) d = (cy - 65) / 6; // the side buttons must fit
    const int sideX = c + 10;
    const int sideW = cx - c - 15;
    const int bottom = cy - d - kMargin;
    MoveControl(IDC_LIST, {kMargin, kMargin, c, cy - d - 15});
    MoveControl(IDC_PICK, {kMargin, bottom, c, d});
    MoveControl(IDC_CLOSE, {sideX, bottom, sideW, d});
    MoveControl(IDC_GROUP, {sideX, kMargin, sideW, 5 * d + 55});
    const int buttons[] = {IDC_ADD, IDC_EDIT, IDC_DELETE, IDC_UP, IDC_DOWN};
    for (int i = 0; i < 5; ++i)
        MoveControl(buttons[i], {c + 15, 25 + i * (d + 5), cx - c - 25, d});
}
