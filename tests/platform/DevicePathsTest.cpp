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

TEST_F(DevicePathsTest, InitDeviceCreatesThePrivateLayoutWithAWritableProgramFolder) {
    EXPECT_TRUE(HasDeviceFolder());
    EXPECT_EQ(DeviceFolder(), QFileInfo(deviceDir()).canonicalFilePath());
    const QString program = fs() + u"/Program Files/Tallybook"_s;
    for (const QString& folder : {fs(), fs() + u"/My Documents"_s, program, RuntimeFolder()})
        EXPECT_EQ(fileMode(folder), 0700u) << folder.toStdString();
    EXPECT_EQ(RegistryFilePath(), DeviceFolder() + u"/registry.reg"_s);
    EXPECT_EQ(GetMyDocumentsFolder(false), u"\\My Documents"_s);
    EXPECT_EQ(GetModuleFileName(), u"\\Program Files\\Tallybook\\tallybook"_s);

    EXPECT_TRUE(IsProgramFolderWritable());
    if (::geteuid() != 0) { // root writes whatever the mode bits say
        ASSERT_EQ(::chmod(QFile::encodeName(program).constData(), 0500), 0);
        EXPECT_FALSE(IsProgramFolderWritable()) << "read-only folder";
        ::chmod(QFile::encodeName(program).constData(), 0700);
    }
    ASSERT_TRUE(QDir(program).removeRecursively());
    ASSERT_TRUE(QFile(program).open(QIODevice::WriteOnly));
    EXPECT_FALSE(IsProgramFolderWritable()) << "a file where the folder should be";
}

TEST_F(DevicePathsTest, HandsetPathsMapWithoutRegardToCaseAndHostPathsMapBack) {
    ASSERT_TRUE(QDir().mkpath(fs() + u"/My Documents/Tallybook/備考"_s));
    const QString tally = fs() + u"/My Documents/Tallybook"_s;
    const std::pair<QString, QString> toHost[] = {
        {u"\\"_s, fs()},
        {u"\\my documents\\TALLYBOOK"_s, tally},
        {u"/MY DOCUMENTS/tallybook/備考"_s, tally + u"/備考"_s},
        {u"\\My Documents\\Tallybook\\収支.DAT"_s, tally + u"/収支.DAT"_s}, // missing: as spelt
        {u"\\my documents\\New\\A.dat"_s, fs() + u"/My Documents/New/A.dat"_s},
        {u"\\\\My Documents\\\\"_s, fs() + u"/My Documents"_s},
        {u"\\.\\My Documents\\.\\x"_s, fs() + u"/My Documents/x"_s},
        {u"\\..\\..\\etc\\passwd"_s, fs() + u"/etc/passwd"_s}, // never leaves the device
        {u"\\My Documents\\..\\Windows"_s, fs() + u"/Windows"_s},
    };
    for (const auto& [handset, host] : toHost)
        EXPECT_EQ(ToHostPath(handset), host) << handset.toStdString();
    const std::pair<QString, QString> toHandset[] = {
        {fs(), u"\\"_s},
        {tally + u"/収支.DAT"_s, u"\\My Documents\\Tallybook\\収支.DAT"_s},
        {fs() + u"/a/../b/"_s, u"\\b"_s},
        {DeviceFolder() + u"/registry.reg"_s, QString()},
        {fs() + u"x/y"_s, QString()}, // a sibling, not inside
    };
    for (const auto& [host, handset] : toHandset)
        EXPECT_EQ(ToHandsetPath(host), handset) << host.toStdString();
}

TEST_F(DevicePathsTest, HostModeUsesTheUsersFolders) {
    InitDevice(QString());
    EXPECT_FALSE(HasDeviceFolder());
    EXPECT_EQ(DeviceFolder(), QString());
    EXPECT_EQ(ToHostPath(u"\\tmp"_s), u"/tmp"_s);
    EXPECT_EQ(ToHostPath(u"\\TMP"_s), QFileInfo::exists(u"/TMP"_s) ? u"/TMP"_s : u"/tmp"_s);
    EXPECT_EQ(ToHandsetPath(u"/usr/share"_s), u"\\usr\\share"_s);
    EXPECT_EQ(RegistryFilePath(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  u"/tallybook/registry.reg"_s);
    EXPECT_TRUE(RuntimeFolder().endsWith(u"/host"_s));
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(ToHostPath(GetMyDocumentsFolder(false)), docs);
    EXPECT_EQ(ToHostPath(GetModuleFileName()), QCoreApplication::applicationFilePath());
    InitDevice(deviceDir());
    EXPECT_TRUE(HasDeviceFolder());
}

} // namespace
