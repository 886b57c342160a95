// Files in handset notation: dispositions, error codes, sharing, copy, move,
// delete, folders and wildcard searches.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Files.h"

#include <QFileInfo>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

class FilesTest : public DeviceTest {
protected:
    QByteArray readAll(File& file) {
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
        EXPECT_EQ(
            file.open(u"\\a.dat"_s, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_NONE, row.disposition),
            row.ok);
        EXPECT_EQ(GetLastError(), row.error);
        file.close();
        EXPECT_EQ(fileExists(u"\\a.dat"_s), row.ok || row.exists);
        EXPECT_EQ(readFile(u"\\a.dat"_s), row.after);
    }
}

TEST_F(FilesTest, ReadWriteSeekSizeAndTruncate) {
    File file;
    ASSERT_TRUE(file.open(u"\\My Documents\\d.bin"_s, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_NONE,
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
    ASSERT_TRUE(file.flush());
    file.close();
    EXPECT_EQ(readFile(u"\\My Documents\\d.bin"_s), "0123456789");
    EXPECT_EQ(fileMode(u"\\My Documents\\d.bin"_s), 0600u);
}

TEST_F(FilesTest, AccessModeIsEnforced) {
    writeFile(u"\\r.dat"_s, "abc");
    File file;
    ASSERT_TRUE(file.open(u"\\r.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    file.close();
    EXPECT_EQ(readFile(u"\\r.dat"_s), "abc");
    char c = 0;
    std::uint32_t got = 0;
    EXPECT_FALSE(file.read(&c, 1, &got));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, OpenErrorCodes) {
    struct Row {
        const char* name;
        QString path;
        DWORD error;
    };
    CreateDirectory(u"\\folder"_s);
    const Row rows[] = {
        {"missing file", u"\\nothing.dat"_s, ERROR_FILE_NOT_FOUND},
        {"missing folder", u"\\no folder\\x.dat"_s, ERROR_PATH_NOT_FOUND},
        {"a folder", u"\\folder"_s, ERROR_ACCESS_DENIED},
        {"wildcard in name", u"\\a*.dat"_s, ERROR_INVALID_NAME},
        {"empty path", QString(), ERROR_PATH_NOT_FOUND},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        File file;
        EXPECT_FALSE(file.open(row.path, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
        EXPECT_EQ(GetLastError(), row.error);
        EXPECT_FALSE(file.isOpen());
    }
}

TEST_F(FilesTest, NamesMatchWithoutRegardToCase) {
    writeFile(u"\\My Documents\\Tallybook\\収支.DAT"_s, "ledger");
    File file;
    ASSERT_TRUE(file.open(u"/my documents/TALLYBOOK/収支.dat"_s, GENERIC_READ, FILE_SHARE_READ,
                          Disposition::OpenExisting));
    EXPECT_EQ(readAll(file), "ledger");
    file.close();
    // A create through another spelling writes the existing file, not a twin.
    ASSERT_TRUE(file.open(u"\\MY DOCUMENTS\\tallybook\\収支.Dat"_s, GENERIC_WRITE, FILE_SHARE_NONE,
                          Disposition::CreateAlways));
    ASSERT_TRUE(file.write("new", 3));
    file.close();
    EXPECT_EQ(readFile(u"\\My Documents\\Tallybook\\収支.DAT"_s), "new");
    EXPECT_EQ(QDir(host(u"\\My Documents\\Tallybook"_s)).entryList(QDir::Files).size(), 1);
}

TEST_F(FilesTest, NoSharingOpenRefusesEveryOtherOpen) {
    writeFile(u"\\x.dat"_s, "x");
    File owner;
    ASSERT_TRUE(owner.open(u"\\x.dat"_s, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_NONE,
                           Disposition::OpenExisting));
    for (unsigned share : {FILE_SHARE_NONE, FILE_SHARE_READ}) {
        File other;
        EXPECT_FALSE(other.open(u"\\X.DAT"_s, GENERIC_READ, share, Disposition::OpenExisting));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    }
    EXPECT_FALSE(DeleteFile(u"\\x.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    owner.close();
    File again;
    EXPECT_TRUE(again.open(u"\\x.dat"_s, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
}

TEST_F(FilesTest, SharedReadersCoexistButBlockAnExclusiveOpen) {
    writeFile(u"\\x.dat"_s, "x");
    File a, b, c;
    ASSERT_TRUE(a.open(u"\\x.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    ASSERT_TRUE(b.open(u"\\x.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    EXPECT_FALSE(c.open(u"\\x.dat"_s, GENERIC_WRITE, FILE_SHARE_NONE, Disposition::CreateAlways));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(readFile(u"\\x.dat"_s), "x"); // the refused create truncated nothing
}

TEST_F(FilesTest, MovedFileHandleKeepsItsLock) {
    writeFile(u"\\x.dat"_s, "x");
    File owner;
    ASSERT_TRUE(owner.open(u"\\x.dat"_s, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    File moved = std::move(owner);
    EXPECT_TRUE(moved.isOpen());
    File other;
    EXPECT_FALSE(
        other.open(u"\\x.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
}

TEST_F(FilesTest, CopyReplacesTargetAndRefusesItself) {
    writeFile(u"\\a.dat"_s, "source");
    writeFile(u"\\b.dat"_s, "old target");
    EXPECT_TRUE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, false));
    EXPECT_EQ(readFile(u"\\b.dat"_s), "source");

    writeFile(u"\\b.dat"_s, "old target");
    EXPECT_FALSE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, true));
    EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);
    EXPECT_EQ(readFile(u"\\b.dat"_s), "old target");

    for (const QString& self : {u"\\a.dat"_s, u"\\A.DAT"_s, u"/a.Dat"_s}) {
        SCOPED_TRACE(self.toStdString());
        EXPECT_FALSE(CopyFile(u"\\a.dat"_s, self, false));
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        EXPECT_EQ(readFile(u"\\a.dat"_s), "source");
    }
    EXPECT_FALSE(CopyFile(u"\\none.dat"_s, u"\\c.dat"_s, false));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(fileExists(u"\\c.dat"_s));
}

TEST_F(FilesTest, CopyOntoAHardLinkOfItselfIsRefused) {
    writeFile(u"\\a.dat"_s, "source");
    ASSERT_EQ(::link(QFile::encodeName(host(u"\\a.dat"_s)).constData(),
                     QFile::encodeName(host(u"\\b.dat"_s)).constData()),
              0);
    EXPECT_FALSE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, false));
    EXPECT_EQ(readFile(u"\\a.dat"_s), "source");
}

TEST_F(FilesTest, CopyOntoAnOpenTargetIsASharingViolation) {
    writeFile(u"\\a.dat"_s, "source");
    writeFile(u"\\b.dat"_s, "held");
    File holder;
    ASSERT_TRUE(
        holder.open(u"\\b.dat"_s, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    EXPECT_FALSE(CopyFile(u"\\a.dat"_s, u"\\b.dat"_s, false));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(readFile(u"\\b.dat"_s), "held");
}

TEST_F(FilesTest, MoveRefusesAnExistingTargetButChangesCase) {
    writeFile(u"\\a.dat"_s, "a");
    writeFile(u"\\b.dat"_s, "b");
    EXPECT_FALSE(MoveFile(u"\\a.dat"_s, u"\\b.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(readFile(u"\\b.dat"_s), "b");
    EXPECT_TRUE(MoveFile(u"\\a.dat"_s, u"\\c.dat"_s));
    EXPECT_FALSE(fileExists(u"\\a.dat"_s));
    EXPECT_TRUE(MoveFile(u"\\c.dat"_s, u"\\C.DAT"_s));
    EXPECT_TRUE(QFileInfo::exists(deviceDir() + u"/fs/C.DAT"_s));
    EXPECT_FALSE(QFileInfo::exists(deviceDir() + u"/fs/c.dat"_s));
    EXPECT_FALSE(MoveFile(u"\\gone.dat"_s, u"\\d.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, DeleteAndFolderErrorCodes) {
    EXPECT_FALSE(DeleteFile(u"\\none.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFile(u"\\no\\none.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    EXPECT_TRUE(CreateDirectory(u"\\備考"_s));
    EXPECT_EQ(fileMode(u"\\備考"_s), 0700u);
    EXPECT_FALSE(CreateDirectory(u"\\備考"_s));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectory(u"\\a\\b"_s));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(DeleteFile(u"\\備考"_s));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    writeFile(u"\\備考\\食費.DAT"_s, "x");
    EXPECT_TRUE(DeleteFile(u"\\備考\\食費.dat"_s));
    EXPECT_FALSE(GetFileAttributes(u"\\備考\\食費.DAT"_s).exists);
}

TEST_F(FilesTest, AttributesOfFilesAndFolders) {
    writeFile(u"\\My Documents\\a.csv"_s, "12345");
    FileAttributes file = GetFileAttributes(u"\\my documents\\A.CSV"_s);
    EXPECT_TRUE(file.exists);
    EXPECT_FALSE(file.isDirectory);
    EXPECT_EQ(file.size, 5);
    FileAttributes folder = GetFileAttributes(u"\\My Documents"_s);
    EXPECT_TRUE(folder.exists && folder.isDirectory);
    EXPECT_FALSE(GetFileAttributes(u"\\missing\\x"_s).exists);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(FilesTest, WildcardSearchIgnoresCaseAndComesInNameOrder) {
    for (const char16_t* name : {u"b.DAT", u"a.dat", u"C.Dat", u"notes.txt", u"README"})
        writeFile(u"\\d\\"_s + QString::fromUtf16(name), "x");
    CreateDirectory(u"\\d\\sub.dat"_s);
    writeFile(u"\\d\\half.DAT.tb-new"_s, "x");

    struct Row {
        const char* name;
        QString pattern;
        QStringList expected;
    };
    const Row rows[] = {
        {"extension any case", u"\\d\\*.DAT"_s, {u"a.dat"_s, u"b.DAT"_s, u"C.Dat"_s, u"sub.dat"_s}},
        {"star dot star takes all",
         u"/D/*.*"_s,
         {u"a.dat"_s, u"b.DAT"_s, u"C.Dat"_s, u"notes.txt"_s, u"README"_s, u"sub.dat"_s}},
        {"question mark", u"\\d\\?.dat"_s, {u"a.dat"_s, u"b.DAT"_s, u"C.Dat"_s}},
        {"exact name", u"\\d\\readme"_s, {u"README"_s}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FileFind find;
        FindData data;
        QStringList found;
        for (bool ok = find.first(row.pattern, &data); ok; ok = find.next(&data))
            found << data.name;
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        EXPECT_EQ(found, row.expected);
    }
}

TEST_F(FilesTest, SearchReportsSizesAndFailures) {
    writeFile(u"\\d\\a.dat"_s, "1234");
    CreateDirectory(u"\\d\\sub"_s);
    FileFind find;
    FindData data;
    ASSERT_TRUE(find.first(u"\\d\\*"_s, &data));
    EXPECT_EQ(data.name, u"a.dat"_s);
    EXPECT_EQ(data.size, 4);
    ASSERT_TRUE(find.next(&data));
    EXPECT_TRUE(data.isDirectory);
    EXPECT_FALSE(find.first(u"\\d\\*.csv"_s, &data));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(find.first(u"\\none\\*.*"_s, &data));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(find.next(&data));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, InjectedFailuresOfOpenReadAndWrite) {
    writeFile(u"\\a.dat"_s, "abc");
    faults::FailNth(faults::Op::Open, 2, ERROR_ACCESS_DENIED);
    File first, second, third;
    EXPECT_TRUE(first.open(u"\\a.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    EXPECT_FALSE(
        second.open(u"\\a.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(third.open(u"\\a.dat"_s, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                           Disposition::OpenExisting));

    faults::FailFrom(faults::Op::Read, 1, ERROR_READ_FAULT);
    char c = 0;
    std::uint32_t got = 0;
    EXPECT_FALSE(third.read(&c, 1, &got));
    EXPECT_FALSE(third.read(&c, 1, &got));
    EXPECT_EQ(GetLastError(), ERROR_READ_FAULT);

    faults::FailNth(faults::Op::Write, 1, ERROR_DISK_FULL);
    EXPECT_FALSE(third.write("x", 1));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_TRUE(third.write("x", 1));
    faults::Reset();
    EXPECT_TRUE(third.read(&c, 1, &got));
}

TEST_F(FilesTest, CutWritesStopMidWriteAndEverythingAfter) {
    File file;
    ASSERT_TRUE(file.open(u"\\a.dat"_s, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_NONE,
                          Disposition::CreateAlways));
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
    EXPECT_FALSE(file.flush());
    file.close();
    EXPECT_EQ(readFile(u"\\a.dat"_s), "abcde");
    writeFile(u"\\b.dat"_s, "b");
    EXPECT_FALSE(DeleteFile(u"\\b.dat"_s));
    EXPECT_FALSE(MoveFile(u"\\b.dat"_s, u"\\c.dat"_s));
    EXPECT_FALSE(
        file.open(u"\\a.dat"_s, GENERIC_WRITE, FILE_SHARE_NONE, Disposition::CreateAlways));
    EXPECT_EQ(readFile(u"\\a.dat"_s), "abcde");
    EXPECT_TRUE(fileExists(u"\\b.dat"_s));
    EXPECT_FALSE(
        file.open(u"\\new.dat"_s, GENERIC_WRITE, FILE_SHARE_NONE, Disposition::OpenAlways));
    EXPECT_FALSE(fileExists(u"\\new.dat"_s));
    EXPECT_FALSE(CreateDirectory(u"\\folder"_s));
    EXPECT_TRUE(file.open(u"\\a.dat"_s, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenAlways));
}

} // namespace
