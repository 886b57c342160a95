// The device: its folder on the host and the mapping of handset paths to it,
// platform identity, input-method status, message boxes and the private heap.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/Heap.h"
#include "platform/MessageBox.h"
#include "platform/System.h"

#include <QCoreApplication>
#include <QDir>
#include <QObject>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unistd.h>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

class DevicePathsTest : public DeviceTest {
protected:
    QString fs() const { return DeviceFolder() + u"/fs"_s; }
};

TEST_F(DevicePathsTest, InitDeviceCreatesThePrivateLayoutWithAWritableProgramFolder) {
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

using SystemTest = DeviceTest;

TEST_F(SystemTest, IdentityFromTheEnvironmentOrTheDefault) {
    const std::tuple<QByteArray, int, QString> rows[] = {
        {"Smartphone:4", 4, u"Smartphone"_s},
        {"PocketPC:6", 6, u"PocketPC"_s},
        {"nonsense", 5, u"PocketPC"_s},
        {":7", 5, u"PocketPC"_s},
    };
    for (const auto& [value, major, type] : rows) {
        SCOPED_TRACE(value.constData());
        SetPlatformIdentity(3, u"Other"_s);
        qputenv("TALLYBOOK_PLATFORM", value);
        InitDeviceFromEnvironment(); // no device folder named: the app test names one
        EXPECT_EQ(GetOsMajorVersion(), major);
        EXPECT_EQ(GetPlatformType(), type);
    }
    qunsetenv("TALLYBOOK_PLATFORM");
    InitDevice(deviceDir());
}

TEST_F(SystemTest, ImeStatusKeptPerWindowAndPanelStateUntilInitDevice) {
    QObject first, second;
    SetInputPanelState(1);
    EXPECT_EQ(GetInputPanelState(), 1);
    ASSERT_TRUE(ImmSetConversionStatus(&first, 9, 1));
    ASSERT_TRUE(ImmSetConversionStatus(&second, 3, 0));
    DWORD conversion = 0, sentence = 0;
    ASSERT_TRUE(ImmGetConversionStatus(&first, &conversion, &sentence));
    EXPECT_EQ(std::pair(conversion, sentence), std::pair(DWORD{9}, DWORD{1}));
    ASSERT_TRUE(ImmGetConversionStatus(&second, &conversion, &sentence));
    EXPECT_EQ(conversion, 3u);
    InitDevice(deviceDir());
    ASSERT_TRUE(ImmGetConversionStatus(&first, &conversion, &sentence));
    EXPECT_EQ(conversion, 0u);
    EXPECT_EQ(GetInputPanelState(), 0);
}

// The handler answers until removed; then OK boxes are accepted and questions declined.
TEST_F(SystemTest, MessageBoxesAndTheErrorBoxWithItsCodeAsSignedDecimal) {
    EXPECT_TRUE(ShowError(183) && ShowError(0xFFFFFFFFu));
    ASSERT_EQ(boxes.texts(), (std::vector{u"Error ! ID = 183"_s, u"Error ! ID = -1"_s}));
    EXPECT_EQ(boxes.shown()[0].flags, unsigned{MB_OK});
    boxes.answerNext(IDNO);
    EXPECT_EQ(MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION), IDYES);
    const MessageBoxHandler previous = SetMessageBoxHandler({});
    EXPECT_TRUE(previous);
    EXPECT_EQ(MessageBox(u"ok box"_s, u"c"_s, MB_OK), IDOK);
    EXPECT_EQ(MessageBox(u"question"_s, u"c"_s, MB_YESNO), IDNO);
    EXPECT_TRUE(ShowError(5));
    SetMessageBoxHandler(previous);
    EXPECT_EQ(boxes.shown().size(), 4u);
}

bool AllZero(const void* block, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

TEST_F(SystemTest, HeapBlocksAreZeroFilledAlignedReusedAndForeignOnesIgnored) {
    constexpr std::size_t kNode = 188; // a ledger node
    Heap* heap = HeapCreate(0);
    void* freed = nullptr;
    for (int i = 0; i < 20000; ++i) { // enough nodes to need several chunks
        freed = HeapAlloc(heap, kNode);
        ASSERT_TRUE(freed && AllZero(freed, kNode)) << i;
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(freed) % alignof(void*), 0u);
        std::memset(freed, 0xAB, kNode);
    }
    HeapFree(heap, freed, kNode);
    int foreign = 0;
    HeapFree(heap, &foreign, sizeof foreign); // not linked into the heap
    EXPECT_EQ(HeapAlloc(heap, kNode), freed);
    EXPECT_TRUE(AllZero(freed, kNode));
    EXPECT_NE(HeapAlloc(heap, sizeof foreign), static_cast<void*>(&foreign));
    void* big = HeapAlloc(heap, 3 * 1024 * 1024);
    EXPECT_TRUE(big && AllZero(big, 3 * 1024 * 1024));
    EXPECT_NE(HeapAlloc(heap, 0), nullptr);
    EXPECT_EQ(HeapAlloc(heap, SIZE_MAX), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(HeapAlloc(nullptr, kNode), nullptr);
    HeapDestroy(heap);
}

} // namespace
