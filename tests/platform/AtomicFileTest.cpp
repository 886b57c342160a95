// Atomic replacement: old or new contents after a cut at any byte, never a mix,
// and the locks as this and another process see them: the target's, held from
// open to commit, that of a no-sharing open, and the named mutex.
#include "support/DeviceTest.h"

#include "platform/Faults.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <QDir>
#include <QProcess>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

// A second process on a device: it opens a file with no sharing or creates the
// named mutex, answers "held", "exists" or "error <code>" and keeps what it got
// until destroyed.
class Helper {
public:
    Helper(const QString& device, const char* command, const QString& argument) {
        m_process.start(QStringLiteral(TB_PLATFORM_HELPER),
                        {device, QString::fromLatin1(command), argument});
        if (m_process.waitForReadyRead(20000))
            m_answer = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~Helper() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(20000)) m_process.kill();
    }
    QString answer() const { return m_answer; }

private:
    QProcess m_process;
    QString m_answer;
};

class AtomicFileTest : public DeviceTest {
protected:
    const QString target = u"\\My Documents\\Tallybook\\収支.DAT"_s;
    const QByteArray oldBytes = "OLD CONTENTS";
    const QByteArray newBytes{"TALY\x01\x00\x00\x00 the new, longer contents", 33};

    void SetUp() override {
        DeviceTest::SetUp();
        writeFile(target, oldBytes);
    }
    // Writes newBytes in three pieces, the way a header and records go out.
    bool replace() {
        AtomicFile file;
        return file.open(target) && file.write(newBytes.constData(), 4) &&
               file.write(newBytes.constData() + 4, 10) &&
               file.write(newBytes.constData() + 14,
                          static_cast<std::uint32_t>(newBytes.size() - 14)) &&
               file.commit();
    }
    QStringList folderEntries() {
        return QDir(host(u"\\My Documents\\Tallybook"_s)).entryList(QDir::Files);
    }
};

TEST_F(AtomicFileTest, CutAtEveryByteKeepsOldOrNewContents) {
    for (qsizetype cut = 0; cut <= newBytes.size() + 1; ++cut) {
        SCOPED_TRACE(cut);
        faults::Reset();
        writeFile(target, oldBytes);
        faults::CutWritesAfter(cut);
        const bool ok = replace();
        EXPECT_EQ(ok, cut >= newBytes.size());
        EXPECT_EQ(readFile(target), ok ? newBytes : oldBytes);
    }
    EXPECT_EQ(folderEntries(), QStringList{u"収支.DAT"_s});
}

TEST_F(AtomicFileTest, FailedOpenAndEveryUnfinishedReplaceKeepTheOldContents) {
    AtomicFile file;
    EXPECT_FALSE(file.open(u"\\no such folder\\a.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(file.open(u"\\My Documents"_s));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    faults::FailNth(faults::Op::Open, 1, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(file.open(target));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    {
        AtomicFile dropped; // destroyed without a commit
        ASSERT_TRUE(dropped.open(target) && dropped.write("partial", 7));
    }
    ASSERT_TRUE(file.open(target) && file.write("partial", 7));
    file.abandon();
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(folderEntries(), QStringList{u"収支.DAT"_s});
    // A cut in another file's write fails the commit too.
    ASSERT_TRUE(file.open(target) && file.write(newBytes.constData(), 33));
    faults::CutWritesAfter(1);
    File other;
    ASSERT_TRUE(other.open(u"\\other.dat"_s, GENERIC_WRITE, 0, Disposition::CreateAlways));
    EXPECT_FALSE(other.write("xy", 2));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(readFile(target), oldBytes);
}

TEST_F(AtomicFileTest, LocksConflictWithNoSharingOpensOfThisAndAnotherProcess) {
    {
        Helper other(deviceDir(), "open", u"\\my documents\\TALLYBOOK\\収支.dat"_s);
        ASSERT_EQ(other.answer(), u"held"_s);
        File file;
        EXPECT_FALSE(file.open(target, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        AtomicFile replace;
        EXPECT_FALSE(replace.open(target));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    }
    AtomicFile file;
    ASSERT_TRUE(file.open(target));
    File other;
    EXPECT_FALSE(other.open(target, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(other.open(target, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    AtomicFile second; // the lock survives the replace: it belongs to the path
    EXPECT_FALSE(second.open(target));
    EXPECT_EQ(Helper(deviceDir(), "open", u"\\MY DOCUMENTS\\Tallybook\\収支.DAT"_s).answer(),
              u"error 32"_s);
}

TEST_F(AtomicFileTest, NamedMutexIsSeenOnlyByItsNameOnTheSameDevice) {
    {
        Helper holder(deviceDir(), "mutex", u"Orvane Tallybook"_s);
        ASSERT_EQ(holder.answer(), u"held"_s);
        bool exists = false;
        EXPECT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists));
        EXPECT_TRUE(exists);
        EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    }
    ReleaseNamedMutexes();
    bool exists = true;
    ASSERT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists));
    ASSERT_FALSE(exists);
    writeFile(u"\\a.dat"_s, "x");
    File file; // held here, not on the other device
    ASSERT_TRUE(file.open(u"\\a.dat"_s, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    QTemporaryDir otherDevice;
    const std::tuple<QString, const char*, QString, QString> rows[] = {
        {deviceDir(), "mutex", u"Orvane Tallybook"_s, u"exists"_s},
        {deviceDir(), "mutex", u"Another"_s, u"held"_s},
        {otherDevice.path(), "mutex", u"Orvane Tallybook"_s, u"held"_s},
        {otherDevice.path(), "open", u"\\a.dat"_s, u"held"_s},
    };
    for (const auto& [device, command, argument, answer] : rows)
        EXPECT_EQ(Helper(device, command, argument).answer(), answer) << command;
}

} // namespace
