// The registry: values keep their types, the file text is the export format,
// a hand-edited file is read tolerantly, failures leave memory and disk alike.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

const QString kTaly = u"SOFTWARE\\Orvane\\TALY"_s;

class RegistryTest : public DeviceTest {
protected:
    static HKEY create(HKEY root, const QString& path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, &key), ERROR_SUCCESS);
        return key;
    }
    QByteArray registryText() const { return readHost(RegistryFilePath()); }
    void writeRegistry(const QByteArray& text) {
        QFile f(RegistryFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    static QByteArray Sz(const QString& text) {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), (text.size() + 1) * 2);
    }
    static LONG set(HKEY key, const QString& name, DWORD type, const QByteArray& data) {
        return RegSetValueEx(key, name, type, data.constData(), static_cast<DWORD>(data.size()));
    }
    static LONG setDword(HKEY key, const QString& name, DWORD value) {
        return RegSetValueEx(key, name, REG_DWORD, &value, 4);
    }
    // Type and bytes of a value; REG_NONE when it cannot be read.
    static std::pair<DWORD, QByteArray> query(HKEY key, const QString& name) {
        DWORD type = REG_NONE, size = 0;
        if (RegQueryValueEx(key, name, &type, nullptr, &size) != ERROR_SUCCESS) return {};
        QByteArray data(size, '\0');
        RegQueryValueEx(key, name, &type, data.data(), &size);
        return {type, data};
    }
    DWORD startYear() {
        DWORD value = 0;
        HKEY taly = nullptr;
        RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTaly, &taly);
        return RegReadDword(taly, u"StartYear"_s, &value) ? value : 0;
    }
};

TEST_F(RegistryTest, WritesTheExportFormatExactly) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(setDword(taly, u"StartYear"_s, 10), ERROR_SUCCESS);
    ASSERT_EQ(set(taly, u"Options"_s, REG_BINARY, "\x01\x02\xff"), ERROR_SUCCESS);
    ASSERT_EQ(set(taly, u"DataFile1Path"_s, REG_SZ, Sz(u"\\My Documents\\\"家計簿\""_s)),
              ERROR_SUCCESS);
    create(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s);

    const QByteArray expected =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\r\n"
        "\"DataFile1Path\"=\"\\\\My Documents\\\\\\\"\xe5\xae\xb6\xe8\xa8\x88"
        "\xe7\xb0\xbf\\\"\"\r\n"
        "\"Options\"=hex:01,02,ff\r\n"
        "\"StartYear\"=dword:0000000a\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software]\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Haruno]\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Haruno\\KeyMail]\r\n"
        "\r\n";
    EXPECT_EQ(registryText(), expected);
    EXPECT_EQ(fileMode(RegistryFilePath()), 0600u);
}

TEST_F(RegistryTest, RoundTripKeepsTypesAndBytes) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    QByteArray wrapped(148, '\0');
    for (int i = 0; i < wrapped.size(); ++i)
        wrapped[i] = static_cast<char>(i * 7);
    struct Row {
        const char* name;
        QString value;
        DWORD type;
        QByteArray data;
    };
    const Row rows[] = {
        {"dword", u"StartYear"_s, REG_DWORD, QByteArray("\x0c\x00\x00\x00", 4)},
        {"binary of four bytes", u"Bin4"_s, REG_BINARY, QByteArray("\x04\x00\x00\x00", 4)},
        {"binary over several lines", u"Options"_s, REG_BINARY, wrapped},
        {"empty binary", u"Empty"_s, REG_BINARY, QByteArray()},
        {"string", u"Path"_s, REG_SZ, Sz(u"\\Storage Card\\収支"_s)},
        {"empty string", u"Blank"_s, REG_SZ, Sz(QString())},
        {"string with a line break", u"Lines"_s, REG_SZ, Sz(u"a\r\nb"_s)},
        {"string without terminator", u"Raw"_s, REG_SZ, QByteArray("a\0b\0", 4)},
        {"odd-sized string", u"Odd"_s, REG_SZ, QByteArray("abc", 3)},
        {"other type", u"Multi"_s, 7, QByteArray("a\0\0\0\0\0", 6)},
        {"default value", QString(), REG_SZ, Sz(u"default"_s)},
    };
    for (const Row& row : rows)
        ASSERT_EQ(set(taly, row.value, row.type, row.data), ERROR_SUCCESS) << row.name;
    for (const QByteArray& line : registryText().split('\n'))
        EXPECT_LE(line.size(), 80) << line.constData();
    InitDevice(deviceDir()); // forget memory, read the file again
    HKEY again = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, u"software\\ORVANE\\taly"_s, &again), ERROR_SUCCESS);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(query(again, row.value.toLower()), std::pair(row.type, row.data));
    }
}

