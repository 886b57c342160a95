// Platform identity, named mutexes across processes and input-method status.
#include "System.h"

#include "Device.h"
#include "Internal.h"

#include <QFile>
#include <QHash>
#include <QObject>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <utility>

namespace plat {

using namespace Qt::StringLiterals;
namespace {

struct Identity {
    int major = 5;
    QString type = QStringLiteral("PocketPC");
};

struct ImeStatus {
    DWORD conversion = 0;
    DWORD sentence = 0;
};

Identity g_identity;
std::map<QString, int> g_mutexes; // name -> descriptor holding the lock
ImeHandlers g_imeHandlers;
QHash<QObject*, ImeStatus> g_imeStatus;
std::function<void(int)> g_panelHandler;
int g_panelState = 0;

} // namespace

int GetOsMajorVersion() {
    return g_identity.major;
}

QString GetPlatformType() {
    return g_identity.type;
}

void SetPlatformIdentity(int majorVersion, const QString& platformType) {
    g_identity = {majorVersion, platformType};
}

bool CreateNamedMutex(const QString& name, bool* alreadyExists) {
    if (alreadyExists) *alreadyExists = false;
    if (g_mutexes.count(name)) {
        if (alreadyExists) *alreadyExists = true;
        SetLastError(ERROR_ALREADY_EXISTS);
        return true;
    }
    // The lock lives in the runtime folder of this device, so two device
    // folders never see each other's mutexes.
    const QString file =
        RuntimeFolder() + u"/mutex-"_s + internal::ShortHash(name.toUtf8(), 24) + u".lock"_s;
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        SetLastError(ErrorFromErrno(errno));
        return false;
    }
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &fl) != 0) {
        const int err = errno;
        ::close(fd);
        if (err != EAGAIN && err != EACCES) {
            SetLastError(ErrorFromErrno(err));
            return false;
        }
        if (alreadyExists) *alreadyExists = true;
        SetLastError(ERROR_ALREADY_EXISTS);
        return true;
    }
    g_mutexes.emplace(name, fd);
    SetLastError(ERROR_SUCCESS);
    return true;
}

void ReleaseNamedMutexes() {
    for (const auto& held : g_mutexes)
        ::close(held.second);
    g_mutexes.clear();
}

void SetImeHandlers(ImeHandlers handlers) {
    g_imeHandlers = std::move(handlers);
}

bool ImmGetConversionStatus(QObject* window, DWORD* conversion, DWORD* sentence) {
    if (g_imeHandlers.get) return g_imeHandlers.get(window, conversion, sentence);
    const ImeStatus status = g_imeStatus.value(window);
    if (conversion) *conversion = status.conversion;
    if (sentence) *sentence = status.sentence;
    return true;
}

bool ImmSetConversionStatus(QObject* window, DWORD conversion, DWORD sentence) {
    if (g_imeHandlers.set) return g_imeHandlers.set(window, conversion, sentence);
    g_imeStatus.insert(window, {conversion, sentence});
    return true;
}

void SetInputPanelHandler(std::function<void(int state)> handler) {
    g_panelHandler = std::move(handler);
}

void SetInputPanelState(int state) {
    g_panelState = state;
    if (g_panelHandler) g_panelHandler(state);
}

int GetInputPanelState() {
    return g_panelState;
}

namespace internal {

void ResetImeState() {
    g_imeStatus.clear();
    g_panelState = 0;
}

} // namespace internal
} // namespace plat
