// Files in handset path notation. Every failure returns false (or an invalid
// result) and sets the platform's last-error code (Errors.h).
//
// Sharing: an open with share mode FILE_SHARE_NONE takes the path's lock; any
// other open of the same path (same or another process, any letter case) then
// fails with ERROR_SHARING_VIOLATION until it is closed. The lock belongs to the
// path, not to the inode, so an atomic replace of the file keeps it.
// Files and folders are created readable by their owner only.
#pragma once

#include "Errors.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace plat {

enum Access : unsigned { GENERIC_READ = 0x80000000u, GENERIC_WRITE = 0x40000000u };
enum Share : unsigned { FILE_SHARE_NONE = 0, FILE_SHARE_READ = 1, FILE_SHARE_WRITE = 2 };
enum class Disposition {
    CreateNew,    // fails with ERROR_FILE_EXISTS when it exists
    CreateAlways, // truncates an existing file
    OpenExisting, // fails with ERROR_FILE_NOT_FOUND when missing
    OpenAlways,   // creates when missing, keeps contents
};
enum class SeekOrigin { Begin, Current, End };

class File {
public:
    File();
    ~File();
    File(File&&) noexcept;
    File& operator=(File&&) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool open(const QString& path, unsigned access, unsigned share, Disposition disposition);
    bool isOpen() const;
    // A short read at the end of the file succeeds with *bytesRead < size.
    bool read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead);
    // Fails (ERROR_DISK_FULL and others) when not every byte was written;
    // *bytesWritten then says how many were.
    bool write(const void* buffer, std::uint32_t size, std::uint32_t* bytesWritten = nullptr);
    bool seek(std::int64_t offset, SeekOrigin origin, std::int64_t* newPosition = nullptr);
    std::int64_t size(); // -1 on failure
    bool flush();        // data reaches the disk (fsync)
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Writes a new version of a file beside it and replaces the old one in one step,
// so that a crash or a full disk at any byte leaves either the old or the new
// contents, never a mix. A symbolic link is followed: its target is replaced,
// the link stays. Holds the target path's no-sharing lock from open to
// commit or abandon; abandon (or destruction without commit) keeps the old file.
class AtomicFile {
public:
    AtomicFile();
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open(const QString& path);
    bool write(const void* buffer, std::uint32_t size);
    bool commit(); // flush, rename over the target, sync the folder
    void abandon();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

struct FileAttributes {
    bool exists = false;
    bool isDirectory = false;
    std::int64_t size = 0;
};
FileAttributes GetFileAttributes(const QString& path); // last error set when missing

// Copies, replacing the target unless failIfExists. Refuses (ERROR_ACCESS_DENIED)
// to copy a file onto itself, also through another letter case; the source is
// never truncated. The target is written atomically.
bool CopyFile(const QString& from, const QString& to, bool failIfExists);
bool MoveFile(const QString& from, const QString& to); // fails when `to` exists
// Copies a file that could not be read, before anything is written over it, to
// "<name>.<YYYYMMDD-HHMMSS>.bak" beside it ("-1" … "-99" added when taken).
// True when there is nothing to keep (missing or empty) or the copy succeeded.
bool KeepFileAside(const QString& path);
// A name "<path>.<YYYYMMDD-HHMMSS>.bak" beside a file that nothing holds yet,
// for moving the file aside; empty (ERROR_FILE_EXISTS) when every name is taken.
QString FreeAsideName(const QString& path);
// Removes the half-written replacements that atomic writes cut by a crash left
// in a folder; one whose write is still going on is left alone.
void RemoveUnfinishedReplacements(const QString& folder);
bool DeleteFile(const QString& path);
bool CreateDirectory(const QString& path); // ERROR_ALREADY_EXISTS when present

struct FindData {
    QString name; // the entry's own name, no folder
    bool isDirectory = false;
    std::int64_t size = 0;
};

// Wildcard search ("\folder\*.DAT", "*.*" matches every name) without regard to
// ASCII case. first() fails with ERROR_FILE_NOT_FOUND (or ERROR_PATH_NOT_FOUND)
// when nothing matches; next() fails with ERROR_NO_MORE_FILES at the end.
// "." and ".." are never reported. Entries come in name order.
class FileFind {
public:
    FileFind();
    ~FileFind();
    bool first(const QString& pattern, FindData* data);
    bool next(FindData* data);
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace plat
