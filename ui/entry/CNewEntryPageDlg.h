// One list page of the new-entry flow (template 130, "新規入力"): two lookup
// lists, each with a check box that says whether the chosen text is learned
// into its list file, and either the date (category page) or the template
// check box (payee page).
//
//   CNewEntryPageDlg page(&doc);
//   page.m_strListFileA = u"\\分類.DAT"; page.m_strListFileB = u"\\備考.DAT";
//   page.m_date = date;
//   if (page.DoModal() != IDCANCEL) use(page.m_strTextA, page.m_strTextB, page.m_stDate);
#pragma once

#include "platform/Time.h"
#include "ui/framework/Dialog.h"

#include <QString>

class CMyTALYDoc;

class CNewEntryPageDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    enum Options : unsigned {
        HideFinish = 0x1,  // hide "完了" (3)
        HideNext = 0x2,    // hide "次へ(OK) >>" (1); soft keys of menu 159
        PayeeLayout = 0x8, // no date; the template check box instead
        HideBack = 0x10,   // hide "<<" (4)
    };
    enum Result : int { IDFINISH = 3, IDBACK = 4 };

    explicit CNewEntryPageDlg(CMyTALYDoc* doc, QWidget* parent = nullptr);

    // In: list files relative to the data folder. "\\備考.DAT" and "\\支払先.DAT"
    // stand for the list of the category (list B's from list A's choice on the
    // category page, list A's from m_strCategory on the payee page).
    QString m_strListFileA;
    QString m_strListFileB;
    QString m_strLabelA;
    QString m_strLabelB;
    unsigned m_nOptions = 0;
    QString m_strCategory;      // payee page: the category chosen before
    plat::TimeValue m_date = 0; // category page: the date shown

    // Out after next and finish: the confirmed texts (at most 15 characters)
    // and the date. After back: the texts the page started with (or set by a
    // category change) and the date it was given.
    QString m_strTextA;
    QString m_strTextB;
    plat::SYSTEMTIME m_stDate{};
    bool m_bSaveTemplate = false;

    bool isCategoryPage() const { return m_bCategoryPage; }

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnTimer(int id) override;

private:
    void LoadLists();
    void ApplyOptions();
    // Fills a combo box from a list file and returns its first text; a file
    // that cannot be read leaves the list as it was and gives an empty text.
    QString FillList(int id, const QString& path);
    QString ListPath(const QString& listFile, const QString& category) const;
    bool Confirm();
    void SaveList(int id, const QString& path, const QString& chosen);

    void OnFinish();
    void OnBack();
    void OnCategoryChange();
    void OnListFocus(tb::ui::NotifyInfo& info);
    void OnDateFocus();
    void TextMode(QWidget* window);

    CMyTALYDoc* m_pDoc;
    QString m_strPathA;
    QString m_strPathB;
    bool m_bCheckA = true;
    bool m_bCheckB = true;
    bool m_bCategoryPage = false;
    bool m_bHandset = false;
};
