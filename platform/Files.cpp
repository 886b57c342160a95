// Files in handset notation on the host's POSIX file system.
#include "Files.h"

#include "Device.h"
#include "Faults.h"
#include "Internal.h"
#include "Time.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plat {

using namespace Qt::StringLiterals;
namespace {

using internal::PathLock;

constexpr std::uint32_t kCopyChunk = 64 * 1024;
constexpr int kMaxLinkHops = 40;                              // as the host's own path resolution
const QString kReplacementSuffix = QStringLiteral(".tb-new"); // half-written replacements

QByteArray Native(const QString& hostPath) {
    return QFile::encodeName(hostPath);
}

bool Fail(DWORD code) {
    SetLastError(code);
    return false;
}

bool FailErrno() {
    return Fail(ErrorFromErrno(errno));
}

bool StatPath(const QString& hostPath, struct stat* st) {
    return ::stat(Native(hostPath).constData(), st) == 0;
}

bool IsFolder(const QString& hostPath) {
    struct stat st {};
    return StatPath(hostPath, &st) && S_ISDIR(st.st_mode);
}

// A missing entry reports "path not found" when its folder is missing too.
DWORD MissingError(const QString& hostPath) {
    return IsFolder(QFileInfo(hostPath).absolutePath()) ? ERROR_FILE_NOT_FOUND
                                                        : ERROR_PATH_NOT_FOUND;
}

bool FailMissingOr(const QString& hostPath) {
    const int err = errno;
    if (err == ENOENT) return Fail(MissingError(hostPath));
    return Fail(ErrorFromErrno(err));
}

// The handset refuses these characters in names; they also keep wildcards
// out of names the program creates. A lone surrogate would reach the host as
// U+FFFD, the same name as every other such text.
bool ValidHandsetPath(const QString& path) {
    if (path.trimmed().isEmpty() || !path.isValidUtf16()) return false;
    return std::none_of(path.begin(), path.end(), [](QChar c) {
        return c.unicode() < 0x20 || QStringView(u"<>:\"|?*").contains(c);
    });
}

bool CheckedHostPath(const QString& handsetPath, QString* host) {
    if (handsetPath.isEmpty()) return Fail(ERROR_PATH_NOT_FOUND);
    if (!ValidHandsetPath(handsetPath)) return Fail(ERROR_INVALID_NAME);
    *host = ToHostPath(handsetPath);
    return true;
}

bool SameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    if (StatPath(a, &sa) && StatPath(b, &sb))
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return internal::FoldAsciiCase(QDir::cleanPath(a)) ==
           internal::FoldAsciiCase(QDir::cleanPath(b));
}

// The canonical spelling of a path whose last component may not exist yet.
QString CanonicalTarget(const QString& hostPath) {
    const QFileInfo info(hostPath);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty()) return QDir::cleanPath(info.absoluteFilePath());
    return folder + u'/' + info.fileName();
}

std::uint32_t ReadAll(int fd, char* out, std::uint32_t size, int* err) {
    std::uint32_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *err = errno;
            break;
        }
        if (n == 0) break;
        done += static_cast<std::uint32_t>(n);
    }
    return done;
}

std::uint32_t WriteAll(int fd, const char* in, std::uint32_t size, int* err) {
    std::uint32_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, in + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *err = n < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::uint32_t>(n);
    }
    return done;
}

// The power-loss journal of the fault injection: what each write not yet
// flushed replaced, so that a simulated power loss can undo it.
struct UnsyncedWrite {
    QByteArray path; // host path of the file
    off_t offset;
    QByteArray old;  // the bytes the write replaced (fewer at the old end of file)
    off_t oldSize;
};
std::vector<UnsyncedWrite> g_unsynced;

QByteArray PathOfFd(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    QByteArray path(4096, '\0');
    const ssize_t n = ::readlink(link, path.data(), static_cast<std::size_t>(path.size()));
    return n > 0 ? path.left(n) : QByteArray();
}

