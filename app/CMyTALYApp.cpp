#include "app/CMyTALYApp.h"

#include "app/ShutdownSignals.h"
#include "app/WindowLookup.h"
#include "ledger/CMyTALYDoc.h"
#include "platform/System.h"
#include "ui/framework/Framework.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"

#include <QApplication>

namespace {
const QString kMutexName = QStringLiteral("Orvane Tallybook");
const QString kWindowTitle = QStringLiteral("TALY");
} // namespace

CMyTALYApp::CMyTALYApp(std::unique_ptr<PanelTasks> tasks)
    : m_pTasks(tasks ? std::move(tasks) : std::make_unique<PanelTasks>()) {}

CMyTALYApp::~CMyTALYApp() = default;

bool CMyTALYApp::InitInstance() {
    bool alreadyExists = false;
    if (!plat::CreateNamedMutex(kMutexName, &alreadyExists)) return false;
    if (alreadyExists) {
        tb::app::AskRunningInstanceToRaise(); // nobody listening: still starting
        return false;
    }
    m_pDoc = std::make_unique<CMyTALYDoc>();
    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc, *m_pTasks);
    tb::ui::SetMainWindow(m_pFrame.get());
    connect(m_pFrame->panel(), &CMyTALYView::quitPosted, this, &CMyTALYApp::OnQuitPosted);

    // Data is written however the program ends: the session's end and the
    // termination signals run the same saves as the exit command.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        gui->setQuitOnLastWindowClosed(false);
        connect(gui, &QGuiApplication::commitDataRequest, this, &CMyTALYApp::OnCommitData);
    }
    m_pSignals = std::make_unique<ShutdownSignals>();
    m_pSignals->install();
    connect(m_pSignals.get(), &ShutdownSignals::received, this, &CMyTALYApp::OnShutdownSignal);

    m_pFrame->show();
    m_pLookup = std::make_unique<tb::app::WindowLookupServer>(kWindowTitle);
    connect(m_pLookup.get(), &tb::app::WindowLookupServer::raised, this,
            &CMyTALYApp::raisedByAnotherStart);
    m_pLookup->listen(); // without it a second start just ends; this one runs on
    return true;
}

int CMyTALYApp::Run() {
    if (m_bEnding) return m_nExitCode; // ended before the loop started
    m_bRunning = true;
    const int code = QCoreApplication::exec();
    m_bRunning = false;
    return code;
}

void CMyTALYApp::OnShutdownSignal(int signalNumber) {
    if (m_bEnding) return;
    const bool ending = m_pFrame->panel()->OnExit();
    emit signalHandled(signalNumber, ending);
}

void CMyTALYApp::OnCommitData() {
    m_pFrame->panel()->SaveAll();
}

void CMyTALYApp::OnQuitPosted(int code) {
    m_bEnding = true;
    m_nExitCode = code;
    m_pFrame->hide();
    if (!m_bRunning) return; // Run() sees m_bEnding
    // Posted, as a quit message is: the command that asked for it returns first.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [code] { QCoreApplication::exit(code); },
        Qt::QueuedConnection);
}
