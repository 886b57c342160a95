#include "app/WindowLookup.h"

#include "platform/Device.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace tb::app {

namespace {
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
} // namespace

QString WindowLookupPath() {
    return QDir(plat::RuntimeFolder()).filePath(QStringLiteral("TALY"));
}

bool BringWindowToFront(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != title) continue;
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
        return true;
    }
    return false;
}

WindowLookupServer::WindowLookupServer(QString windowTitle, QObject* parent)
    : QObject(parent), m_strTitle(std::move(windowTitle)) {}

WindowLookupServer::~WindowLookupServer() {
    if (m_pServer) m_pServer->close();
}

bool WindowLookupServer::listen() {
    const QString path = WindowLookupPath();
    QLocalServer::removeServer(path); // the mutex says no one else is using it
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &WindowLookupServer::onConnection);
    return m_pServer->listen(path);
}

void WindowLookupServer::onConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Only a whole request counts; anything else is dropped unanswered.
            if (socket->bytesAvailable() < kRaiseRequest.size()) return;
            const QByteArray request = socket->read(kRaiseRequest.size());
            if (request == kRaiseRequest && BringWindowToFront(m_strTitle)) emit raised();
            socket->disconnectFromServer();
        });
    }
}

bool AskRunningInstanceToRaise(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(WindowLookupPath());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(kRaiseRequest);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

} // namespace tb::app
