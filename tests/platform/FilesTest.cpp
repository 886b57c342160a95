// Files in handset notation: dispositions, error codes, sharing, copy, move,
// delete, folders and wildcard searches.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Files.h"

#include <QDir>
#include <functional>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

constexpr unsigned kReadWrite = GENERIC_READ | GENERIC_WRITE;

class FilesTest : public DeviceTest {
protected:
    static bool openExisting(File& file, const QString& path, unsigned share = FILE_SHARE_READ) {
        return file.open(path, GENERIC_READ, share, Disposition::OpenExisting);
    }
    static QByteArray readAll(File& file) {
        QByteArray out(4096, '\0');
        std::uint32_t got = 0;
        EXPECT_TRUE(file.read(out.data(), 4096, &got));
        out.resize(got);
        return out;
    }
};

TEST_F(FilesTest, DispositionsOnMissingAndExistingFiles) {
    struct Row {
        const char* name;
        Disposition disposition;
        bool exists;
        bool ok;
        DWORD error;
        QByteArray after;
    };
    const Row rows[] = {
        {"create-new on missing", Disposition::CreateNew, false, true, ERROR_SUCCESS, ""},
        {"create-new on existing", Disposition::CreateNew, true, false, ERROR_FILE_EXISTS, "old"},
        {"create-always on missing", Disposition::CreateAlways, false, true, ERROR_SUCCESS, ""},
        {"create-always truncates", Disposition::CreateAlways, true, true, ERROR_ALREADY_EXISTS,
         ""},
        {"open-existing on missing", Disposition::OpenExisting, false, false, ERROR_FILE_NOT_FOUND,
         ""},
        {"open-existing keeps", Disposition::OpenExisting, true, true, ERROR_SUCCESS, "old"},
        {"open-always on missing", Disposition::OpenAlways, false, true, ERROR_SUCCESS, ""},
        {"open-always keeps", Disposition::OpenAlways, true, true, ERROR_ALREADY_EXISTS, "old"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteFile(u"\\a.dat"_s);
        if (row.exists) writeFile(u"\\a.dat"_s, "old");
        File file;
        EXPECT_EQ(file.open(u"\\a.dat"_s, kReadWrite, FILE_SHARE_NONE, row.disposition), row.ok);
        EXPECT_EQ(GetLastError(), row.error);
        file.close();
        EXPECT_EQ(fileExists(u"\\a.dat"_s), row.ok || row.exists);
        EXPECT_EQ(readFile(u"\\a.dat"_s), row.after);
    }
}

TEST_F(FilesTest, ReadWriteSeekSizeAndTruncate) {
    File file;
    ASSERT_TRUE(file.open(u"\\My Documents\\d.bin"_s, kReadWrite, FILE_SHARE_NONE,
                          Disposition::CreateAlways));
    std::uint32_t written = 0;
    ASSERT_TRUE(file.write("0123456789", 10, &written));
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(file.size(), 10);
    std::int64_t pos = -1;
    ASSERT_TRUE(file.seek(-4, SeekOrigin::End, &pos));
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(readAll(file), "6789");
    ASSERT_TRUE(file.seek(2, SeekOrigin::Begin));
    ASSERT_TRUE(file.seek(1, SeekOrigin::Current, &pos));
    EXPECT_EQ(pos, 3);
    EXPECT_FALSE(file.seek(-1, SeekOrigin::Begin));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    file.close();
    EXPECT_EQ(readFile(u"\\My Documents\\d.bin"_s), "0123456789");
    EXPECT_EQ(fileMode(u"\\My Documents\\d.bin"_s), 0600u);

    ASSERT_TRUE(openExisting(file, u"\\My Documents\\d.bin"_s));
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    file.close();
    EXPECT_EQ(readFile(u"\\My Documents\\d.bin"_s), "0123456789");
    EXPECT_FALSE(file.read(&written, 1, &written));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, SharingFollowsTheFirstOpensShareMode) {
    struct Row {
        const char* name;
        unsigned firstShare;
        unsigned secondShare;
        unsigned secondAccess;
        bool secondOpens;
    };
    const Row rows[] = {
        {"no sharing refuses a reader", FILE_SHARE_NONE, FILE_SHARE_READ, GENERIC_READ, false},
        {"no sharing refuses no sharing", FILE_SHARE_NONE, FILE_SHARE_NONE, GENERIC_READ, false},
        {"readers share", FILE_SHARE_READ, FILE_SHARE_READ, GENERIC_READ, true},
        {"a reader refuses no sharing", FILE_SHARE_READ, FILE_SHARE_NONE, GENERIC_WRITE, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeFile(u"\\x.dat"_s, "x");
        File first;
        ASSERT_TRUE(openExisting(first, u"\\x.dat"_s, row.firstShare));
        File moved = std::move(first); // the lock goes with the handle
        File second;
        EXPECT_EQ(
            second.open(u"\\X.DAT"_s, row.secondAccess, row.secondShare, Disposition::CreateAlways),
            row.secondOpens);
        EXPECT_EQ(GetLastError(), row.secondOpens ? ERROR_ALREADY_EXISTS : ERROR_SHARING_VIOLATION);
        EXPECT_EQ(readFile(u"\\x.dat"_s),
                  row.secondOpens ? "" : "x"); // a refused create truncates nothing
    }
    File owner;
    ASSERT_TRUE(openExisting(owner, u"\\x.dat"_s, FILE_SHARE_NONE));
    EXPECT_FALSE(DeleteFile(u"\\x.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    owner.close();
    EXPECT_TRUE(openExisting(owner, u"\\x.dat"_s, FILE_SHARE_NONE));
}

TEST_F(FilesTest, CopyReplacesTargetAndRefusesItself) {
    writeFile(u"\\a.dat"_s, "source");
    writeFile(u"\\b.dat"_s, "old target");
    EXPECT_FALSE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, true));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(readFile(u"\\b.dat"_s), "old target");
    EXPECT_TRUE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, false));
    EXPECT_EQ(readFile(u"\\b.dat"_s), "source");

    ASSERT_EQ(::link(QFile::encodeName(host(u"\\a.dat"_s)).constData(),
                     QFile::encodeName(host(u"\\link.dat"_s)).constData()),
              0);
    for (const QString& self : {u"\\a.dat"_s, u"\\A.DAT"_s, u"/a.Dat"_s, u"\\link.dat"_s}) {
        SCOPED_TRACE(self.toStdString());
        EXPECT_FALSE(CopyFile(u"\\a.dat"_s, self, false));
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        EXPECT_EQ(readFile(u"\\a.dat"_s), "source");
    }
    EXPECT_FALSE(CopyFile(u"\\none.dat"_s, u"\\c.dat"_s, false));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fileExists(u"\\c.dat"_s));

    File holder;
    ASSERT_TRUE(openExisting(holder, u"\\b.dat"_s, FILE_SHARE_NONE));
    EXPECT_FALSE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, false));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(readFile(u"\\b.dat"_s), "source"); // as the first copy left it
}