TEST_F(RegistryTest, ReadersCheckTypeAndSize) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(set(taly, u"Bin4"_s, REG_BINARY, QByteArray(4, '\x04')), ERROR_SUCCESS);
    ASSERT_EQ(setDword(taly, u"Flag"_s, 2), ERROR_SUCCESS);
    ASSERT_EQ(set(taly, u"Path"_s, REG_SZ, Sz(u"\\My Documents"_s)), ERROR_SUCCESS);
    DWORD value = 99;
    for (const QString& notDword : {u"Bin4"_s, u"Path"_s, u"Missing"_s})
        EXPECT_FALSE(RegReadDword(taly, notDword, &value)) << notDword.toStdString();
    EXPECT_EQ(value, 99u);
    EXPECT_TRUE(RegReadDword(taly, u"FLAG"_s, &value));
    EXPECT_EQ(value, 2u);
    QString read;
    EXPECT_FALSE(RegReadString(taly, u"Path"_s, &read, 13)); // 13 units hold no terminator
    EXPECT_TRUE(RegReadString(taly, u"Path"_s, &read, 14));
    EXPECT_EQ(read, u"\\My Documents"_s);
    EXPECT_FALSE(RegReadString(taly, u"Flag"_s, &read));

    char buffer[8] = {};
    DWORD type = 0, size = 2;
    EXPECT_EQ(RegQueryValueEx(taly, u"Bin4"_s, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(RegQueryValueEx(taly, u"Bin4"_s, &type, buffer, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueEx(taly, u"D"_s, REG_DWORD, "12", 2), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(taly, u"Bin5"_s, &type, buffer, &size), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, KeysOpenCreateAndClose) {
    HKEY out = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s, &out),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(out, nullptr);
    bool created = false;
    HKEY key = nullptr, same = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kTaly, &key, &created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"software\\orvane\\taly"_s, &same, &created),
              ERROR_SUCCESS);
    EXPECT_FALSE(created);
    HKEY sub = create(key, u"Sub"_s);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTaly + u"\\SUB"_s, &out), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(same), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(same), ERROR_INVALID_HANDLE);
    EXPECT_EQ(setDword(same, u"X"_s, 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(setDword(sub, u"Y"_s, 1), ERROR_SUCCESS);
}

TEST_F(RegistryTest, HandEditedFileIsReadTolerantly) {
    writeRegistry(fixture(u"platform/handedit.reg"_s));
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    EXPECT_EQ(startYear(), 4u);
    EXPECT_EQ(query(taly, u"DataFile1Flag"_s).second, QByteArray("\x02\0\0\0", 4));
    EXPECT_EQ(query(taly, u"Options"_s).second, QByteArray("\x01\0\0\0\0\0\0\0\x64\0\0\0", 12));
    EXPECT_EQ(query(taly, u"ListHeaderInfo2"_s).second.size(), 16);
    QString path;
    EXPECT_TRUE(RegReadString(taly, u"DataFile1Path"_s, &path));
    EXPECT_EQ(path, u"\\Storage Card\\家計簿 \"2008\""_s);
    for (const QString& broken :
         {u"Broken1"_s, u"Broken2"_s, u"Broken3"_s, u"Broken4"_s, u"Broken5"_s})
        EXPECT_EQ(query(taly, broken).first, DWORD{REG_NONE}) << broken.toStdString();
    HKEY keymail = create(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s);
    EXPECT_EQ(query(keymail, QString()), std::pair(DWORD{REG_SZ}, Sz(u"default"_s)));
    EXPECT_EQ(query(keymail, u"Expand"_s), std::pair(DWORD{2}, QByteArray("A\0\0\0", 4)));
}

TEST_F(RegistryTest, GarbageFilesNeverCrash) {
    std::uint32_t seed = 12345;
    const QByteArray alphabet = "[]\"=\\:,@;hexdwordHKEY_LOCAL_MACHINE\r\n 0a9f(";
    for (int round = 0; round < 50; ++round) {
        QByteArray junk;
        for (int i = 0; i < 400; ++i) {
            seed = seed * 1103515245u + 12345u;
            junk.append(alphabet[static_cast<qsizetype>((seed >> 16) % alphabet.size())]);
        }
        writeRegistry(junk);
        InitDevice(deviceDir());
        HKEY key = nullptr;
        const LONG status = RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTaly, &key);
        EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    }
}

