// Files in handset notation, their error codes, injected faults, the atomic writer, locks.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <QDir>
#include <QProcess>
#include <functional>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

// A call and its text, for a table row that names what failed.
#define CALL(expr) #expr, [&] { return expr; }

constexpr DWORD kSucceeded = 0xFFFFFFFF; // no call fails with this code
DWORD FailedWith(bool ok) {
    return ok ? kSucceeded : GetLastError();
}

// A second process on a device (PlatformHelper.cpp) and its answer; it keeps what it
// got until destroyed, when QProcess kills it and waits for its end.
struct Helper {
    Helper(const QString& device, const char* command, const QString& argument) {
        process.start(QStringLiteral(TB_PLATFORM_HELPER),
                      {device, QString::fromLatin1(command), argument});
        process.waitForReadyRead(20000);
        answer = QString::fromUtf8(process.readLine()).trimmed();
    }
    QProcess process;
    QString answer;
};

class FilesTest : public DeviceTest {
protected:
    static bool openExisting(File& file, const QString& path, unsigned share = FILE_SHARE_READ) {
        return file.open(path, GENERIC_READ, share, Disposition::OpenExisting);
    }
    QStringList rootFiles() const { return QDir(deviceDir() + u"/fs"_s).entryList(QDir::Files); }
};

TEST_F(FilesTest, DispositionsAndSharingOnOpen) {
    // disposition, file there before, opens, last error, contents after
    const std::tuple<Disposition, bool, bool, DWORD, QByteArray> dispositions[] = {
        {Disposition::CreateNew, false, true, ERROR_SUCCESS, ""},
        {Disposition::CreateNew, true, false, ERROR_FILE_EXISTS, "old"},
        {Disposition::CreateAlways, false, true, ERROR_SUCCESS, ""},
        {Disposition::CreateAlways, true, true, ERROR_ALREADY_EXISTS, ""}, // truncated
        {Disposition::OpenExisting, false, false, ERROR_FILE_NOT_FOUND, ""},
        {Disposition::OpenExisting, true, true, ERROR_SUCCESS, "old"},
        {Disposition::OpenAlways, false, true, ERROR_SUCCESS, ""},
        {Disposition::OpenAlways, true, true, ERROR_ALREADY_EXISTS, "old"},
    };
    for (const auto& [disposition, exists, ok, error, after] : dispositions) {
        SCOPED_TRACE(testing::Message() << int(disposition) << (exists ? " on existing" : ""));
        DeleteFile(u"\\a.dat"_s);
        if (exists) writeFile(u"\\a.dat"_s, "old");
        File file; // braces keep the calls in order
        EXPECT_EQ((std::tuple{file.open(u"\\a.dat"_s, GENERIC_READ | GENERIC_WRITE, 0, disposition),
                              GetLastError(), fileExists(u"\\a.dat"_s), readFile(u"\\a.dat"_s)}),
                  std::tuple(ok, error, ok || exists, after));
    }
    // first share mode, second share mode and access, second opens
    const std::tuple<unsigned, unsigned, unsigned, bool> sharing[] = {
        {FILE_SHARE_NONE, FILE_SHARE_READ, GENERIC_READ, false},
        {FILE_SHARE_NONE, FILE_SHARE_NONE, GENERIC_READ, false},
        {FILE_SHARE_READ, FILE_SHARE_READ, GENERIC_READ, true},
        {FILE_SHARE_READ, FILE_SHARE_NONE, GENERIC_WRITE, false},
    };
    for (const auto& [firstShare, secondShare, secondAccess, opens] : sharing) {
        SCOPED_TRACE(testing::Message() << firstShare << secondShare << secondAccess);
        writeFile(u"\\x.dat"_s, "x");
        File first;
        ASSERT_TRUE(openExisting(first, u"\\x.dat"_s, firstShare));
        File moved = std::move(first); // the lock goes with the handle
        File second;
        EXPECT_EQ(second.open(u"\\X.DAT"_s, secondAccess, secondShare, Disposition::CreateAlways),
                  opens);
        EXPECT_EQ(GetLastError(), opens ? ERROR_ALREADY_EXISTS : ERROR_SHARING_VIOLATION);
        EXPECT_EQ(readFile(u"\\x.dat"_s), opens ? "" : "x"); // a refused create truncates nothing
    }
}