void JournalWrite(int fd, std::uint32_t size) {
    struct stat st {};
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at < 0 || ::fstat(fd, &st) != 0) return;
    UnsyncedWrite w{PathOfFd(fd), at, QByteArray(static_cast<qsizetype>(size), '\0'), st.st_size};
    const int in = ::open(w.path.constData(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = in < 0 ? 0 : ::pread(in, w.old.data(), size, at);
    if (in >= 0) ::close(in);
    w.old.truncate(std::max<ssize_t>(got, 0));
    g_unsynced.push_back(std::move(w));
}

void ForgetUnsynced(const QByteArray& path) {
    std::erase_if(g_unsynced, [&](const UnsyncedWrite& w) { return w.path == path; });
}

// fsync, and what it flushed leaves the power-loss journal.
bool Fsync(int fd) {
    if (::fsync(fd) != 0) return false;
    if (!g_unsynced.empty()) ForgetUnsynced(PathOfFd(fd));
    return true;
}

// A file renamed with writes not yet flushed keeps them unflushed under its
// new name (in the same folder).
void RenameUnsynced(const QByteArray& fromPath, const QString& to) {
    if (g_unsynced.empty()) return;
    const QByteArray toPath =
        fromPath.left(fromPath.lastIndexOf('/') + 1) + Native(QFileInfo(to).fileName());
    ForgetUnsynced(toPath); // the old file under that name is gone
    for (UnsyncedWrite& w : g_unsynced)
        if (w.path == fromPath) w.path = toPath;
}

// Undoes the journalled writes, newest first, but keeps the last `keep` of them.
void UndoUnsynced(std::size_t keep) {
    while (g_unsynced.size() > keep) {
        const UnsyncedWrite& w = g_unsynced[g_unsynced.size() - keep - 1];
        const int fd = ::open(w.path.constData(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            // Best effort: a test then sees the damage it looks for all the same.
            static_cast<void>(::pwrite(fd, w.old.constData(), static_cast<std::size_t>(w.old.size()),
                                       w.offset));
            static_cast<void>(::ftruncate(fd, w.oldSize));
            ::close(fd);
        }
        g_unsynced.erase(g_unsynced.end() - static_cast<std::ptrdiff_t>(keep) - 1);
    }
}

// A write that honours the injected faults: a cut writes only the bytes up to
// the limit, as a disk filling up at that byte would. Calls of the program's
// own files also count for FailNth / FailFrom.
bool FaultAwareWrite(int fd, const void* buffer, std::uint32_t size, std::uint32_t* written,
                     bool counted = true) {
    *written = 0;
    if (faults::BlockedByCut()) return false;
    if (counted && faults::ShouldFail(faults::Op::Write)) return false;
    const auto allowed = static_cast<std::uint32_t>(faults::AllowedWriteBytes(size));
    const DWORD cutCode = GetLastError();
    if (faults::JournallingUnsyncedWrites()) JournalWrite(fd, allowed);
    int err = 0;
    *written = WriteAll(fd, static_cast<const char*>(buffer), allowed, &err);
    if (*written < allowed) return Fail(ErrorFromErrno(err));
    if (allowed < size) {
        if (faults::JournallingUnsyncedWrites()) UndoUnsynced(1); // the cut write itself stays
        g_unsynced.clear();
        return Fail(cutCode);
    }
    return true;
}

bool SeekFd(int fd, std::int64_t offset, int whence, std::int64_t* newPosition) {
    const off_t pos = ::lseek(fd, static_cast<off_t>(offset), whence);
    if (pos < 0) return errno == EINVAL ? Fail(ERROR_INVALID_PARAMETER) : FailErrno();
    if (newPosition) *newPosition = pos;
    return true;
}

// The file a path finally names: symbolic links are followed (also one whose
// target does not exist yet), so that a replacement lands on the linked file
// and the link itself stays.
QString FinalTarget(const QString& hostPath) {
    QString path = hostPath;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(Native(path).constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(Native(path).constData(), target, sizeof target);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof target)) return path;
        const QString link = QFile::decodeName(QByteArray(target, n));
        path = QDir::cleanPath(
            link.startsWith(u'/') ? link : QFileInfo(path).absolutePath() + u'/' + link);
    }
    return path;
}

// Writes a new version of a host file beside it and renames it into place.
class AtomicWriter {
public:
    // The registry's own file passes counted = false: its writes must not shift
    // the numbering of the file calls a test aims a FailNth at. A cut stops it all the same.
    explicit AtomicWriter(bool counted = true) : m_counted(counted) {}
    ~AtomicWriter() { abandon(); }

    bool open(const QString& hostPath) {
        abandon();
        if (m_counted && faults::ShouldFail(faults::Op::Open)) return false;
        const QString target = FinalTarget(hostPath);
        if (IsFolder(target)) return Fail(ERROR_ACCESS_DENIED);
        if (!IsFolder(QFileInfo(target).absolutePath())) return Fail(ERROR_PATH_NOT_FOUND);
        if (!m_lock.acquire(hostPath, true)) return false;
        if (faults::BlockedByCut()) return releaseLock(false);
        m_target = target;
        m_temp = target + kReplacementSuffix;
        m_fd = ::open(Native(m_temp).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            const DWORD code = ErrorFromErrno(errno);
            releaseLock(false);
            return Fail(code);
        }
        return true;
    }

