// Finding the running program's window from a second start. The first start
// listens on a local socket in the user's private runtime folder (per device
// folder), so no other user can reach it; a second start connects, asks for
// the window titled "TALY" to come to the front, and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace tb::app {

// The socket's host path, inside plat::RuntimeFolder().
QString WindowLookupPath();

// Brings the visible top-level window with this title to the front.
// False when there is none.
bool BringWindowToFront(const QString& title);

class WindowLookupServer : public QObject {
    Q_OBJECT
public:
    explicit WindowLookupServer(QString windowTitle, QObject* parent = nullptr);
    ~WindowLookupServer() override;

    // Takes over a socket left behind by an ended process; call only while the
    // single-instance mutex is held. False when it cannot listen.
    bool listen();

signals:
    void raised();

private:
    void onConnection();

    QString m_strTitle;
    QLocalServer* m_pServer = nullptr;
};

// Asks a running program to bring its window to the front. False (silently)
// when nobody listens, as while the first start is still starting.
bool AskRunningInstanceToRaise(int timeoutMs = 2000);

} // namespace tb::app
