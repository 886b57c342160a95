#include "ui/maintenance/COptionPropSheet.h"

#include "ui/maintenance/CFolderSelectDlg.h"

using namespace tb::ui;

namespace {

enum ControlId : int {
    IDC_SAVE_ON_CHANGE = 1086,
    IDC_USE_BASE_DATE = 1141,
    IDC_MY_DOCUMENTS = 1090,
    IDC_FOLDER_PATH = 1139,
    IDC_BROWSE = 1044,
    IDC_YEAR_START = 1073,
    IDC_MONTH_START = 1072,
    IDC_WEEK_START = 1074,
    IDC_COMMA = 1088,
    IDC_YEAR_TO_MONTH = 1089,
    IDC_HIDE_BALANCE = 1090,
    IDC_SINGLE_KIND = 1091,
    IDC_BALANCE_FROM_ALL = 1092,
};

} // namespace

COptionPageData::COptionPageData() : PropertyPage(103, QStringLiteral(u"データ")) {}

void COptionPageData::DoDataExchange(DataExchange& dx) {
    dx.Radio(IDC_SAVE_ON_CHANGE, m_nSaveTiming);
    dx.Check(IDC_USE_BASE_DATE, m_bUseBaseDate);
}

COptionPageFile1::COptionPageFile1() : PropertyPage(153, QStringLiteral(u"ファイル")) {
    setMessageMap({
        OnCommand(IDC_BROWSE, &COptionPageFile1::OnBrowse),
    });
}

void COptionPageFile1::DoDataExchange(DataExchange& dx) {
    dx.Radio(IDC_MY_DOCUMENTS, m_nFolderMode);
    dx.Text(IDC_FOLDER_PATH, m_strFolderPath);
}

// A ".DAT" file clicked in the folder confirms it; the folder becomes "その他".
void COptionPageFile1::OnBrowse() {
    UpdateData(true);
    CFolderSelectDlg dlg;
    dlg.m_strPath = m_strFolderPath;
    dlg.m_strCaption = m_strFolderPath;
    if (dlg.DoModal() != IDOK) return;
    m_strFolderPath = dlg.m_strPath;
    m_nFolderMode = 2;
    UpdateData(false);
}

COptionPageTerm::COptionPageTerm() : PropertyPage(151, QStringLiteral(u"期間")) {}

void COptionPageTerm::DoDataExchange(DataExchange& dx) {
    dx.ComboIndex(IDC_YEAR_START, m_nYearStart);
    dx.ComboIndex(IDC_MONTH_START, m_nMonthStart);
    dx.ComboIndex(IDC_WEEK_START, m_nWeekStart);
}

COptionPageDisplay::COptionPageDisplay() : PropertyPage(152, QStringLiteral(u"表示")) {}

void COptionPageDisplay::DoDataExchange(DataExchange& dx) {
    dx.Check(IDC_COMMA, m_bComma);
    dx.Check(IDC_YEAR_TO_MONTH, m_bYearToMonth);
    dx.Check(IDC_HIDE_BALANCE, m_bHideBalance);
    dx.Check(IDC_SINGLE_KIND, m_bSingleKind);
    dx.Check(IDC_BALANCE_FROM_ALL, m_bBalanceFromAll);
}

COptionPropSheet::COptionPropSheet(QWidget* parent)
    : PropertySheet(QStringLiteral(u"オプション設定"), parent) {
    AddPage(&m_pageData);
    AddPage(&m_pageFile);
    AddPage(&m_pageTerm);
    AddPage(&m_pageDisplay);
}

void COptionPropSheet::SetValues(const OptionValues& v) {
    m_pageData.m_nSaveTiming = v.saveTiming;
    m_pageData.m_bUseBaseDate = v.useBaseDate;
    m_pageFile.m_nFolderMode = v.folderMode;
    m_pageFile.m_strFolderPath = v.folderPath;
    m_pageTerm.m_nYearStart = v.yearStart;
    m_pageTerm.m_nMonthStart = v.monthStart;
    m_pageTerm.m_nWeekStart = v.weekStart;
    m_pageDisplay.m_bComma = v.comma;
    m_pageDisplay.m_bYearToMonth = v.yearToMonth;
    m_pageDisplay.m_bHideBalance = v.hideBalance;
    m_pageDisplay.m_bSingleKind = v.singleKind;
    m_pageDisplay.m_bBalanceFromAll = v.balanceFromAll;
}

OptionValues COptionPropSheet::Values() const {
    return {m_pageData.m_nSaveTiming,   m_pageData.m_bUseBaseDate,    m_pageFile.m_nFolderMode,
            m_pageFile.m_strFolderPath, m_pageTerm.m_nYearStart,      m_pageTerm.m_nMonthStart,
            m_pageTerm.m_nWeekStart,    m_pageDisplay.m_bComma,       m_pageDisplay.m_bYearToMonth,
            m_pageDisplay.m_bHideBalance, m_pageDisplay.m_bSingleKind,
            m_pageDisplay.m_bBalanceFromAll};
}
