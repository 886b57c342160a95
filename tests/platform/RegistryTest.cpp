// The registry: values and their types, the export-format file, failures, foreign files.
#include "support/DeviceTest.h"
#include "support/RegistryProbe.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <random>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

const QString kTaly = u"SOFTWARE\\Orvane\\TALY"_s;
const QByteArray kHeaderLine = "Windows Registry Editor Version 5.00\r\n";

HKEY Create(HKEY root, const QString& path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(root, path, &key), ERROR_SUCCESS);
    return key;
}
QByteArray Sz(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), (text.size() + 1) * 2);
}
LONG Set(HKEY key, const QString& name, DWORD type, const QByteArray& data) {
    return RegSetValueEx(key, name, type, data.constData(), static_cast<DWORD>(data.size()));
}
LONG SetDword(HKEY key, const QString& name, DWORD value) {
    return RegSetValueEx(key, name, REG_DWORD, &value, 4);
}
DWORD StartYear() { // 0 when missing
    const regprobe::Value value = regprobe::Setting(u"StartYear"_s);
    return value.type == REG_DWORD ? *reinterpret_cast<const DWORD*>(value.data.constData()) : 0;
}
void WriteRegistry(const QByteArray& text) {
    QFile f(RegistryFilePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

class RegistryTest : public DeviceTest {
protected:
    QByteArray registryText() const { return readHost(RegistryFilePath()); }
};

TEST_F(RegistryTest, WritesTheExportFormatAndReadsEveryValueBackOnInit) {
    HKEY taly = Create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(SetDword(taly, u"StartYear"_s, 10), ERROR_SUCCESS);
    ASSERT_EQ(Set(taly, u"Options"_s, REG_BINARY, "\x01\x02\xff"), ERROR_SUCCESS);
    ASSERT_EQ(Set(taly, u"DataFile1Path"_s, REG_SZ, Sz(u"\\My Documents\\\"家計簿\""_s)),
              ERROR_SUCCESS);
    Create(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s);
    EXPECT_EQ(registryText(), kHeaderLine +
                                  "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"
                                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane]\r\n\r\n"
                                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\r\n"
                                  "\"DataFile1Path\"=\"\\\\My Documents\\\\\\\"家計簿\\\"\"\r\n"
                                  "\"Options\"=hex:01,02,ff\r\n"
                                  "\"StartYear\"=dword:0000000a\r\n\r\n"
                                  "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
                                  "[HKEY_CURRENT_USER\\Software\\Haruno]\r\n\r\n"
                                  "[HKEY_CURRENT_USER\\Software\\Haruno\\KeyMail]\r\n\r\n");
    EXPECT_EQ(fileMode(RegistryFilePath()), 0600u);

    // Values of every kind survive the file, which is read lazily: an edit on
    // disk is seen only after InitDevice forgets the memory.
    const QByteArray wrapped =
        QByteArray("\x01\x23\x45\x67\x89\xab\xcd\xef\xf0").repeated(16) + "1234";
    const std::tuple<QString, DWORD, QByteArray> rows[] = {
        {u"StartYear"_s, REG_DWORD, QByteArray("\x0c\x00\x00\x00", 4)},
        {u"Bin4"_s, REG_BINARY, QByteArray("\x04\x00\x00\x00", 4)},
        {u"Options"_s, REG_BINARY, wrapped}, // over several lines
        {u"Empty"_s, REG_BINARY, QByteArray()},
        {u"Path"_s, REG_SZ, Sz(u"\\Storage Card\\収支"_s)},
        {u"Blank"_s, REG_SZ, Sz(QString())},
        {u"Lines"_s, REG_SZ, Sz(u"a\r\nb"_s)},
        {u"Raw"_s, REG_SZ, QByteArray("a\0b\0", 4)}, // no terminator
        {u"Odd"_s, REG_SZ, QByteArray("abc", 3)},
        {u"Multi"_s, 7, QByteArray("a\0\0\0\0\0", 6)}, // a type of its own
        {QString(), REG_SZ, Sz(u"default"_s)},
    };
    for (const auto& [name, type, data] : rows)
        ASSERT_EQ(Set(taly, name, type, data), ERROR_SUCCESS) << name.toStdString();
    for (const QByteArray& line : registryText().split('\n'))
        EXPECT_LE(line.size(), 80) << line.constData();
    InitDevice(deviceDir());
    for (const auto& [name, type, data] : rows)
        EXPECT_EQ(regprobe::Read(HKEY_LOCAL_MACHINE, u"software\\ORVANE\\taly"_s, name.toLower()),
                  (regprobe::Value{type, data}))
            << name.toStdString();

    WriteRegistry(kHeaderLine + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\n"
                                "\"StartYear\"=dword:00000009\n");
    EXPECT_EQ(StartYear(), 12u);
    InitDevice(deviceDir());
    EXPECT_EQ(StartYear(), 9u);
}

TEST_F(RegistryTest, KeysReadersNamesAndFailedWritesCheckHandlesTypesSizesAndTheHandsetsLimits) {
    HKEY out = reinterpret_cast<HKEY>(1), taly = nullptr, same = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTaly, &out), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(out, nullptr);
    bool created = false, createdAgain = true;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kTaly, &taly, &created), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"software\\orvane\\taly"_s, &same, &createdAgain),
              ERROR_SUCCESS);
    EXPECT_TRUE(created && !createdAgain);
    HKEY sub = Create(taly, u"Sub"_s);
    ASSERT_EQ(Set(taly, u"Bin4"_s, REG_BINARY, QByteArray(4, '\x04')), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(taly, u"Flag"_s, 2), ERROR_SUCCESS);
    ASSERT_EQ(Set(taly, u"Path"_s, REG_SZ, Sz(u"\\My Documents"_s)), ERROR_SUCCESS);
    char buffer[8] = {};
    DWORD type = 0, size = 2;
    // Each call in turn (braces keep the order).
    EXPECT_EQ((std::vector<LONG>{RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTaly + u"\\SUB"_s, &out),
                                 RegCloseKey(same), RegCloseKey(same), SetDword(same, u"X"_s, 1),
                                 RegCloseKey(HKEY_LOCAL_MACHINE), SetDword(sub, u"Y"_s, 1),
                                 RegQueryValueEx(taly, u"Bin4"_s, &type, buffer, &size), LONG(size),
                                 RegQueryValueEx(taly, u"Bin4"_s, &type, buffer, nullptr),
                                 RegSetValueEx(taly, u"D"_s, REG_DWORD, "12", 2),
                                 RegQueryValueEx(taly, u"Bin5"_s, &type, buffer, &size)}),
              (std::vector<LONG>{ERROR_SUCCESS, ERROR_SUCCESS, ERROR_INVALID_HANDLE,
                                 ERROR_INVALID_HANDLE, ERROR_SUCCESS, ERROR_SUCCESS,
                                 ERROR_MORE_DATA, 4, ERROR_INVALID_PARAMETER,
                                 ERROR_INVALID_PARAMETER, ERROR_FILE_NOT_FOUND}));
    // A DWORD is read only from a REG_DWORD; a string needs room for its terminator.
    DWORD value = 99;
    QString read;
    EXPECT_EQ((std::vector{
                  RegReadDword(taly, u"Bin4"_s, &value), RegReadDword(taly, u"Path"_s, &value),
                  RegReadDword(taly, u"Missing"_s, &value), value == 99,
                  RegReadDword(taly, u"FLAG"_s, &value) && value == 2,
                  RegReadString(taly, u"Path"_s, &read, 13), RegReadString(taly, u"Flag"_s, &read),
                  RegReadString(taly, u"Path"_s, &read, 14) && read == u"\\My Documents"_s}),
              (std::vector{false, false, false, true, true, false, false, true}));

    // key, value name, status of the first call that fails
    const std::tuple<QString, QString, LONG> rows[] = {
        {QString(255, u'k'), u"v"_s, ERROR_SUCCESS},
        {QString(256, u'k'), u"v"_s, ERROR_INVALID_PARAMETER},
        {QStringList(512, u"k"_s).join(u'\\'), u"v"_s, ERROR_SUCCESS},
        {QStringList(513, u"k"_s).join(u'\\'), u"v"_s, ERROR_INVALID_PARAMETER},
        {u"a"_s + QChar(0xD800), u"v"_s, ERROR_INVALID_PARAMETER},
        {u"a"_s, u"v"_s + QChar(0xDC00), ERROR_INVALID_PARAMETER},
        {u"a"_s, u"v\r\n[HKEY_CURRENT_USER\\x]"_s, ERROR_INVALID_PARAMETER},
    };
    for (const auto& [keyPath, valueName, expected] : rows) {
        HKEY key = nullptr;
        LONG status = RegCreateKeyEx(HKEY_CURRENT_USER, keyPath, &key);
        if (status == ERROR_SUCCESS) status = SetDword(key, valueName, 1);
        EXPECT_EQ(status, expected) << keyPath.left(20).toStdString() << valueName.toStdString();
    }
    // Registry writes leave the injected file faults to the calls they were aimed at.
    faults::FailNth(faults::Op::Open, 1, ERROR_ACCESS_DENIED);
    faults::FailNth(faults::Op::Write, 1, ERROR_DISK_FULL);
    ASSERT_EQ(SetDword(taly, u"StartYear"_s, 1), ERROR_SUCCESS);
    EXPECT_TRUE(faults::ShouldFail(faults::Op::Open) && faults::ShouldFail(faults::Op::Write));
    const QByteArray before = registryText();
    // A folder where the new version would go makes the write fail for real.
    ASSERT_TRUE(QDir().mkdir(RegistryFilePath() + u".tb-new"_s));
    EXPECT_EQ(SetDword(taly, u"StartYear"_s, 2), LONG{ERROR_ACCESS_DENIED});
    EXPECT_EQ(std::pair(StartYear(), registryText()), std::pair(1u, before));
}