    bool write(const void* buffer, std::uint32_t size) {
        if (m_fd < 0) return Fail(ERROR_INVALID_HANDLE);
        std::uint32_t written = 0;
        return FaultAwareWrite(m_fd, buffer, size, &written, m_counted);
    }

    bool commit() {
        if (m_fd < 0) return Fail(ERROR_INVALID_HANDLE);
        if (faults::BlockedByCut()) return failCommit();
        if (!Fsync(m_fd)) {
            SetLastError(ErrorFromErrno(errno));
            return failCommit();
        }
        const QByteArray tempPath = g_unsynced.empty() ? QByteArray() : PathOfFd(m_fd);
        if (::close(std::exchange(m_fd, -1)) != 0) {
            SetLastError(ErrorFromErrno(errno));
            return failCommit();
        }
        if (::rename(Native(m_temp).constData(), Native(m_target).constData()) != 0) {
            SetLastError(ErrorFromErrno(errno));
            return failCommit();
        }
        RenameUnsynced(tempPath, m_target);
        internal::SyncParentFolder(m_target);
        m_temp.clear();
        return releaseLock(true);
    }

    void abandon() {
        if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
        // After a simulated crash nothing more reaches the disk, not even this.
        if (!m_temp.isEmpty() && !faults::WritesCut()) ::unlink(Native(m_temp).constData());
        m_temp.clear();
        m_lock.release();
    }

private:
    bool releaseLock(bool result) {
        m_lock.release();
        return result;
    }
    bool failCommit() {
        const DWORD code = GetLastError();
        abandon();
        return Fail(code);
    }

    bool m_counted;
    PathLock m_lock;
    int m_fd = -1;
    QString m_target;
    QString m_temp;
};

// '*' any run, '?' one character; both sides already case-folded.
bool WildcardMatch(QStringView mask, QStringView name) {
    qsizetype m = 0, n = 0, starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

// "*.*" and "name.*" also match names without any extension.
bool MaskMatches(const QString& foldedMask, const QString& foldedName) {
    if (WildcardMatch(foldedMask, foldedName)) return true;
    return foldedMask.endsWith(u".*") && WildcardMatch(foldedMask.chopped(2), foldedName);
}

// Copies what is left to read of source to hostTo, atomically.
bool CopyInto(File& source, const QString& hostTo, bool counted) {
    AtomicWriter target(counted);
    if (!target.open(hostTo)) return false;
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        std::uint32_t got = 0;
        if (!source.read(buffer.data(), kCopyChunk, &got)) return false;
        if (got == 0) break;
        if (!target.write(buffer.data(), got)) return false;
    }
    return target.commit();
}

// "<path>.<YYYYMMDD-HHMMSS>.bak", with "-1" … "-99" before ".bak" when taken;
// empty (ERROR_FILE_EXISTS) when all are.
QString DatedAsideName(const QString& hostPath) {
    const SYSTEMTIME t = GetLocalTime();
    const QString stem =
        hostPath + QString::asprintf(".%04d%02d%02d-%02d%02d%02d", t.wYear, t.wMonth, t.wDay,
                                     t.wHour, t.wMinute, t.wSecond);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = stem + (attempt > 0 ? u"-%1"_s.arg(attempt) : QString()) + u".bak"_s;
        struct stat st {};
        if (::lstat(Native(name).constData(), &st) != 0) return name;
    }
    Fail(ERROR_FILE_EXISTS);
    return {};
}

} // namespace

// ---- PathLock ---------------------------------------------------------------

