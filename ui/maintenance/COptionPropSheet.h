// The options sheet "オプション設定": four pages that only exchange their
// members with their controls. The opener fills them from the settings and
// applies them afterwards (OptionValues, DataFolderMove).
//
//   COptionPropSheet sheet;
//   sheet.SetValues(ReadOptionValues(doc));
//   if (sheet.DoModal() == IDOK) ApplyOptionValues(doc, sheet.Values());
#pragma once

#include "ui/framework/PropertySheet.h"
#include "ui/maintenance/OptionValues.h"

class COptionPageData : public tb::ui::PropertyPage {
    Q_OBJECT
public:
    COptionPageData();
    int m_nSaveTiming = 0;
    bool m_bUseBaseDate = true;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
};

class COptionPageFile1 : public tb::ui::PropertyPage {
    Q_OBJECT
public:
    COptionPageFile1();
    int m_nFolderMode = 0;
    QString m_strFolderPath;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;

private:
    void OnBrowse();
};

class COptionPageTerm : public tb::ui::PropertyPage {
    Q_OBJECT
public:
    COptionPageTerm();
    int m_nYearStart = 0;
    int m_nMonthStart = 0;
    int m_nWeekStart = 0;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
};

class COptionPageDisplay : public tb::ui::PropertyPage {
    Q_OBJECT
public:
    COptionPageDisplay();
    bool m_bComma = true;
    bool m_bYearToMonth = false;
    bool m_bHideBalance = false;
    bool m_bSingleKind = false;
    bool m_bBalanceFromAll = false;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
};

class COptionPropSheet : public tb::ui::PropertySheet {
    Q_OBJECT
public:
    explicit COptionPropSheet(QWidget* parent = nullptr);

    void SetValues(const OptionValues& v);
    OptionValues Values() const;

    COptionPageData m_pageData;
    COptionPageFile1 m_pageFile;
    COptionPageTerm m_pageTerm;
    COptionPageDisplay m_pageDisplay;
};