// Each call in turn, on the state the rows before it left.
TEST_F(FilesTest, CallsFailWithTheirErrorCodes) {
    writeFile(u"\\a.dat"_s, "a");
    writeFile(u"\\b.dat"_s, "b");
    const auto open = [](const QString& path) {
        File file;
        return openExisting(file, path) || file.isOpen();
    };
    struct Row {
        const char* name;
        std::function<bool()> call;
        DWORD error; // ERROR_SUCCESS: the call succeeds
    };
    const Row rows[] = {
        {"open a missing file", [&] { return open(u"\\nothing.dat"_s); }, ERROR_FILE_NOT_FOUND},
        {"open in a missing folder", [&] { return open(u"\\no folder\\x.dat"_s); },
         ERROR_PATH_NOT_FOUND},
        {"open a wildcard name", [&] { return open(u"\\a*.dat"_s); }, ERROR_INVALID_NAME},
        {"open an empty path", [&] { return open(QString()); }, ERROR_PATH_NOT_FOUND},
        {"delete a missing file", [] { return DeleteFile(u"\\none.dat"_s); }, ERROR_FILE_NOT_FOUND},
        {"delete in a missing folder", [] { return DeleteFile(u"\\no\\none.dat"_s); },
         ERROR_PATH_NOT_FOUND},
        {"create a folder", [] { return CreateDirectory(u"\\備考"_s); }, ERROR_SUCCESS},
        {"create it again", [] { return CreateDirectory(u"\\備考"_s); }, ERROR_ALREADY_EXISTS},
        {"create in a missing folder", [] { return CreateDirectory(u"\\a\\b"_s); },
         ERROR_PATH_NOT_FOUND},
        {"open a folder", [&] { return open(u"\\備考"_s); }, ERROR_ACCESS_DENIED},
        {"delete a folder as a file", [] { return DeleteFile(u"\\備考"_s); }, ERROR_ACCESS_DENIED},
        {"attributes in a missing folder", [] { return GetFileAttributes(u"\\no\\x"_s).exists; },
         ERROR_PATH_NOT_FOUND},
        {"move onto an existing file", [] { return MoveFile(u"\\a.dat"_s, u"\\b.dat"_s); },
         ERROR_ALREADY_EXISTS},
        {"move a missing file", [] { return MoveFile(u"\\gone.dat"_s, u"\\d.dat"_s); },
         ERROR_FILE_NOT_FOUND},
        {"move", [] { return MoveFile(u"\\a.dat"_s, u"\\c.dat"_s); }, ERROR_SUCCESS},
        {"move to another case", [] { return MoveFile(u"\\c.dat"_s, u"\\C.DAT"_s); },
         ERROR_SUCCESS},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.call(), row.error == ERROR_SUCCESS);
        if (row.error != ERROR_SUCCESS) {
            EXPECT_EQ(GetLastError(), row.error);
        }
    }
    EXPECT_EQ(readFile(u"\\b.dat"_s), "b");
    EXPECT_EQ(QDir(deviceDir() + u"/fs"_s).entryList(QDir::Files),
              QStringList({u"b.dat"_s, u"C.DAT"_s}));
    EXPECT_EQ(fileMode(u"\\備考"_s), 0700u);

    writeFile(u"\\備考\\食費.DAT"_s, "12345");
    const FileAttributes file = GetFileAttributes(u"\\備考\\食費.dat"_s);
    EXPECT_TRUE(file.exists);
    EXPECT_FALSE(file.isDirectory);
    EXPECT_EQ(file.size, 5);
    EXPECT_TRUE(GetFileAttributes(u"\\備考"_s).isDirectory);
    EXPECT_TRUE(DeleteFile(u"\\備考\\食費.dat"_s));
    EXPECT_FALSE(GetFileAttributes(u"\\備考\\食費.DAT"_s).exists);
}