TEST_F(RegistryTest, FailedWriteLeavesMemoryAndFileUnchanged) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    // Registry writes leave the injected file faults to the calls they were aimed at.
    faults::FailNth(faults::Op::Open, 1, ERROR_ACCESS_DENIED);
    faults::FailNth(faults::Op::Write, 1, ERROR_DISK_FULL);
    ASSERT_EQ(setDword(taly, u"StartYear"_s, 1), ERROR_SUCCESS);
    EXPECT_TRUE(faults::ShouldFail(faults::Op::Open));
    EXPECT_TRUE(faults::ShouldFail(faults::Op::Write));
    const QByteArray before = registryText();
    // A folder where the new version would go makes the write fail for real.
    ASSERT_TRUE(QDir().mkdir(RegistryFilePath() + u".tb-new"_s));
    EXPECT_EQ(setDword(taly, u"StartYear"_s, 2), LONG{ERROR_ACCESS_DENIED});
    EXPECT_EQ(startYear(), 1u);
    ASSERT_TRUE(QDir().rmdir(RegistryFilePath() + u".tb-new"_s));

    faults::CutWritesAfter(10);
    EXPECT_EQ(setDword(taly, u"StartYear"_s, 3), LONG{ERROR_DISK_FULL});
    EXPECT_EQ(registryText(), before);
    EXPECT_EQ(startYear(), 1u);
}

TEST_F(RegistryTest, LoadedLazilyAndForgottenByInitDevice) {
    ASSERT_EQ(setDword(create(HKEY_LOCAL_MACHINE, kTaly), u"StartYear"_s, 1), ERROR_SUCCESS);
    writeRegistry(
        "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]"
        "\n\"StartYear\"=dword:00000009\n");
    EXPECT_EQ(startYear(), 1u); // an edit on disk is not seen while in memory...
    InitDevice(deviceDir());
    EXPECT_EQ(startYear(), 9u); // ...and is after a reset
    QTemporaryDir other;
    InitDevice(other.path());
    EXPECT_EQ(startYear(), 0u);
    EXPECT_EQ(RegistryFilePath(), other.path() + u"/registry.reg"_s);
}

struct NameLimit {
    const char* name;
    QString keyPath;
    QString valueName;
    LONG status; // of the first call that fails, or success
};