// Of a file not wholly understood the rest is used and the file kept aside on the first write.
TEST_F(RegistryTest, StoredFilesAreReadTolerantlyAndKeptAsideWhenNotUnderstood) {
    WriteRegistry(fixture(u"platform/handedit.reg"_s));
    using regprobe::Setting;
    EXPECT_EQ(StartYear(), 4u);
    EXPECT_EQ(Setting(u"DataFile1Flag"_s).data, QByteArray("\x02\0\0\0", 4));
    EXPECT_EQ(Setting(u"Options"_s).data, QByteArray("\x01\0\0\0\0\0\0\0\x64\0\0\0", 12));
    EXPECT_EQ(Setting(u"ListHeaderInfo2"_s).data.size(), 16);
    EXPECT_EQ(Setting(u"DataFile1Path"_s),
              (regprobe::Value{REG_SZ, Sz(u"\\Storage Card\\家計簿 \"2008\""_s)}));
    for (int broken = 1; broken <= 5; ++broken)
        EXPECT_EQ(Setting(u"Broken%1"_s.arg(broken)).type, DWORD{REG_NONE}) << broken;
    const QString keymail = u"Software\\Haruno\\KeyMail"_s;
    EXPECT_EQ(regprobe::Read(HKEY_CURRENT_USER, keymail, QString()),
              (regprobe::Value{REG_SZ, Sz(u"default"_s)}));
    EXPECT_EQ(regprobe::Read(HKEY_CURRENT_USER, keymail, u"Expand"_s),
              (regprobe::Value{2, QByteArray("A\0\0\0", 4)}));

    const QByteArray year4 =
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\r\n\"StartYear\"=dword:4\r\n";
    QStringEncoder toUtf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray deep = "[HKEY_LOCAL_MACHINE" + QByteArray(100000, 'a').replace("aa", "\\a");
    // name, file, StartYear 4 is read, the file is kept aside
    const std::tuple<const char*, QByteArray, bool, bool> rows[] = {
        {"well formed", kHeaderLine + "; a comment\r\n" + year4, true, false},
        {"UTF-16 export", toUtf16(QString::fromLatin1(kHeaderLine + year4)), true, false},
        {"no header line", year4, true, true},
        {"line not understood", kHeaderLine + year4 + "junk\r\n", true, true},
        {"key deeper than 512", kHeaderLine + deep + "]\r\n\"x\"=dword:1\r\n" + year4, true, true},
        {"over 16 MB", kHeaderLine + year4 + QByteArray(16 * 1024 * 1024, ';'), false, true},
    };
    for (const auto& [name, text, used, keptAside] : rows) {
        SCOPED_TRACE(name);
        QTemporaryDir device;
        InitDevice(device.path());
        WriteRegistry(text);
        EXPECT_EQ(StartYear(), used ? 4u : 0u);
        ASSERT_EQ(SetDword(Create(HKEY_CURRENT_USER, u"Other"_s), u"v"_s, 1), ERROR_SUCCESS);
        ASSERT_EQ(SetDword(Create(HKEY_CURRENT_USER, u"Other"_s), u"v"_s, 2), ERROR_SUCCESS);
        const QStringList aside = QDir(device.path()).entryList({u"registry.reg.*.bak"_s});
        EXPECT_EQ(aside.size(), keptAside ? 1 : 0);
        EXPECT_TRUE(aside.isEmpty() || readHost(device.path() + u'/' + aside.front()) == text);
        EXPECT_LT(registryText().size(), 1000); // nothing not understood is written back
    }
    // Random files of the format's own characters never crash the reader.
    const QByteArray alphabet = "[]\"=\\:,@;hexdwordHKEY_LOCAL_MACHINE\r\n 0a9f(";
    std::minstd_rand random(12345);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk(400, ' ');
        for (char& c : junk)
            c = alphabet[static_cast<qsizetype>(random() % alphabet.size())];
        InitDevice(deviceDir()); // the registry file is read on first use
        WriteRegistry(junk);
        HKEY key = nullptr;
        const LONG status = RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTaly, &key);
        EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    }
}

} // namespace
