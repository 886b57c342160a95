// Device folder, paths, identity, IME, message boxes, heap, time (against QDate), CP932.
#include "support/DeviceTest.h"

#include "platform/CodePage.h"
#include "platform/Device.h"
#include "platform/Heap.h"
#include "platform/System.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <array>
#include <cstring>
#include <limits>
#include <unistd.h>
#include <vector>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

using SystemTest = DeviceTest;

TEST_F(SystemTest, DeviceLayoutPathsBothWaysAndHostMode) {
    const QString fs = DeviceFolder() + u"/fs"_s, program = fs + u"/Program Files/Tallybook"_s;
    EXPECT_EQ(DeviceFolder(), QFileInfo(deviceDir()).canonicalFilePath());
    for (const QString& folder : {fs, fs + u"/My Documents"_s, program, RuntimeFolder()})
        EXPECT_EQ(fileMode(folder), 0700u) << folder.toStdString();
    EXPECT_EQ(RegistryFilePath(), DeviceFolder() + u"/registry.reg"_s);
    EXPECT_EQ(GetMyDocumentsFolder(false), u"\\My Documents"_s);
    EXPECT_EQ(GetModuleFileName(), u"\\Program Files\\Tallybook\\tallybook"_s);

    ASSERT_TRUE(QDir().mkpath(fs + u"/My Documents/Tallybook/備考"_s));
    const QString tally = fs + u"/My Documents/Tallybook"_s;
    // Existing names are found whatever their case; missing ones stay as spelt.
    const std::pair<QString, QString> toHost[] = {
        {u"\\"_s, fs},
        {u"\\my documents\\TALLYBOOK"_s, tally},
        {u"/MY DOCUMENTS/tallybook/備考/収支.DAT"_s, tally + u"/備考/収支.DAT"_s},
        {u"\\my documents\\New\\A.dat"_s, fs + u"/My Documents/New/A.dat"_s},
        {u"\\\\My Documents\\.\\\\x\\"_s, fs + u"/My Documents/x"_s},
        {u"\\My Documents\\..\\..\\etc"_s, fs + u"/etc"_s}, // never leaves the device
    };
    for (const auto& [handset, host] : toHost)
        EXPECT_EQ(ToHostPath(handset), host) << handset.toStdString();
    const std::pair<QString, QString> toHandset[] = {
        {fs, u"\\"_s},
        {tally + u"/収支.DAT"_s, u"\\My Documents\\Tallybook\\収支.DAT"_s},
        {fs + u"/a/../b/"_s, u"\\b"_s},
        {DeviceFolder() + u"/registry.reg"_s, QString()},
        {fs + u"x/y"_s, QString()}, // a sibling, not inside
    };
    for (const auto& [host, handset] : toHandset)
        EXPECT_EQ(ToHandsetPath(host), handset) << host.toStdString();

    EXPECT_TRUE(IsProgramFolderWritable());
    if (::geteuid() != 0) { // root writes whatever the mode bits say
        ASSERT_EQ(::chmod(QFile::encodeName(program).constData(), 0500), 0);
        EXPECT_FALSE(IsProgramFolderWritable()) << "read-only folder";
        ::chmod(QFile::encodeName(program).constData(), 0700);
    }
    ASSERT_TRUE(QDir(program).removeRecursively());
    ASSERT_TRUE(QFile(program).open(QIODevice::WriteOnly));
    EXPECT_FALSE(IsProgramFolderWritable()) << "a file where the folder should be";

    InitDevice(QString());
    const auto standard = QStandardPaths::writableLocation;
    EXPECT_EQ(
        (QStringList{DeviceFolder(), ToHostPath(u"\\TMP"_s), ToHandsetPath(u"/usr/share"_s),
                     RegistryFilePath(), ToHostPath(GetMyDocumentsFolder(false)),
                     ToHostPath(GetModuleFileName())}),
        (QStringList{
            QString(), QFileInfo::exists(u"/TMP"_s) ? u"/TMP"_s : u"/tmp"_s, u"\\usr\\share"_s,
            standard(QStandardPaths::GenericConfigLocation) + u"/tallybook/registry.reg"_s,
            standard(QStandardPaths::DocumentsLocation), QCoreApplication::applicationFilePath()}));
    EXPECT_TRUE(RuntimeFolder().endsWith(u"/host"_s));
}

TEST_F(SystemTest, IdentityFromTheEnvironmentAndImeStatusUntilInitDevice) {
    const std::tuple<QByteArray, int, QString> rows[] = {
        {"Smartphone:4", 4, u"Smartphone"_s},
        {"PocketPC:6", 6, u"PocketPC"_s},
        {"nonsense", 5, u"PocketPC"_s},
        {":7", 5, u"PocketPC"_s},
    };
    for (const auto& [value, major, type] : rows) {
        qputenv("TALLYBOOK_PLATFORM", value);
        InitDeviceFromEnvironment(); // no device folder named: the app test names one
        EXPECT_EQ(std::pair(GetOsMajorVersion(), GetPlatformType()), std::pair(major, type))
            << value.constData();
    }
    qunsetenv("TALLYBOOK_PLATFORM");
    const auto status = [](QObject* window) { // conversion and sentence mode, 99 if unread
        DWORD conversion = 99, sentence = 99;
        ImmGetConversionStatus(window, &conversion, &sentence);
        return std::pair(conversion, sentence);
    };
    QObject first, second;
    SetInputPanelState(1);
    ASSERT_TRUE(ImmSetConversionStatus(&first, 9, 1) && ImmSetConversionStatus(&second, 3, 0));
    EXPECT_EQ(std::tuple(status(&first), status(&second), GetInputPanelState()),
              std::tuple(std::pair(9u, 1u), std::pair(3u, 0u), 1));
    InitDevice(deviceDir());
    EXPECT_EQ(std::pair(status(&first), GetInputPanelState()), std::pair(std::pair(0u, 0u), 0));
}

