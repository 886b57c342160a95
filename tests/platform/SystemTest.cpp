// Platform identity, input-method status, message boxes and the private heap.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Heap.h"
#include "platform/MessageBox.h"
#include "platform/System.h"

#include <QObject>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

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
        qputenv("TALLYBOOK_DEVICE", QFile::encodeName(deviceDir()));
        qputenv("TALLYBOOK_PLATFORM", value);
        InitDeviceFromEnvironment();
        EXPECT_EQ(GetOsMajorVersion(), major);
        EXPECT_EQ(GetPlatformType(), type);
        EXPECT_EQ(DeviceFolder(), QFileInfo(deviceDir()).canonicalFilePath());
    }
    qunsetenv("TALLYBOOK_PLATFORM");
    qunsetenv("TALLYBOOK_DEVICE");
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
    EXPECT_TRUE(ShowError(183));
    EXPECT_TRUE(ShowError(0xFFFFFFFFu));
    ASSERT_EQ(boxes.texts(), (std::vector{u"Error ! ID = 183"_s, u"Error ! ID = -1"_s}));
    EXPECT_EQ(boxes.shown()[0].caption, u"ERROR"_s);
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

TEST_F(SystemTest, HeapBlocksAreZeroFilledDistinctReusedAndForeignOnesIgnored) {
    constexpr std::size_t kNode = 188; // a ledger node
    Heap* heap = HeapCreate(0);
    std::set<void*> seen;
    for (int i = 0; i < 20000; ++i) { // enough nodes to need several chunks
        void* block = HeapAlloc(heap, kNode);
        ASSERT_TRUE(block && AllZero(block, kNode)) << i;
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(void*), 0u);
        ASSERT_TRUE(seen.insert(block).second);
        std::memset(block, 0xAB, kNode);
    }
    void* freed = *seen.rbegin();
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
    HeapDestroy(nullptr);
}

} // namespace