TEST_F(FilesTest, WildcardSearchIgnoresCaseAndComesInNameOrder) {
    for (const char16_t* name : {u"b.DAT", u"a.dat", u"C.Dat", u"notes.txt", u"README"})
        writeFile(u"\\d\\"_s + QString::fromUtf16(name), "1234");
    CreateDirectory(u"\\d\\sub.dat"_s);
    writeFile(u"\\d\\half.DAT.tb-new"_s, "x");

    struct Row {
        const char* name;
        QString pattern;
        QStringList expected; // a folder marked with a trailing slash
        DWORD error;          // after the last match, or of a search finding nothing
    };
    const Row rows[] = {
        {"extension any case",
         u"\\d\\*.DAT"_s,
         {u"a.dat"_s, u"b.DAT"_s, u"C.Dat"_s, u"sub.dat/"_s},
         ERROR_NO_MORE_FILES},
        {"star dot star takes all",
         u"/D/*.*"_s,
         {u"a.dat"_s, u"b.DAT"_s, u"C.Dat"_s, u"notes.txt"_s, u"README"_s, u"sub.dat/"_s},
         ERROR_NO_MORE_FILES},
        {"question mark",
         u"\\d\\?.dat"_s,
         {u"a.dat"_s, u"b.DAT"_s, u"C.Dat"_s},
         ERROR_NO_MORE_FILES},
        {"exact name", u"\\d\\readme"_s, {u"README"_s}, ERROR_NO_MORE_FILES},
        {"nothing matches", u"\\d\\*.csv"_s, {}, ERROR_FILE_NOT_FOUND},
        {"missing folder", u"\\none\\*.*"_s, {}, ERROR_PATH_NOT_FOUND},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FileFind find;
        FindData data;
        QStringList found;
        for (bool ok = find.first(row.pattern, &data); ok; ok = find.next(&data)) {
            found << data.name + (data.isDirectory ? u"/"_s : QString());
            EXPECT_EQ(data.size, data.isDirectory ? 0 : 4);
        }
        EXPECT_EQ(GetLastError(), row.error);
        EXPECT_EQ(found, row.expected);
    }
    FileFind closed;
    FindData data;
    EXPECT_FALSE(closed.next(&data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, InjectedFailuresFromTheNthCallOnUntilReset) {
    writeFile(u"\\a.dat"_s, "abc");
    File file;
    ASSERT_TRUE(openExisting(file, u"\\a.dat"_s));
    faults::FailFrom(faults::Op::Read, 2, ERROR_READ_FAULT);
    char c = 0;
    std::uint32_t got = 0;
    EXPECT_TRUE(file.read(&c, 1, &got));
    for (int call = 2; call <= 3; ++call) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(file.read(&c, 1, &got)) << call;
        EXPECT_EQ(GetLastError(), ERROR_READ_FAULT);
    }
    faults::Reset();
    EXPECT_TRUE(file.read(&c, 1, &got));
}

TEST_F(FilesTest, CutWritesStopMidWriteAndEverythingAfter) {
    writeFile(u"\\b.dat"_s, "b");
    File file;
    ASSERT_TRUE(file.open(u"\\a.dat"_s, kReadWrite, FILE_SHARE_NONE, Disposition::CreateAlways));
    faults::CutWritesAfter(5);
    std::uint32_t written = 0;
    EXPECT_TRUE(file.write("abc", 3, &written));
    EXPECT_FALSE(faults::WritesCut());
    EXPECT_FALSE(file.write("defg", 4, &written));
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_TRUE(faults::WritesCut());
    EXPECT_FALSE(file.write("h", 1, &written));
    EXPECT_EQ(written, 0u);
    const std::function<bool()> refused[] = {
        [&] { return file.flush(); },
        [&] { return DeleteFile(u"\\b.dat"_s); },
        [&] { return MoveFile(u"\\b.dat"_s, u"\\c.dat"_s); },
        [&] { return CreateDirectory(u"\\folder"_s); },
        [&] { return File().open(u"\\a.dat"_s, GENERIC_WRITE, 0, Disposition::CreateAlways); },
        [&] { return File().open(u"\\new.dat"_s, GENERIC_WRITE, 0, Disposition::OpenAlways); },
    };
    for (const auto& call : refused)
        EXPECT_FALSE(call()) << &call - refused;
    file.close();
    EXPECT_EQ(QDir(deviceDir() + u"/fs"_s).entryList(QDir::Files),
              QStringList({u"a.dat"_s, u"b.dat"_s}));
    EXPECT_EQ(readFile(u"\\a.dat"_s), "abcde");
    EXPECT_TRUE(openExisting(file, u"\\a.dat"_s));
}

} // namespace