// The handler answers until removed; then OK boxes are accepted and questions declined.
TEST_F(SystemTest, MessageBoxesAndTheErrorBoxWithItsCodeAsSignedDecimal) {
    EXPECT_TRUE(ShowError(183) && ShowError(0xFFFFFFFFu));
    ASSERT_EQ(boxes.texts(), (std::vector{u"Error ! ID = 183"_s, u"Error ! ID = -1"_s}));
    EXPECT_EQ(boxes.shown()[0].flags, unsigned{MB_OK});
    boxes.answerNext(IDNO);
    const auto ask = [] {
        return MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION);
    };
    EXPECT_EQ((std::vector{ask(), ask()}), (std::vector<int>{IDNO, IDYES}));
    const MessageBoxHandler previous = SetMessageBoxHandler({});
    EXPECT_TRUE(previous);
    EXPECT_EQ((std::vector{MessageBox(u"ok box"_s, u"c"_s, MB_OK), ask()}),
              (std::vector<int>{IDOK, IDNO}));
    EXPECT_TRUE(ShowError(5));
    SetMessageBoxHandler(previous);
}

bool AllZero(const void* block, std::size_t size) {
    return std::memcmp(block, std::vector<char>(size).data(), size) == 0;
}

TEST_F(SystemTest, HeapBlocksAreZeroFilledAlignedReusedAndForeignOnesIgnored) {
    constexpr std::size_t kNode = 188; // a ledger node
    Heap* heap = HeapCreate(0);
    void* freed = nullptr;
    for (int i = 0; i < 20000; ++i) { // enough nodes to need several chunks
        freed = HeapAlloc(heap, kNode);
        const bool aligned = reinterpret_cast<std::uintptr_t>(freed) % alignof(void*) == 0;
        ASSERT_TRUE(freed && aligned && AllZero(freed, kNode)) << i;
        std::memset(freed, 0xAB, kNode);
    }
    HeapFree(heap, freed, kNode);
    int foreign = 0;
    HeapFree(heap, &foreign, sizeof foreign); // not linked into the heap
    EXPECT_TRUE(HeapAlloc(heap, kNode) == freed && AllZero(freed, kNode));
    EXPECT_NE(HeapAlloc(heap, sizeof foreign), static_cast<void*>(&foreign));
    void* big = HeapAlloc(heap, 3 * 1024 * 1024);
    EXPECT_TRUE(big && AllZero(big, 3 * 1024 * 1024));
    EXPECT_NE(HeapAlloc(heap, 0), nullptr);
    EXPECT_TRUE(HeapAlloc(heap, SIZE_MAX) == nullptr && GetLastError() == ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(HeapAlloc(nullptr, kNode), nullptr);
    HeapDestroy(heap);
}

using Fields = std::array<int, 8>;
Fields FieldsOf(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
            st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}
TimeValue Reference(const QDate& date, const QTime& time = {0, 0}) {
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

TEST_F(SystemTest, TimeEveryDayTo2105MatchesQDateOutOfRangeFieldsNormaliseExtremesClamp) {
    const std::array<int, 3> times[] = {{0, 0, 0}, {0, 0, 1}, {12, 34, 56}, {23, 59, 59}};
    for (QDate date(1970, 1, 1); date.year() <= 2105; date = date.addDays(1)) {
        const int y = date.year(), m = date.month(), d = date.day(), weekday = date.dayOfWeek() % 7;
        ASSERT_EQ(DaysInMonth(y, m), date.daysInMonth()) << y;
        for (const auto& [hour, minute, second] : times) {
            const TimeValue expected = Reference(date, QTime(hour, minute, second));
            ASSERT_EQ(TimeFromFields(y, m, d, hour, minute, second), expected)
                << date.toString(Qt::ISODate).toStdString();
            const SYSTEMTIME st = TimeValueToSystemTime(expected);
            ASSERT_EQ(FieldsOf(st), (Fields{y, m, weekday, d, hour, minute, second, 0}));
            ASSERT_EQ(SystemTimeToTimeValue(st), expected);
        }
    }
    // Fields, several out of range at once so a fault in any one shows; the same in range.
    using Six = std::array<int, 6>;
    const std::pair<Six, Six> rows[] = {
        {{2008, 13, 40, 24, 60, -1}, {2009, 2, 10, 0, 59, 59}},
        {{2008, -10, 0, -1, 0, 0}, {2007, 1, 30, 23, 0, 0}},
        {{2008, 25, 1, 0, 0, 0}, {2010, 1, 1, 0, 0, 0}},
        {{2008, 3, 0, 0, 0, 0}, {2008, 2, 29, 0, 0, 0}},
        {{2008, 2, 28, 0, 0, 86400}, {2008, 2, 29, 0, 0, 0}},
    };
    for (const auto& [f, s] : rows)
        EXPECT_EQ(TimeFromFields(f[0], f[1], f[2], f[3], f[4], f[5]),
                  Reference(QDate(s[0], s[1], s[2]), QTime(s[3], s[4], s[5])))
            << f[0] << ' ' << f[1] << ' ' << f[2];
    const TimeValue first = TimeFromFields(0, 1, 1);
    // 1 January of year 0 (1 BC) was a Saturday; anything earlier is clamped to it.
    EXPECT_EQ(FieldsOf(TimeValueToSystemTime(first)), (Fields{0, 1, 6, 1, 0, 0, 0, 0}));
    EXPECT_EQ(FieldsOf(TimeValueToSystemTime(first - 1)), (Fields{0, 1, 6, 1, 23, 59, 59, 0}));
    const TimeValue last = TimeFromFields(65535, 12, 31, 23, 59, 59);
    const SYSTEMTIME st = TimeValueToSystemTime(last);
    EXPECT_EQ(FieldsOf(st),
              (Fields{65535, 12, QDate(65535, 12, 31).dayOfWeek() % 7, 31, 23, 59, 59, 0}));
    EXPECT_EQ(SystemTimeToTimeValue(st), last);
    EXPECT_EQ(TimeValueToSystemTime(last + 1).wYear, 65535);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    for (const TimeValue t : {kMin, kMin + 1, kMax - 1, kMax})
        EXPECT_EQ(TimeValueToSystemTime(t).wYear, t < 0 ? 0 : 65535) << t;
    EXPECT_GT(TimeFromFields(kMax, kMax, kMax, kMax, kMax, kMax), last);
    EXPECT_LT(TimeFromFields(kMin, kMin, kMin, kMin, kMin, kMin), first);
    const SYSTEMTIME ones{65535, 65535, 65535, 65535, 65535, 65535, 65535, 65535};
    EXPECT_GT(SystemTimeToTimeValue(ones), last);
    EXPECT_EQ(std::pair(DaysInMonth(2008, 0), DaysInMonth(2008, 13)), std::pair(0, 0));

    EXPECT_EQ(FieldsOf(GetLocalTime()), (Fields{2008, 3, 1, 10, 12, 34, 56, 0})); // a Monday
    SetClockForTest(std::nullopt);
    const QDateTime now = QDateTime::currentDateTime();
    EXPECT_NEAR(double(CurrentTimeValue()), double(Reference(now.date(), now.time())), 5.0);
}

enum Way { Both, ToBytes, ToText };

TEST_F(SystemTest, CodePageBothWaysWhatDoesNotConvertAndLongText) {
    const QChar r(kReplacementChar);
    const std::tuple<const char*, QString, QByteArray, Way> rows[] = {
        {"CP932's own rows", u"～∥－￢・"_s, "\x81\x60\x81\x61\x81\x7C\x81\xCA\x81\x45", Both},
        {"extensions", u"①髙纊"_s + QChar(0xE000), "\x87\x40\xFB\xFC\xFA\x5C\xF0\x40", Both},
        {"half-width katakana, backslash", u"ｱ\\"_s, "\xB1\\", Both},
        {"empty", QString(), QByteArray(), Both},
        // One question mark per character outside the code page.
        {"not in the code page", u"café a😀b 😀😀 収한支"_s, "caf? a?b ?? \x8E\xFB?\x8E\x78", ToBytes},
        {"lone surrogates", u"a"_s + QChar(0xD800) + u"b"_s + QChar(0xDC00), "a?b?", ToBytes},
        {"high surrogate at the end", u"x"_s + QChar(0xD83D), "x?", ToBytes},
        // One replacement character per byte that does not decode; the next byte is read afresh.
        {"bad bytes", QString(r) + u" "_s + r + u"AB"_s + QString(5, r) + u"@z"_s,
         "\x81 \x82\x41\x42\x80\xA0\xFD\xFF\x85\x40z", ToText},
        {"NEC-selected IBM row, lead byte at the end", u"纊～A収"_s + r + u"支a"_s + r,
         "\xED\x40\x81\x60\x41\x8E\xFB\xFF\x8E\x78\x61\x82", ToText},
    };
    for (const auto& [name, text, bytes, way] : rows) {
        EXPECT_EQ(way == ToText ? bytes : WideToMultiByte(text), bytes) << name;
        EXPECT_EQ(way == ToBytes ? text : MultiByteToWide(bytes), text) << name;
    }
    const QString text = u"収支～ｱ😀"_s.repeated(3000); // more than one buffer
    EXPECT_EQ(MultiByteToWide(WideToMultiByte(text)), QString(text).replace(u"😀"_s, u"?"_s));
}

} // namespace
