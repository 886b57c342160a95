// The device folder on the host and the mapping of handset paths to it.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <unistd.h>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

class DevicePathsTest : public DeviceTest {
protected:
    QString fs() const { return DeviceFolder() + u"/fs"_s; }
};

TEST_F(DevicePathsTest, InitDeviceCreatesThePrivateLayout) {
    EXPECT_TRUE(HasDeviceFolder());
    EXPECT_EQ(DeviceFolder(), QFileInfo(deviceDir()).canonicalFilePath());
    for (const QString& folder :
         {fs(), fs() + u"/My Documents"_s, fs() + u"/Program Files/Tallybook"_s, RuntimeFolder()}) {
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();
        EXPECT_EQ(fileMode(folder), 0700u) << folder.toStdString();
    }
    EXPECT_EQ(RegistryFilePath(), DeviceFolder() + u"/registry.reg"_s);
    EXPECT_EQ(GetMyDocumentsFolder(false), u"\\My Documents"_s);
    EXPECT_EQ(GetModuleFileName(), u"\\Program Files\\Tallybook\\tallybook"_s);
}

TEST_F(DevicePathsTest, HandsetPathsMapWithoutRegardToCase) {
    ASSERT_TRUE(QDir().mkpath(fs() + u"/My Documents/Tallybook/備考"_s));
    struct Row {
        const char* name;
        QString handset;
        QString host;
    };
    const Row rows[] = {
        {"root", u"\\"_s, fs()},
        {"existing, other case", u"\\my documents\\TALLYBOOK"_s,
         fs() + u"/My Documents/Tallybook"_s},
        {"slashes", u"/MY DOCUMENTS/tallybook/備考"_s, fs() + u"/My Documents/Tallybook/備考"_s},
        {"missing leaf keeps its spelling", u"\\My Documents\\Tallybook\\収支.DAT"_s,
         fs() + u"/My Documents/Tallybook/収支.DAT"_s},
        {"below a missing folder", u"\\my documents\\New\\A.dat"_s,
         fs() + u"/My Documents/New/A.dat"_s},
        {"doubled and trailing separators", u"\\\\My Documents\\\\"_s, fs() + u"/My Documents"_s},
        {"dot components", u"\\.\\My Documents\\.\\x"_s, fs() + u"/My Documents/x"_s},
        {"parent never leaves the device", u"\\..\\..\\etc\\passwd"_s, fs() + u"/etc/passwd"_s},
        {"parent inside the device", u"\\My Documents\\..\\Windows"_s, fs() + u"/Windows"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ToHostPath(row.handset), row.host);
    }
}

TEST_F(DevicePathsTest, HostPathsMapBack) {
    EXPECT_EQ(ToHandsetPath(fs()), u"\\"_s);
    EXPECT_EQ(ToHandsetPath(fs() + u"/My Documents/収支.DAT"_s), u"\\My Documents\\収支.DAT"_s);
    EXPECT_EQ(ToHandsetPath(fs() + u"/a/../b/"_s), u"\\b"_s);
    EXPECT_EQ(ToHandsetPath(DeviceFolder() + u"/registry.reg"_s), QString());
    EXPECT_EQ(ToHandsetPath(fs() + u"x/y"_s), QString()); // a sibling, not inside
}

TEST_F(DevicePathsTest, ProgramFolderWritableOnlyWhenFilesCanBeMadeThere) {
    const QString folder = fs() + u"/Program Files/Tallybook"_s;
    EXPECT_TRUE(IsProgramFolderWritable());
    if (::geteuid() != 0) { // root writes whatever the mode bits say
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0500), 0);
        EXPECT_FALSE(IsProgramFolderWritable()) << "read-only folder";
        ::chmod(QFile::encodeName(folder).constData(), 0700);
    }
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(IsProgramFolderWritable()) << "a file where the folder should be";
}

TEST_F(DevicePathsTest, HostModeUsesTheUsersFolders) {
    InitDevice(QString());
    EXPECT_FALSE(HasDeviceFolder());
    EXPECT_EQ(DeviceFolder(), QString());
    EXPECT_EQ(ToHostPath(u"\\tmp"_s), u"/tmp"_s);
    EXPECT_EQ(ToHostPath(u"\\TMP"_s), QFileInfo::exists(u"/TMP"_s) ? u"/TMP"_s : u"/tmp"_s);
    EXPECT_EQ(ToHandsetPath(u"/usr/share"_s), u"\\usr\\share"_s);
    EXPECT_TRUE(RegistryFilePath().endsWith(u"/tallybook/registry.reg"_s));
    EXPECT_TRUE(RegistryFilePath().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
    EXPECT_TRUE(RuntimeFolder().endsWith(u"/host"_s));
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(ToHostPath(GetMyDocumentsFolder(false)), docs);
    EXPECT_EQ(ToHostPath(GetModuleFileName()), QCoreApplication::applicationFilePath());
    InitDevice(deviceDir());
    EXPECT_TRUE(HasDeviceFolder());
}

} // namespace
