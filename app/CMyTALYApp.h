// The application object: single instance per handset, the document, the main
// window with the command panel, and saving however the program ends.
#pragma once

#include "ui/main/PanelTasks.h"

#include <QObject>
#include <memory>

class CMainFrame;
class CMyTALYDoc;
class ShutdownSignals;

namespace tb::app {
class WindowLookupServer;
}

class CMyTALYApp : public QObject {
    Q_OBJECT
public:
    // tasks: the dialogs the panel opens; null for the program's own.
    explicit CMyTALYApp(std::unique_ptr<PanelTasks> tasks = nullptr);
    ~CMyTALYApp() override;

    // The start-up sequence. False ends the process at once, silently: another
    // copy runs (it has been brought to the front) or is still starting.
    bool InitInstance();
    // The message loop; the exit code.
    int Run();

    CMyTALYDoc* document() const { return m_pDoc.get(); }
    CMainFrame* frame() const { return m_pFrame.get(); }

signals:
    // A later start asked for this window and it was brought to the front.
    void raisedByAnotherStart();
    // A shutdown signal was handled: saved and ending, or kept open after a failed save.
    void signalHandled(int signalNumber, bool ending);

private:
    void OnShutdownSignal(int signalNumber);
    void OnCommitData();
    void OnQuitPosted(int code);

    // Declared in the order of creation: the frame (and with it the panel,
    // which saves once more) goes before the document.
    std::unique_ptr<PanelTasks> m_pTasks;
    std::unique_ptr<CMyTALYDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<tb::app::WindowLookupServer> m_pLookup;
    std::unique_ptr<ShutdownSignals> m_pSignals;
    bool m_bEnding = false;
    bool m_bRunning = false;
    int m_nExitCode = 0;
};
