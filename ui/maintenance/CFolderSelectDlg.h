// The folder select on template 154: the levels of the current folder in a
// drop-down, its sub-folders and its files of one extension in a list; a file
// must be clicked before OK is taken. By keys, the arrows only move through the
// list (a file row is taken as clicked); Enter or Space enters a folder row.
//
//   CFolderSelectDlg dlg;
//   dlg.m_strPath = folder;
//   dlg.m_strExt = QStringLiteral(".csv");
//   dlg.m_strCaption = QStringLiteral("*.csv");
//   if (dlg.DoModal() == IDOK) Import(dlg.m_strPath + u'\\' + dlg.m_strFile);
#pragma once

#include "ui/framework/Dialog.h"
#include "ui/maintenance/FolderBrowser.h"

#include <vector>

class CFolderSelectDlg : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit CFolderSelectDlg(QWidget* parent = nullptr);

    // In: the folder to start in (empty = the root). Out: the folder shown at OK.
    QString m_strPath;
    QString m_strExt = QStringLiteral(".DAT");
    // Out: the file clicked in the folder shown; empty when none.
    QString m_strFile;
    QString m_strCaption;

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    void OnSize(int cx, int cy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnLevelChosen();
    void OnEntryChosen();
    bool EnterByKey(int qtKey);

    void Fill();
    void GoTo(const QString& path);

    // What each list row stands for, by its text: the list sorts its rows,
    // and a file name may itself begin with "[".
    struct Row {
        QString text;
        enum Kind { Up, Folder, File } kind;
        QString name;
    };
    const Row* CurrentRow() const;
    void Act(const Row& row);

    std::vector<Row> m_rows;
    bool m_movingByKey = false;     // the list moves its row by keys or by taking the focus
    bool m_onlyHighlighted = false; // the current row was moved to by keys, not acted on
};
