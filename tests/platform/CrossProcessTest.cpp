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

TEST_F(CrossProcessTest, LocksOfAnotherProcessOnTheSameDevice) {
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
        Helper mutex(deviceDir(), "mutex", u"Orvane Tallybook"_s);
        ASSERT_EQ(mutex.answer(), u"held"_s);
        bool exists = false;
        EXPECT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists));
        EXPECT_TRUE(exists);
        EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    }
    File file;
    EXPECT_TRUE(file.open(u"\\My Documents\\収支.DAT"_s, GENERIC_READ, FILE_SHARE_NONE,
                          Disposition::OpenExisting));
    Helper refused(deviceDir(), "open", u"\\MY DOCUMENTS\\収支.DAT"_s);
    EXPECT_EQ(refused.answer(), u"error 32"_s);
}

TEST_F(CrossProcessTest, OurMutexIsSeenOnlyByItsNameOnTheSameDevice) {
    QTemporaryDir otherDevice;
    bool exists = true;
    ASSERT_TRUE(CreateNamedMutex(u"Orvane Tallybook"_s, &exists));
    ASSERT_FALSE(exists);
    writeFile(u"\\a.dat"_s, "x");
    File file;
    ASSERT_TRUE(file.open(u"\\a.dat"_s, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    struct Row {
        QString device;
        const char* command;
        QString argument;
        QString answer;
    };
    const Row rows[] = {
        {deviceDir(), "mutex", u"Orvane Tallybook"_s, u"exists"_s},
        {deviceDir(), "mutex", u"Another"_s, u"held"_s},
        {otherDevice.path(), "mutex", u"Orvane Tallybook"_s, u"held"_s},
        {otherDevice.path(), "open", u"\\a.dat"_s, u"held"_s},
    };
    for (const Row& row : rows) {
        Helper helper(row.device, row.command, row.argument);
        EXPECT_EQ(helper.answer(), row.answer) << row.command << " " << row.argument.toStdString();
    }
}

} // namespace
