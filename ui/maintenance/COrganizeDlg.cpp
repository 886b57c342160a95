#include "ui/maintenance/COrganizeDlg.h"

#include "ledger/CMyTALYDoc.h"
#include "platform/MessageBox.h"
#include "ui/maintenance/CFolderSelectDlg.h"
#include "ui/maintenance/OrganizePeriod.h"

using namespace tb::ui;
using namespace maintenance;

namespace {

constexpr int kTemplateId = 138;
constexpr int kMenuId = 167;

enum ControlId : int {
    IDC_DELETE = 1037,
    IDC_IMPORT = 1038,
    IDC_EXPORT = 1068,
    IDC_START = 1092,
    IDC_END = 1093,
};

const QString kOrganizeCaption = QStringLiteral(u"データの整理");

} // namespace

COrganizeDlg::COrganizeDlg(CMyTALYDoc* doc, QWidget* parent)
    : Dialog(kTemplateId, parent), m_pDoc(doc) {
    setMessageMap({
        OnCommand(IDC_EXPORT, &COrganizeDlg::OnExport),
        OnCommand(IDC_DELETE, &COrganizeDlg::OnDelete),
        OnNotify(IDC_START, Notify::DateChange, &COrganizeDlg::OnStartChanged),
        OnCommand(IDC_IMPORT, &COrganizeDlg::OnImport),
    });
}

void COrganizeDlg::DoDataExchange(DataExchange& dx) {
    dx.Date(IDC_START, m_timeStart);
    dx.Date(IDC_END, m_timeEnd);
}

bool COrganizeDlg::OnInitDialog() {
    if (CreateMenuBarIfSupported(kMenuId)) {
        for (int id : {int{IDC_IMPORT}, int{IDCANCEL}, int{IDC_EXPORT}, int{IDC_DELETE}}) {
            ShowControl(id, false);
            EnableControl(id, false);
        }
    }
    return Dialog::OnInitDialog();
}

void COrganizeDlg::OnStartChanged() {
    UpdateData(true);
    m_timeEnd = OrganizeEndFor(m_timeStart);
    UpdateData(false);
}

bool COrganizeDlg::CheckPeriod() {
    UpdateData(true);
    if (m_timeEnd >= m_timeStart) return true;
    plat::MessageBox(QStringLiteral(u"終了日が開始日より前に設定されています。"),
                     QStringLiteral(u"期間設定エラー"),
                     plat::MB_YESNO | plat::MB_ICONEXCLAMATION);
    return false;
}

void COrganizeDlg::OnExport() {
    if (!CheckPeriod()) return;
    const QString name = ExportFileName(m_timeStart, m_timeEnd);
    QString path;
    if (!m_pDoc->GetDataPath(&path, name)) return;
    int count = 0;
    if (!m_pDoc->ExportCsv(path, m_timeStart, LastSecondOfDay(m_timeEnd), &count)) {
        plat::ShowError(plat::GetLastError());
        return;
    }
    plat::MessageBox(QStringLiteral(u"%1個のデータを \"%2\" に出力しました。")
                         .arg(count)
                         .arg(name.mid(1)),
                     QStringLiteral(u"CSV作成"), plat::MB_ICONINFORMATION);
}

void COrganizeDlg::OnDelete() {
    if (!CheckPeriod()) return;
    if (plat::MessageBox(QStringLiteral(u"本当に削除してもよろしいですか？"), kOrganizeCaption,
                         plat::MB_YESNO | plat::MB_ICONEXCLAMATION) != plat::IDYES)
        return;
    const int count = m_pDoc->DeletePeriod(m_timeStart, LastSecondOfDay(m_timeEnd));
    plat::MessageBox(QStringLiteral(u"%1個のデータを削除しました").arg(count), kOrganizeCaption,
                     plat::MB_ICONINFORMATION);
}

void COrganizeDlg::OnImport() {
    CFolderSelectDlg select;
    QString folder;
    if (!m_pDoc->GetDataPath(&folder, QString())) return;
    select.m_strPath = folder;
    select.m_strExt = QStringLiteral(".csv");
    select.m_strCaption = QStringLiteral("*.csv");
    if (select.DoModal() != IDOK) return;
    m_pDoc->ImportCsv(select.m_strPath + u'\\' + select.m_strFile);
}