const NameLimit kNameLimits[] = {
    {"KeyNameOf255", QString(255, u'k'), u"v"_s, ERROR_SUCCESS},
    {"KeyNameOf256", QString(256, u'k'), u"v"_s, ERROR_INVALID_PARAMETER},
    {"Depth512", QStringList(512, u"k"_s).join(u'\\'), u"v"_s, ERROR_SUCCESS},
    {"Depth513", QStringList(513, u"k"_s).join(u'\\'), u"v"_s, ERROR_INVALID_PARAMETER},
    {"LoneSurrogateInKey", u"a"_s + QChar(0xD800), u"v"_s, ERROR_INVALID_PARAMETER},
    {"LoneSurrogateInValueName", u"a"_s, u"v"_s + QChar(0xDC00), ERROR_INVALID_PARAMETER},
    {"LineBreakInValueName", u"a"_s, u"v\r\n[HKEY_CURRENT_USER\\x]"_s, ERROR_INVALID_PARAMETER},
};

class RegistryNameLimitTest : public RegistryTest,
                              public ::testing::WithParamInterface<NameLimit> {};

TEST_P(RegistryNameLimitTest, NamesBeyondTheHandsetsLimitsAreRefused) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyEx(HKEY_CURRENT_USER, GetParam().keyPath, &key);
    if (status == ERROR_SUCCESS) status = setDword(key, GetParam().valueName, 1);
    EXPECT_EQ(status, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Names, RegistryNameLimitTest, ::testing::ValuesIn(kNameLimits),
                         [](const auto& row) { return std::string(row.param.name); });

const QByteArray kHeaderLine = "Windows Registry Editor Version 5.00\r\n";
const QByteArray kStartYear4 =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\r\n\"StartYear\"=dword:4\r\n";

QByteArray Utf16WithBom(const QByteArray& text) {
    const QString wide = QChar(0xFEFF) + QString::fromLatin1(text);
    return QByteArray(reinterpret_cast<const char*>(wide.utf16()), wide.size() * 2);
}

struct StoredRegistry {
    const char* name;
    QByteArray text;
    bool valueUsed; // StartYear 4 is read
    bool keptAside;
};

const StoredRegistry kStoredRegistries[] = {
    {"WellFormed", kHeaderLine + "; a comment\r\n" + kStartYear4, true, false},
    {"Utf16Export", Utf16WithBom(kHeaderLine + kStartYear4), true, false},
    {"NoHeaderLine", kStartYear4, true, true},
    {"LineNotUnderstood", kHeaderLine + kStartYear4 + "junk\r\n", true, true},
    {"KeyDeeperThan512",
     kHeaderLine + "[HKEY_LOCAL_MACHINE" + QByteArray(50000 * 2, 'a').replace("aa", "\\a") +
         "]\r\n\"x\"=dword:1\r\n" + kStartYear4,
     true, true},
    {"Over16MB", kHeaderLine + kStartYear4 + QByteArray(16 * 1024 * 1024, ';'), false, true},
};

class StoredRegistryTest : public RegistryTest,
                           public ::testing::WithParamInterface<StoredRegistry> {};

TEST_P(StoredRegistryTest, UnderstoodValuesAreUsedAndAnyOtherFileKeptAsideBeforeTheFirstWrite) {
    writeRegistry(GetParam().text);
    EXPECT_EQ(startYear(), GetParam().valueUsed ? 4u : 0u);
    ASSERT_EQ(setDword(create(HKEY_CURRENT_USER, u"Other"_s), u"v"_s, 1), ERROR_SUCCESS);
    ASSERT_EQ(setDword(create(HKEY_CURRENT_USER, u"Other"_s), u"v"_s, 2), ERROR_SUCCESS);

    const QStringList aside = QDir(deviceDir()).entryList({u"registry.reg.*.bak"_s});
    ASSERT_EQ(aside.size(), GetParam().keptAside ? 1 : 0);
    if (!aside.isEmpty()) {
        EXPECT_TRUE(readHost(deviceDir() + u'/' + aside.front()) == GetParam().text);
    }
    EXPECT_LT(registryText().size(), 1000); // nothing not understood is written back
}

INSTANTIATE_TEST_SUITE_P(Files, StoredRegistryTest, ::testing::ValuesIn(kStoredRegistries),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