// Each call in turn, on the state the rows before it left.
TEST_F(FilesTest, CallsFailWithTheirErrorCodes) {
    writeFile(u"\\a.dat"_s, "a");
    writeFile(u"\\b.dat"_s, "b");
    writeFile(u"\\old.dat"_s, "old");
    ASSERT_TRUE(QFile::link(host(u"\\a.dat"_s), host(u"\\link.dat"_s)));
    const auto open = [](const QString& path) {
        File file;
        return openExisting(file, path) || file.isOpen();
    };
    File holder, data, readOnly;
    const QString bin = u"\\My Documents\\d.bin"_s;
    std::uint32_t count = 0;
    std::int64_t pos = -1;
    char tail[8] = {};
    const std::tuple<const char*, std::function<bool()>, DWORD> rows[] = {
        {CALL(data.open(bin, GENERIC_READ | GENERIC_WRITE, 0, Disposition::CreateAlways) &&
              data.write("0123456789", 10, &count) && count == 10),
         kSucceeded},
        {CALL(data.seek(2, SeekOrigin::Begin) && data.seek(1, SeekOrigin::Current, &pos) &&
              pos == 3),
         kSucceeded},
        {CALL(data.seek(-4, SeekOrigin::End, &pos) && pos == 6 &&
              data.read(tail, sizeof tail, &count) && QByteArray(tail, count) == "6789"),
         kSucceeded},
        {CALL(data.seek(-1, SeekOrigin::Begin)), ERROR_INVALID_PARAMETER},
        {CALL((data.close(), data.read(tail, 1, &count))), ERROR_INVALID_HANDLE},
        {CALL(openExisting(readOnly, bin) && readOnly.write("x", 1)), ERROR_ACCESS_DENIED},
        {CALL(open(u"\\nothing.dat"_s)), ERROR_FILE_NOT_FOUND},
        {CALL(open(u"\\no folder\\x.dat"_s)), ERROR_PATH_NOT_FOUND},
        {CALL(open(u"\\a*.dat"_s)), ERROR_INVALID_NAME},
        {CALL(open(QString())), ERROR_PATH_NOT_FOUND},
        {CALL(DeleteFile(u"\\none.dat"_s)), ERROR_FILE_NOT_FOUND},
        {CALL(DeleteFile(u"\\no\\none.dat"_s)), ERROR_PATH_NOT_FOUND},
        {CALL(CreateDirectory(u"\\備考"_s)), kSucceeded},
        {CALL(CreateDirectory(u"\\備考"_s)), ERROR_ALREADY_EXISTS},
        {CALL(CreateDirectory(u"\\a\\b"_s)), ERROR_PATH_NOT_FOUND},
        {CALL(open(u"\\備考"_s)), ERROR_ACCESS_DENIED},
        {CALL(DeleteFile(u"\\備考"_s)), ERROR_ACCESS_DENIED},
        {CALL(GetFileAttributes(u"\\no\\x"_s).exists), ERROR_PATH_NOT_FOUND},
        {CALL(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, true)), ERROR_FILE_EXISTS},
        {CALL(CopyFile(u"\\a.dat"_s, u"\\a.dat"_s, false)), ERROR_ACCESS_DENIED},
        {CALL(CopyFile(u"\\a.dat"_s, u"/A.Dat"_s, false)), ERROR_ACCESS_DENIED},
        {CALL(CopyFile(u"\\a.dat"_s, u"\\link.dat"_s, false)), ERROR_ACCESS_DENIED},
        {CALL(CopyFile(u"\\none.dat"_s, u"\\c.dat"_s, false)), ERROR_FILE_NOT_FOUND},
        {CALL(CopyFile(u"\\b.dat"_s, u"\\old.dat"_s, false)), kSucceeded},
        {CALL(MoveFile(u"\\a.dat"_s, u"\\b.dat"_s)), ERROR_ALREADY_EXISTS},
        {CALL(MoveFile(u"\\gone.dat"_s, u"\\d.dat"_s)), ERROR_FILE_NOT_FOUND},
        {CALL(MoveFile(u"\\a.dat"_s, u"\\c.dat"_s)), kSucceeded},
        {CALL(MoveFile(u"\\c.dat"_s, u"\\C.DAT"_s)), kSucceeded},
        {CALL(openExisting(holder, u"\\b.dat"_s, FILE_SHARE_NONE) &&
              CopyFile(u"\\C.DAT"_s, u"\\b.dat"_s, false)),
         ERROR_SHARING_VIOLATION},
        {CALL(DeleteFile(u"\\b.dat"_s)), ERROR_SHARING_VIOLATION},
    };
    for (const auto& [text, call, error] : rows)
        EXPECT_EQ(FailedWith(call()), error) << text;
    // Nothing refused changed a file, nor did copying a file onto itself.
    EXPECT_EQ(QList({readFile(u"\\b.dat"_s), readFile(u"\\old.dat"_s), readFile(u"\\C.DAT"_s)}),
              QList<QByteArray>({"b", "b", "a"}));
    EXPECT_EQ(rootFiles(), QStringList({u"b.dat"_s, u"C.DAT"_s, u"old.dat"_s}));
    EXPECT_EQ(std::pair(fileMode(bin), fileMode(u"\\備考"_s)), std::pair(0600u, 0700u));
    writeFile(u"\\備考\\食費.DAT"_s, "12345");
    const FileAttributes file = GetFileAttributes(u"\\備考\\食費.dat"_s);
    EXPECT_TRUE(file.exists && !file.isDirectory && file.size == 5);
    EXPECT_TRUE(GetFileAttributes(u"\\備考"_s).isDirectory);
    EXPECT_TRUE(DeleteFile(u"\\備考\\食費.dat"_s) &&
                !GetFileAttributes(u"\\備考\\食費.DAT"_s).exists);
}

