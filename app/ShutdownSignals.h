// SIGTERM, SIGINT and SIGHUP as ordinary events: the handler only writes the
// signal's number into a pipe, and a notifier on the pipe's other end reports
// it in the event loop, where saving is safe.
#pragma once

#include <QObject>

class QSocketNotifier;

class ShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject* parent = nullptr);
    // Restores the default handlers and closes the pipe.
    ~ShutdownSignals() override;

    // False when the pipe or a handler cannot be set up (then nothing is installed).
    bool install();

signals:
    void received(int signalNumber);

private:
    void drain();
    void uninstall();

    QSocketNotifier* m_pNotifier = nullptr;
    bool m_bInstalled = false;
};
