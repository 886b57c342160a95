// Locks seen from another process: no-sharing opens, atomic replaces and the
// named mutex, and device folders that never see each other.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <QProcess>
#include <QTemporaryDir>
#include <memory>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

// The helper process; it holds what it got until destroyed.
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

using CrossProcessTest = DeviceTest;

TEST_F(CrossProcessTest, NoSharingOpenInAnotherProcessRefusesOurs) {
    writeFile(u"\\My Documents\\収支.DAT"_s, "old");
    {
        Helper other(deviceDir(), "open", u"\\my documents\\収支.dat"_s);
        ASSERT_EQ(other.answer(), u"held"_s);
        File file;
        EXPECT_FALSE(file.open(u"\\My Documents\\収支.DAT"_s, GENERIC_READ, FILE_SHARE_READ,
                               Disposition::OpenExisting));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        AtomicFile replace;
        EXPECT_FALSE(replace.open(u"\\My Documents\\収支.DAT"_s));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    }
    File file;
    EXPECT_TRUE(file.open(u"\\My Documents\\収支.DAT"_s, GENERIC_READ, FILE_SHARE_NONE,
                          Disposition::OpenExisting));
}

TEST_F(CrossProcessTest, OurNoSharingOpenRefusesAnotherProcess) {
    File file;
    ASSERT_TRUE(file.open(u"\\a.dat"_s, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_NONE,
                          Disposition::CreateAlways));
    Helper other(deviceDir(), "open", u"\\A.DAT"_s);
    EXPECT_EQ(other.answer(), u"error 32"_s);
}

TEST_F(CrossProcessTest, NamedMutexIsSeenByAnotherProcess) {
    bool exists = true;
    ASSERT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists));
    EXPECT_FALSE(exists);
    {
        Helper second(deviceDir(), "mutex", u"Orvane Tallybook"_s);
        EXPECT_EQ(second.answer(), u"exists"_s);
        Helper otherName(deviceDir(), "mutex", u"Another"_s);
        EXPECT_EQ(otherName.answer(), u"held"_s);
    }
    ReleaseNamedMutexes();
    Helper first(deviceDir(), "mutex", u"Orvane Tallybook"_s);
    ASSERT_EQ(first.answer(), u"held"_s);
    EXPECT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists));
    EXPECT_TRUE(exists);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}

TEST_F(CrossProcessTest, DeviceFoldersNeverSeeEachOther) {
    QTemporaryDir otherDevice;
    ASSERT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, nullptr));
    writeFile(u"\\a.dat"_s, "x");
    File file;
    ASSERT_TRUE(file.open(u"\\a.dat"_s, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    Helper mutex(otherDevice.path(), "mutex", u"Orvane Tallybook"_s);
    EXPECT_EQ(mutex.answer(), u"held"_s);
    Helper open(otherDevice.path(), "open", u"\\a.dat"_s);
    EXPECT_EQ(open.answer(), u"held"_s);
}

} // namespace
