#include "app/ShutdownSignals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// One pipe per process: a signal handler can reach nothing but globals.
int g_pipe[2] = {-1, -1};

extern "C" void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // A full pipe already holds a wake-up; dropping this one loses nothing.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void ClosePipe() {
    for (int& fd : g_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject* parent) : QObject(parent) {}

ShutdownSignals::~ShutdownSignals() {
    uninstall();
}

bool ShutdownSignals::install() {
    if (g_pipe[0] >= 0) return false; // another instance owns the handlers
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals) {
        if (::sigaction(sig, &action, nullptr) != 0) {
            m_bInstalled = true;
            uninstall();
            return false;
        }
    }
    m_bInstalled = true;
    m_pNotifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &ShutdownSignals::drain);
    return true;
}

void ShutdownSignals::drain() {
    char bytes[16];
    ssize_t n;
    while ((n = ::read(g_pipe[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < n; ++i)
            emit received(bytes[i]);
    }
}

void ShutdownSignals::uninstall() {
    if (!m_bInstalled) return;
    m_bInstalled = false;
    for (int sig : kSignals)
        ::signal(sig, SIG_DFL);
    delete m_pNotifier;
    m_pNotifier = nullptr;
    ClosePipe();
}