namespace internal {

PathLock& PathLock::operator=(PathLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

bool PathLock::acquire(const QString& hostPath, bool exclusive) {
    release();
    const QString folder = RuntimeFolder() + u"/locks"_s;
    MakePrivateDirs(folder);
    const QString key = FoldAsciiCase(CanonicalTarget(hostPath));
    const QString lockFile = folder + u'/' + ShortHash(Native(key), 40) + u".lock"_s;
    const int fd = ::open(Native(lockFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return FailErrno();
    struct flock fl {};
    fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &fl) != 0) {
        const int err = errno;
        ::close(fd);
        return Fail(err == EAGAIN || err == EACCES ? ERROR_SHARING_VIOLATION : ErrorFromErrno(err));
    }
    m_fd = fd;
    return true;
}

void PathLock::release() {
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
}

bool CopyHostFileAside(const QString& hostPath) {
    const QString aside = DatedAsideName(hostPath);
    if (aside.isEmpty()) return false;
    const int fd = ::open(Native(hostPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FailErrno();
    AtomicWriter target(false);
    bool ok = target.open(aside);
    std::vector<char> buffer(kCopyChunk);
    while (ok) {
        int err = 0;
        const std::uint32_t got = ReadAll(fd, buffer.data(), kCopyChunk, &err);
        if (err != 0) ok = Fail(ErrorFromErrno(err));
        if (got == 0 || !ok) break;
        ok = target.write(buffer.data(), got);
    }
    ::close(fd);
    return ok && target.commit();
}

void RemoveUnfinishedReplacement(const QString& hostTemp) {
    if (!hostTemp.endsWith(kReplacementSuffix) || faults::BlockedByCut()) return;
    // A write still going on holds its target's lock; its file is not left over.
    PathLock lock;
    if (!lock.acquire(hostTemp.chopped(kReplacementSuffix.size()), true)) return;
    if (::unlink(Native(hostTemp).constData()) == 0) SyncParentFolder(hostTemp);
}

bool WriteHostFileAtomically(const QString& hostPath, const QByteArray& bytes) {
    AtomicWriter writer(false);
    return writer.open(hostPath) &&
           writer.write(bytes.constData(), static_cast<std::uint32_t>(bytes.size())) &&
           writer.commit();
}

} // namespace internal

// ---- File -------------------------------------------------------------------

struct File::Impl {
    int fd = -1;
    PathLock lock;
    bool canRead = false;
    bool canWrite = false;
};

File::File() : d(std::make_unique<Impl>()) {}
File::~File() {
    close();
}
File::File(File&&) noexcept = default;
File& File::operator=(File&&) noexcept = default;

bool File::open(const QString& path, unsigned access, unsigned share, Disposition disposition) {
    close();
    if (faults::ShouldFail(faults::Op::Open)) return false;
    QString host;
    if (!CheckedHostPath(path, &host)) return false;
    if (IsFolder(host)) return Fail(ERROR_ACCESS_DENIED);
    const bool truncates = disposition == Disposition::CreateAlways;
    if (truncates && faults::BlockedByCut()) return false;

    PathLock lock;
    if (!lock.acquire(host, share == FILE_SHARE_NONE)) return false;
    struct stat before {};
    const bool existed = StatPath(host, &before);
    // After a simulated crash nothing new reaches the disk, not even an empty file.
    const bool creates = !existed && disposition != Disposition::OpenExisting;
    if (creates && faults::BlockedByCut()) return false;

    const bool wantWrite = (access & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | ((wantWrite || truncates) ? O_RDWR : O_RDONLY);
    if (disposition == Disposition::CreateNew) flags |= O_CREAT | O_EXCL;
    if (disposition == Disposition::CreateAlways) flags |= O_CREAT | O_TRUNC;
    if (disposition == Disposition::OpenAlways) flags |= O_CREAT;
    const int fd = ::open(Native(host).constData(), flags, 0600);
    if (fd < 0) {
        if (errno == EEXIST) return Fail(ERROR_FILE_EXISTS);
        return FailMissingOr(host);
    }
    d->fd = fd;
    d->lock = std::move(lock);
    d->canRead = (access & GENERIC_READ) != 0 || !wantWrite;
    d->canWrite = wantWrite;
    // As on the handset, opening an existing file "always" says so.
    const bool always =
        disposition == Disposition::CreateAlways || disposition == Disposition::OpenAlways;
    SetLastError(existed && always ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return true;
}

bool File::isOpen() const {
    return d && d->fd >= 0;
}

bool File::read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
    if (bytesRead) *bytesRead = 0;
    if (!isOpen()) return Fail(ERROR_INVALID_HANDLE);
    if (!d->canRead) return Fail(ERROR_ACCESS_DENIED);
    if (faults::ShouldFail(faults::Op::Read)) return false;
    int err = 0;
    const std::uint32_t got = ReadAll(d->fd, static_cast<char*>(buffer), size, &err);
    if (bytesRead) *bytesRead = got;
    if (err != 0) return Fail(err == EIO ? ERROR_READ_FAULT : ErrorFromErrno(err));
    return true;
}

bool File::write(const void* buffer, std::uint32_t size, std::uint32_t* bytesWritten) {
    std::uint32_t written = 0;
    if (bytesWritten) *bytesWritten = 0;
    if (!isOpen()) return Fail(ERROR_INVALID_HANDLE);
    if (!d->canWrite) return Fail(ERROR_ACCESS_DENIED);
    const bool ok = FaultAwareWrite(d->fd, buffer, size, &written);
    if (bytesWritten) *bytesWritten = written;
    return ok;
}

bool File::seek(std::int64_t offset, SeekOrigin origin, std::int64_t* newPosition) {
    if (!isOpen()) return Fail(ERROR_INVALID_HANDLE);
    const int whence = origin == SeekOrigin::Begin     ? SEEK_SET
                       : origin == SeekOrigin::Current ? SEEK_CUR
                                                       : SEEK_END;
    return SeekFd(d->fd, offset, whence, newPosition);
}

std::int64_t File::size() {
    struct stat st {};
    if (!isOpen()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    if (::fstat(d->fd, &st) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return -1;
    }
    return st.st_size;
}

bool File::flush() {
    if (!isOpen()) return Fail(ERROR_INVALID_HANDLE);
    if (faults::BlockedByCut()) return false;
    return Fsync(d->fd) || FailErrno();
}

void File::close() {
    if (!d) return;
    if (d->fd >= 0) ::close(std::exchange(d->fd, -1));
    d->lock.release();
}

// ---- AtomicFile ---------------------------------------------------------------

struct AtomicFile::Impl {
    AtomicWriter writer;
};

AtomicFile::AtomicFile() : d(std::make_unique<Impl>()) {}
AtomicFile::~AtomicFile() = default;

bool AtomicFile::open(const QString& path) {
    QString host;
    if (!CheckedHostPath(path, &host)) return false;
    return d->writer.open(host);
}

bool AtomicFile::write(const void* buffer, std::uint32_t size) {
    return d->writer.write(buffer, size);
}

bool AtomicFile::commit() {
    return d->writer.commit();
}

void AtomicFile::abandon() {
    d->writer.abandon();
}

// ---- Whole files and folders ----------------------------------------------------

FileAttributes GetFileAttributes(const QString& path) {
    FileAttributes attributes;
    const QString host = ToHostPath(path);
    struct stat st {};
    if (path.isEmpty() || !StatPath(host, &st)) {
        if (path.isEmpty()) errno = ENOENT;
        FailMissingOr(host);
        return attributes;
    }
    attributes.exists = true;
    attributes.isDirectory = S_ISDIR(st.st_mode);
    attributes.size = attributes.isDirectory ? 0 : st.st_size;
    return attributes;
}

bool CopyFile(const QString& from, const QString& to, bool failIfExists) {
    if (faults::ShouldFail(faults::Op::Copy)) return false;
    QString hostTo;
    if (!CheckedHostPath(to, &hostTo)) return false;
    const QString hostFrom = ToHostPath(from);
    struct stat st {};
    if (!StatPath(hostFrom, &st)) return FailMissingOr(hostFrom);
    if (S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    // Writing a file onto itself would truncate the only copy of it.
    if (SameFile(hostFrom, hostTo)) return Fail(ERROR_ACCESS_DENIED);
    if (failIfExists && StatPath(hostTo, &st)) return Fail(ERROR_FILE_EXISTS);

    File source;
    if (!source.open(from, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting)) return false;
    return CopyInto(source, hostTo, true);
}

bool KeepFileAside(const QString& path) {
    const QString host = ToHostPath(path);
    File source;
    if (!source.open(path, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting))
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    const QString aside = DatedAsideName(host);
    return source.size() == 0 || (!aside.isEmpty() && CopyInto(source, aside, true));
}

QString FreeAsideName(const QString& path) {
    const QString aside = DatedAsideName(ToHostPath(path));
    return aside.isEmpty() ? QString() : ToHandsetPath(aside);
}

void RemoveUnfinishedReplacements(const QString& folder) {
    const QString host = ToHostPath(folder);
    const QStringList leftovers = QDir(host).entryList({u"*"_s + kReplacementSuffix},
                                                       QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : leftovers)
        internal::RemoveUnfinishedReplacement(host + u'/' + name);
}

bool MoveFile(const QString& from, const QString& to) {
    QString hostTo;
    if (!CheckedHostPath(to, &hostTo)) return false;
    const QString hostFrom = ToHostPath(from);
    struct stat st {};
    if (::lstat(Native(hostFrom).constData(), &st) != 0) return FailMissingOr(hostFrom);
    const bool caseOnly = SameFile(hostFrom, hostTo);
    if (caseOnly) {
        // Only the letter case changes: keep the spelling the caller gave.
        hostTo = QFileInfo(hostTo).absolutePath() + u'/' +
                 QFileInfo(QString(to).replace(u'\\', u'/')).fileName();
    } else if (::lstat(Native(hostTo).constData(), &st) == 0) {
        return Fail(ERROR_ALREADY_EXISTS);
    }
    if (faults::BlockedByCut()) return false;
    PathLock fromLock, toLock;
    if (!fromLock.acquire(hostFrom, true)) return false;
    if (!caseOnly && !toLock.acquire(hostTo, true)) return false; // one path, one lock
    if (::rename(Native(hostFrom).constData(), Native(hostTo).constData()) != 0)
        return FailMissingOr(hostTo);
    internal::SyncParentFolder(hostTo);
    internal::SyncParentFolder(hostFrom);
    return true;
}

bool DeleteFile(const QString& path) {
    if (faults::ShouldFail(faults::Op::Delete)) return false;
    const QString host = ToHostPath(path);
    struct stat st {};
    if (path.isEmpty() || ::lstat(Native(host).constData(), &st) != 0) {
        if (path.isEmpty()) errno = ENOENT;
        return FailMissingOr(host);
    }
    if (S_ISDIR(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    if (faults::BlockedByCut()) return false;
    PathLock lock; // an open file cannot be deleted
    if (!lock.acquire(host, true)) return false;
    if (::unlink(Native(host).constData()) != 0) return FailMissingOr(host);
    internal::SyncParentFolder(host);
    return true;
}

bool CreateDirectory(const QString& path) {
    QString host;
    if (!CheckedHostPath(path, &host)) return false;
    if (faults::BlockedByCut()) return false;
    if (::mkdir(Native(host).constData(), 0700) == 0) return true;
    if (errno == ENOENT) return Fail(ERROR_PATH_NOT_FOUND);
    return FailErrno();
}

// ---- FileFind -------------------------------------------------------------------

struct FileFind::Impl {
    std::vector<FindData> entries;
    std::size_t next = 0;
    bool active = false;
};

FileFind::FileFind() : d(std::make_unique<Impl>()) {}
FileFind::~FileFind() = default;

bool FileFind::first(const QString& pattern, FindData* data) {
    close();
    QString unified = pattern;
    unified.replace(u'/', u'\\');
    const qsizetype cut = unified.lastIndexOf(u'\\');
    const QString folder = cut < 0 ? QString() : unified.left(cut);
    const QString mask = internal::FoldAsciiCase(unified.mid(cut + 1));
    const QString hostFolder = ToHostPath(folder.isEmpty() ? QStringLiteral("\\") : folder);
    if (!IsFolder(hostFolder)) return Fail(ERROR_PATH_NOT_FOUND);
    if (mask.isEmpty()) return Fail(ERROR_FILE_NOT_FOUND);

    const QFileInfoList infos =
        QDir(hostFolder)
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : infos) {
        const QString name = info.fileName();
        // Half-written replacements are the platform's own, never the caller's.
        if (name.endsWith(kReplacementSuffix)) continue;
        if (!MaskMatches(mask, internal::FoldAsciiCase(name))) continue;
        d->entries.push_back({name, info.isDir(), info.isDir() ? 0 : info.size()});
    }
    if (d->entries.empty()) return Fail(ERROR_FILE_NOT_FOUND);
    std::sort(d->entries.begin(), d->entries.end(), [](const FindData& a, const FindData& b) {
        const int folded = internal::FoldAsciiCase(a.name).compare(internal::FoldAsciiCase(b.name));
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    d->active = true;
    return next(data);
}

bool FileFind::next(FindData* data) {
    if (!d->active) return Fail(ERROR_INVALID_HANDLE);
    if (d->next >= d->entries.size()) return Fail(ERROR_NO_MORE_FILES);
    if (data) *data = d->entries[d->next];
    ++d->next;
    return true;
}

void FileFind::close() {
    d->entries.clear();
    d->next = 0;
    d->active = false;
}

} // namespace plat

namespace plat::faults {

void PowerLoss() {
    UndoUnsynced(0);
}

} // namespace plat::faults
