// Helpers shared by the platform's own sources; not part of its interface.
#pragma once

#include "Errors.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace plat::internal {

// Forget cached state when the device changes (InitDevice).
void ResetRegistry();
void ResetImeState();

// Names on the handset match without regard to ASCII case (only A-Z fold).
QString FoldAsciiCase(QStringView text);
bool EqualsIgnoringAsciiCase(QStringView a, QStringView b);
// Lower-case hex of a SHA-1, cut to `length` characters.
QString ShortHash(const QByteArray& data, int length);

// Creates a folder and its missing parents readable by the owner only.
bool MakePrivateDirs(const QString& hostPath);
// fsync of the folder holding hostPath, so a rename or an unlink in it is durable.
void SyncParentFolder(const QString& hostPath);

// Holds an open-file-description lock on a file in RuntimeFolder() named after
// the case-folded canonical host path. Exclusive for no-sharing opens, shared
// otherwise; conflicts between processes and between two locks of one process.
class PathLock {
public:
    PathLock() = default;
    ~PathLock() { release(); }
    PathLock(const PathLock&) = delete;
    PathLock& operator=(const PathLock&) = delete;
    PathLock(PathLock&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    PathLock& operator=(PathLock&& other) noexcept;

    // False with ERROR_SHARING_VIOLATION when a conflicting lock is held.
    bool acquire(const QString& hostPath, bool exclusive);
    void release();
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Writes bytes to a host path through a temporary file beside it, then renames
// it over the target. A cut of the writes stops it; FailNth / FailFrom do not
// count it, so they keep aiming at the program's own file calls.
bool WriteHostFileAtomically(const QString& hostPath, const QByteArray& bytes);

// Copies a host file to its dated name beside it (as KeepFileAside).
bool CopyHostFileAside(const QString& hostPath);
// Deletes one "<target>.tb-new" unless a write to the target is going on.
void RemoveUnfinishedReplacement(const QString& hostTemp);

// The registry file's bytes as a fresh store reads them and writes them back
// (the store in use is not touched): for checking the reader on any input.
QByteArray ReserializedRegistry(const QByteArray& fileBytes);

} // namespace plat::internal
