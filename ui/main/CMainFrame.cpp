#include "ui/main/CMainFrame.h"

#include "res/Resources.h"
#include "ui/framework/Framework.h"
#include "ui/main/CMyTALYView.h"

#include <QCloseEvent>

using namespace tb::ui;

CMainFrame::CMainFrame(CMyTALYDoc& doc, PanelTasks& tasks, QWidget* parent) : FrameWindow(parent) {
    setWindowTitle(QStringLiteral("TALY"));
    setWindowIcon(ProgramIcon());
    setMessageMap({
        OnCommand(ID_APP_EXIT_STANDARD, &CMainFrame::OnAppExit),
        OnCommand(ID_FILE_SAVE, &CMainFrame::OnFileSave),
    });
    // Ctrl+N and Ctrl+O have no accelerator: there is no document file to
    // open or renew. Ctrl+Z, X, C and V stay with the text fields.
    AddAccelerator(QKeySequence(Qt::CTRL | Qt::Key_Q), ID_APP_EXIT_STANDARD);
    AddAccelerator(QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE);
    if (UsesSoftKeyBar()) CreateSoftKeyBar(tb::res::IDR_MENU_MAIN);
    m_pView = new CMyTALYView(doc, tasks);
    SetView(m_pView);
}

void CMainFrame::OnAppExit() {
    m_pView->OnExit();
}

// Saving is the only meaning Ctrl+S can have here: every datum is saved,
// and a failure is shown by the save itself.
void CMainFrame::OnFileSave() {
    m_pView->SaveAll();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_pView->OnExit())
        event->accept();
    else
        event->ignore();
}