TEST_F(FilesTest, WildcardSearchIgnoresCaseAndComesInNameOrder) {
    for (const QString& name : {u"b.DAT"_s, u"a.dat"_s, u"C.Dat"_s, u"notes.txt"_s, u"README"_s})
        writeFile(u"\\d\\"_s + name, "1234");
    CreateDirectory(u"\\d\\sub.dat"_s);
    writeFile(u"\\d\\half.DAT.tb-new"_s, "x");
    const QString dats = u"a.dat b.DAT C.Dat"_s;
    // pattern, names found (a folder marked with a slash), error after the last
    const std::tuple<QString, QString, DWORD> rows[] = {
        {u"\\d\\*.DAT"_s, dats + u" sub.dat/"_s, ERROR_NO_MORE_FILES},
        {u"/D/*.*"_s, dats + u" notes.txt README sub.dat/"_s, ERROR_NO_MORE_FILES},
        {u"\\d\\?.dat"_s, dats, ERROR_NO_MORE_FILES},
        {u"\\d\\readme"_s, u"README"_s, ERROR_NO_MORE_FILES},
        {u"\\d\\*.csv"_s, QString(), ERROR_FILE_NOT_FOUND},
        {u"\\none\\*.*"_s, QString(), ERROR_PATH_NOT_FOUND},
    };
    FindData data;
    for (const auto& [pattern, expected, error] : rows) {
        FileFind find;
        QStringList found;
        for (bool ok = find.first(pattern, &data); ok; ok = find.next(&data)) {
            found << data.name + (data.isDirectory ? u"/"_s : QString());
            EXPECT_EQ(data.size, data.isDirectory ? 0 : 4);
        }
        EXPECT_EQ(std::pair(found.join(u' '), GetLastError()), std::pair(expected, error))
            << pattern.toStdString();
    }
    EXPECT_EQ(FailedWith(FileFind().next(&data)), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, InjectedFailuresLastUntilResetAndCutWritesStopEverythingAfter) {
    writeFile(u"\\a.dat"_s, "abc");
    File file;
    ASSERT_TRUE(openExisting(file, u"\\a.dat"_s));
    const auto read = [&file] {
        char c = 0;
        SetLastError(ERROR_SUCCESS);
        return FailedWith(file.read(&c, 1, nullptr));
    };
    faults::FailFrom(faults::Op::Read, 2, ERROR_READ_FAULT);
    EXPECT_EQ((std::vector{read(), read(), read()}),
              (std::vector{kSucceeded, DWORD{ERROR_READ_FAULT}, DWORD{ERROR_READ_FAULT}}));
    faults::Reset();
    EXPECT_EQ(read(), kSucceeded);
    file.close();

    writeFile(u"\\b.dat"_s, "b");
    ASSERT_TRUE(file.open(u"\\a.dat"_s, GENERIC_WRITE, 0, Disposition::CreateAlways));
    faults::CutWritesAfter(5);
    std::uint32_t written[3] = {9, 9, 9}; // by each write
    EXPECT_TRUE(file.write("abc", 3, &written[0]));
    EXPECT_FALSE(faults::WritesCut());
    EXPECT_EQ(FailedWith(file.write("defg", 4, &written[1])), ERROR_DISK_FULL);
    EXPECT_TRUE(faults::WritesCut());
    const std::pair<const char*, std::function<bool()>> refused[] = {
        {CALL(file.write("h", 1, &written[2]))},
        {CALL(file.flush())},
        {CALL(DeleteFile(u"\\b.dat"_s))},
        {CALL(MoveFile(u"\\b.dat"_s, u"\\c.dat"_s))},
        {CALL(CreateDirectory(u"\\folder"_s))},
        {CALL(File().open(u"\\b.dat"_s, GENERIC_WRITE, 0, Disposition::CreateAlways))},
        {CALL(File().open(u"\\new.dat"_s, GENERIC_WRITE, 0, Disposition::OpenAlways))},
    };
    for (const auto& [text, call] : refused)
        EXPECT_FALSE(call()) << text;
    EXPECT_EQ(std::vector(written, written + 3), (std::vector<std::uint32_t>{3, 2, 0}));
    file.close();
    EXPECT_EQ(rootFiles(), QStringList({u"a.dat"_s, u"b.dat"_s}));
    EXPECT_EQ(readFile(u"\\a.dat"_s), "abcde");
    EXPECT_TRUE(openExisting(file, u"\\a.dat"_s));
}

class AtomicFileTest : public FilesTest {
protected:
    const QString target = u"\\My Documents\\Tallybook\\収支.DAT"_s;
    const QByteArray oldBytes = "OLD CONTENTS";
    const QByteArray newBytes{"TALY\x01\x00\x00\x00 the new, longer contents", 33};

    void SetUp() override {
        FilesTest::SetUp();
        writeFile(target, oldBytes);
    }
    // Writes newBytes in three pieces, the way a header and records go out.
    bool replace() {
        AtomicFile file;
        return file.open(target) && file.write(newBytes.constData(), 4) &&
               file.write(newBytes.constData() + 4, 10) &&
               file.write(newBytes.constData() + 14, 19) && file.commit();
    }
    QStringList folderEntries() {
        return QDir(host(u"\\My Documents\\Tallybook"_s)).entryList(QDir::Files);
    }
};

TEST_F(AtomicFileTest, CutAtEveryByteAndFailedOpensAndUnfinishedReplacesKeepOldOrNew) {
    for (qsizetype cut = 0; cut <= newBytes.size() + 1; ++cut) {
        SCOPED_TRACE(cut);
        faults::Reset();
        writeFile(target, oldBytes);
        faults::CutWritesAfter(cut);
        const bool ok = replace();
        EXPECT_EQ(ok, cut >= newBytes.size());
        EXPECT_EQ(readFile(target), ok ? newBytes : oldBytes);
    }
    faults::Reset();
    writeFile(target, oldBytes);
    AtomicFile file;
    EXPECT_EQ(FailedWith(file.open(u"\\My Documents"_s)), ERROR_ACCESS_DENIED);
    EXPECT_EQ(FailedWith(file.open(u"\\no such folder\\a.dat"_s)), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FailedWith(file.write("x", 1)), ERROR_INVALID_HANDLE);
    {
        AtomicFile dropped; // destroyed without a commit
        ASSERT_TRUE(dropped.open(target) && dropped.write("partial", 7));
    }
    ASSERT_TRUE(file.open(target) && file.write("partial", 7));
    file.abandon();
    EXPECT_EQ(FailedWith(file.commit()), ERROR_INVALID_HANDLE);
    EXPECT_EQ(folderEntries(), QStringList{u"収支.DAT"_s});
    // A cut in another file's write fails the commit too.
    ASSERT_TRUE(file.open(target) && file.write(newBytes.constData(), 33));
    faults::CutWritesAfter(1);
    File other;
    ASSERT_TRUE(other.open(u"\\other.dat"_s, GENERIC_WRITE, 0, Disposition::CreateAlways));
    other.write("xy", 2);
    EXPECT_EQ(FailedWith(file.commit()), ERROR_DISK_FULL);
    EXPECT_EQ(readFile(target), oldBytes);
}

// Each is seen only on its own device.
TEST_F(AtomicFileTest, LocksAndTheNamedMutexAsThisAndAnotherProcessSeeThem) {
    bool exists = false;
    {
        Helper other(deviceDir(), "open", u"\\my documents\\TALLYBOOK\\収支.dat"_s);
        Helper holder(deviceDir(), "mutex", u"Orvane Tallybook"_s);
        ASSERT_EQ(other.answer + u' ' + holder.answer, u"held held"_s);
        File file;
        EXPECT_EQ(FailedWith(openExisting(file, target)), ERROR_SHARING_VIOLATION);
        EXPECT_EQ(FailedWith(AtomicFile().open(target)), ERROR_SHARING_VIOLATION);
        EXPECT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists) && exists &&
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }
    ReleaseNamedMutexes();
    ASSERT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists) && !exists);
    AtomicFile file;
    ASSERT_TRUE(file.open(target));
    File other;
    EXPECT_EQ(FailedWith(openExisting(other, target)), ERROR_SHARING_VIOLATION);
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(openExisting(other, target, FILE_SHARE_NONE));
    EXPECT_FALSE(AtomicFile().open(target)); // the lock survives the replace: it is the path's
    writeFile(u"\\a.dat"_s, "x");
    File held;
    ASSERT_TRUE(openExisting(held, u"\\a.dat"_s, FILE_SHARE_NONE));
    QTemporaryDir otherDevice;
    const std::tuple<QString, const char*, QString, QString> rows[] = {
        {deviceDir(), "open", u"\\MY DOCUMENTS\\Tallybook\\収支.DAT"_s, u"error 32"_s},
        {deviceDir(), "mutex", u"Orvane Tallybook"_s, u"exists"_s},
        {deviceDir(), "mutex", u"Another"_s, u"held"_s},
        {otherDevice.path(), "mutex", u"Orvane Tallybook"_s, u"held"_s},
        {otherDevice.path(), "open", u"\\a.dat"_s, u"held"_s},
    };
    for (const auto& [device, command, argument, answer] : rows)
        EXPECT_EQ(Helper(device, command, argument).answer, answer) << command;
}

} // namespace
