// The program's single top-level window, titled "TALY": the command panel,
// the soft-key bar of menu 152 where the handset has one, and the accelerators.
#pragma once

#include "ui/framework/FrameWindow.h"

class CMyTALYDoc;
class CMyTALYView;
class PanelTasks;

// Standard commands of the accelerator table.
enum FrameCommand : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_APP_EXIT_STANDARD = 57665,
};

class CMainFrame : public tb::ui::FrameWindow {
    Q_OBJECT
public:
    CMainFrame(CMyTALYDoc& doc, PanelTasks& tasks, QWidget* parent = nullptr);

    CMyTALYView* panel() const { return m_pView; }

protected:
    // The window manager's close runs the exit command; a failed save keeps
    // the window open with its data.
    void closeEvent(QCloseEvent* event) override;

private:
    void OnAppExit();
    void OnFileSave();

    CMyTALYView* m_pView = nullptr;
};
