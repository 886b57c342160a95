// The command panel: a form on template 101 offering every task as a button,
// a menu command or a digit key, and saving everything when the program ends.
#pragma once

#include "ledger/Options.h"
#include "ui/framework/Window.h"

#include <cstdint>

class CMyTALYDoc;
class PanelTasks;

// Commands of the panel and of menu 152.
enum PanelCommand : int {
    ID_NEW_ENTRY = 32809,
    ID_TEMPLATE_ENTRY = 1044,
    ID_SUM_CATEGORY = 32778,
    ID_SUM_REMARK = 32782,
    ID_SUM_PAYEE = 32779,
    ID_SUM_PAYMETHOD = 32780,
    ID_SUM_DATE = 32777,
    ID_SUM_DETAIL = 32815,
    ID_ORGANIZE = 32791,
    ID_ITEM_EDIT = 32792,
    ID_OPTIONS = 32793,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 32795,
    ID_HELP_BUTTON = 57666,
};

class CMyTALYView : public tb::ui::Window {
    Q_OBJECT
public:
    CMyTALYView(CMyTALYDoc& doc, PanelTasks& tasks, QWidget* parent = nullptr);
    // Saves everything once more and releases the heap, however the program ends.
    ~CMyTALYView() override;

    // Settings, ledger, templates. False when any of them failed (shown by the save).
    bool SaveAll();
    // The exit command. When the save fails the data stays in memory and the
    // program open, so that the person can free space and exit again; returns
    // whether the program is ending.
    bool OnExit();

signals:
    // The exit command saved everything and asks the program to end.
    void quitPosted(int code);

protected:
    void OnTimer(int id) override;
    void OnShowWindow(bool show) override;

private:
    void OnNewEntry();
    void OnTemplateEntry();
    void OnSumCategory() { OpenSummary(SUM_CATEGORY); }
    void OnSumRemark() { OpenSummary(SUM_REMARK); }
    void OnSumPayee() { OpenSummary(SUM_PAYEE); }
    void OnSumPayMethod() { OpenSummary(SUM_PAYMETHOD); }
    void OnSumDate() { OpenSummary(SUM_DATE); }
    void OnSumDetail();
    void OnOrganize();
    void OnItemEdit();
    void OnOptions();
    void OnAbout();
    void OnExitCommand() { OnExit(); }
    void OnKey9();

    void OpenSummary(std::uint32_t mode, bool detailScreen = false);
    // Panel state 0 and mode 7: the handset keypad types digits again.
    void ApplyNumberMode();

    CMyTALYDoc& m_doc;
    PanelTasks& m_tasks;
};
