// The handset's folder tree on the host and the mapping of handset paths.
#include "Device.h"

#include "Faults.h"
#include "Internal.h"
#include "System.h"
#include "Time.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

using namespace Qt::StringLiterals;
namespace {

struct DeviceState {
    QString dir; // empty in host mode
    QString runtimeFolder;
};

DeviceState g_device;

QString FsRoot() {
    return g_device.dir.isEmpty() ? QStringLiteral("/") : g_device.dir + u"/fs"_s;
}

QString Join(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool Exists(const QString& hostPath) {
    struct stat st {};
    return ::lstat(QFile::encodeName(hostPath).constData(), &st) == 0;
}

// The existing entry of folder whose name equals name without regard to ASCII
// case; name itself when there is none.
QString MatchEntry(const QString& folder, const QString& name) {
    if (Exists(Join(folder, name))) return name;
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (internal::EqualsIgnoringAsciiCase(entry, name)) return entry;
    }
    return name;
}

// Components of a handset path with "." dropped and ".." never climbing above
// the root, so no handset path reaches outside the device.
QStringList PathComponents(const QString& handsetPath) {
    QStringList parts;
    QString unified = handsetPath;
    unified.replace(u'/', u'\\');
    for (const QString& part : unified.split(u'\\', Qt::SkipEmptyParts)) {
        if (part == u".") continue;
        if (part == u"..") {
            if (!parts.isEmpty()) parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return parts;
}

bool OwnedPrivateFolder(const QString& hostPath) {
    struct stat st {};
    if (::lstat(QFile::encodeName(hostPath).constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

QString RuntimeBase() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString base = xdg.isEmpty() || !QFileInfo(xdg).isDir()
                       ? QStringLiteral("/tmp/tallybook-%1").arg(::getuid())
                       : xdg + u"/tallybook"_s;
    internal::MakePrivateDirs(base);
    // Another user could have planted the folder in /tmp; never put locks there.
    if (!OwnedPrivateFolder(base)) {
        base = QDir::homePath() + u"/.cache/tallybook-runtime"_s;
        internal::MakePrivateDirs(base);
    }
    return base;
}

QString HostExecutablePath() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

void InitDeviceFromEnvironment() {
    InitDevice(qEnvironmentVariable("TALLYBOOK_DEVICE"));
    const QString identity = qEnvironmentVariable("TALLYBOOK_PLATFORM");
    const qsizetype colon = identity.lastIndexOf(u':');
    bool ok = false;
    const int major = colon > 0 ? identity.mid(colon + 1).toInt(&ok) : 0;
    if (ok) SetPlatformIdentity(major, identity.left(colon));
}

void InitDevice(const QString& hostDir) {
    g_device = DeviceState{};
    if (!hostDir.isEmpty()) {
        internal::MakePrivateDirs(hostDir);
        const QString canonical = QFileInfo(hostDir).canonicalFilePath();
        g_device.dir = canonical.isEmpty() ? QDir(hostDir).absolutePath() : canonical;
        internal::MakePrivateDirs(g_device.dir + u"/fs/My Documents"_s);
        internal::MakePrivateDirs(g_device.dir + u"/fs/Program Files/Tallybook"_s);
    }
    internal::ResetRegistry();
    internal::ResetImeState();
    ReleaseNamedMutexes();
    SetPlatformIdentity(5, QStringLiteral("PocketPC"));
    SetClockForTest(std::nullopt);
    faults::Reset();
}

bool HasDeviceFolder() {
    return !g_device.dir.isEmpty();
}

QString DeviceFolder() {
    return g_device.dir;
}

QString RegistryFilePath() {
    if (HasDeviceFolder()) return g_device.dir + u"/registry.reg"_s;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/tallybook/registry.reg"_s;
}

QString RuntimeFolder() {
    if (g_device.runtimeFolder.isEmpty()) {
        const QString leaf = HasDeviceFolder()
                                 ? internal::ShortHash(QFile::encodeName(g_device.dir), 16)
                                 : QStringLiteral("host");
        g_device.runtimeFolder = RuntimeBase() + u'/' + leaf;
        internal::MakePrivateDirs(g_device.runtimeFolder);
    }
    return g_device.runtimeFolder;
}

QString GetMyDocumentsFolder(bool create) {
    QString handset = QStringLiteral("\\My Documents");
    if (!HasDeviceFolder()) {
        QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (docs.isEmpty()) docs = QDir::homePath() + u"/Documents"_s;
        handset = ToHandsetPath(docs);
    }
    if (create) internal::MakePrivateDirs(ToHostPath(handset));
    return handset;
}

QString GetModuleFileName() {
    if (HasDeviceFolder()) return QStringLiteral("\\Program Files\\Tallybook\\tallybook");
    const QString exe = HostExecutablePath();
    if (exe.isEmpty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return {};
    }
    return ToHandsetPath(exe);
}

bool IsProgramFolderWritable() {
    const QString exe = GetModuleFileName();
    if (exe.isEmpty()) return false;
    const QString folder = QFileInfo(ToHostPath(exe)).absolutePath();
    // access() also knows read-only mounts and ACLs, which the mode bits do not show.
    return QFileInfo(folder).isDir() &&
           ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QString ToHostPath(const QString& handsetPath) {
    QString host = FsRoot();
    bool resolving = true; // below a missing folder nothing can match any more
    for (const QString& part : PathComponents(handsetPath)) {
        const QString name = resolving ? MatchEntry(host, part) : part;
        host = Join(host, name);
        resolving = resolving && Exists(host);
    }
    return host;
}

QString ToHandsetPath(const QString& hostPath) {
    const QString clean = QDir::cleanPath(QDir(hostPath).absolutePath());
    const QString root = FsRoot();
    QString rel;
    if (root == u"/") {
        rel = clean.mid(1);
    } else if (clean == root) {
        rel.clear();
    } else if (clean.startsWith(root + u'/')) {
        rel = clean.mid(root.size() + 1);
    } else {
        return {};
    }
    return u'\\' + rel.replace(u'/', u'\\');
}

namespace internal {

QString FoldAsciiCase(QStringView text) {
    QString folded = text.toString();
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

bool EqualsIgnoringAsciiCase(QStringView a, QStringView b) {
    return a.size() == b.size() && FoldAsciiCase(a) == FoldAsciiCase(b);
}

QString ShortHash(const QByteArray& data, int length) {
    const QByteArray hex = QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex();
    return QString::fromLatin1(hex.left(length));
}

bool MakePrivateDirs(const QString& hostPath) {
    const QString clean = QDir::cleanPath(QDir(hostPath).absolutePath());
    QString path;
    for (const QString& part : clean.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(clean).isDir();
}

void SyncParentFolder(const QString& hostPath) {
    const QByteArray folder = QFile::encodeName(QFileInfo(hostPath).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace internal
} // namespace plat
