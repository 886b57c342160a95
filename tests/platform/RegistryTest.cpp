// The registry: values keep their types, the file text is the export format,
// a hand-edited file is read tolerantly, failures leave memory and disk alike.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <cstring>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

const QString kTaly = u"SOFTWARE\\Orvane\\TALY"_s;

class RegistryTest : public DeviceTest {
protected:
    void TearDown() override {
        for (HKEY key : m_open)
            RegCloseKey(key);
        DeviceTest::TearDown();
    }
    HKEY create(HKEY root, const QString& path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, &key), ERROR_SUCCESS);
        m_open.push_back(key);
        return key;
    }
    HKEY open(HKEY root, const QString& path) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(root, path, &key) == ERROR_SUCCESS) m_open.push_back(key);
        return key;
    }
    QByteArray registryText() {
        QFile f(RegistryFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeRegistry(const QByteArray& text) {
        QFile f(RegistryFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    static QByteArray Sz(const QString& text) {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), (text.size() + 1) * 2);
    }
    struct Read {
        LONG status = ERROR_SUCCESS;
        DWORD type = REG_NONE;
        QByteArray data;
    };
    static Read query(HKEY key, const QString& name) {
        Read r;
        DWORD size = 0;
        r.status = RegQueryValueEx(key, name, &r.type, nullptr, &size);
        if (r.status != ERROR_SUCCESS) return r;
        r.data.resize(size);
        r.status = RegQueryValueEx(key, name, &r.type, r.data.data(), &size);
        return r;
    }
    static LONG setDword(HKEY key, const QString& name, DWORD value) {
        return RegSetValueEx(key, name, REG_DWORD, &value, 4);
    }

private:
    std::vector<HKEY> m_open;
};

TEST_F(RegistryTest, WritesTheExportFormatExactly) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(setDword(taly, u"StartYear"_s, 10), ERROR_SUCCESS);
    const unsigned char options[] = {0x01, 0x02, 0xff};
    ASSERT_EQ(RegSetValueEx(taly, u"Options"_s, REG_BINARY, options, 3), ERROR_SUCCESS);
    const QByteArray path = Sz(u"\\My Documents\\\"家計簿\""_s);
    ASSERT_EQ(RegSetValueEx(taly, u"DataFile1Path"_s, REG_SZ, path.constData(),
                            static_cast<DWORD>(path.size())),
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

TEST_F(RegistryTest, LongBinaryValuesWrapAndReadBack) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    QByteArray options(148, '\0');
    for (int i = 0; i < options.size(); ++i)
        options[i] = static_cast<char>(i * 7);
    ASSERT_EQ(RegSetValueEx(taly, u"Options"_s, REG_BINARY, options.constData(), 148),
              ERROR_SUCCESS);
    const QByteArray text = registryText();
    for (const QByteArray& line : text.split('\n'))
        EXPECT_LE(line.size(), 80) << line.constData();
    InitDevice(deviceDir());
    HKEY again = open(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_NE(again, nullptr);
    const Read r = query(again, u"options"_s);
    EXPECT_EQ(r.type, DWORD{REG_BINARY});
    EXPECT_EQ(r.data, options);
}

TEST_F(RegistryTest, RoundTripKeepsTypesAndBytes) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    struct Row {
        const char* name;
        QString value;
        DWORD type;
        QByteArray data;
    };
    const Row rows[] = {
        {"dword", u"StartYear"_s, REG_DWORD, QByteArray("\x0c\x00\x00\x00", 4)},
        {"binary of four bytes", u"Bin4"_s, REG_BINARY, QByteArray("\x04\x00\x00\x00", 4)},
        {"empty binary", u"Empty"_s, REG_BINARY, QByteArray()},
        {"string", u"Path"_s, REG_SZ, Sz(u"\\Storage Card\\収支"_s)},
        {"empty string", u"Blank"_s, REG_SZ, Sz(QString())},
        {"string with a line break", u"Lines"_s, REG_SZ, Sz(u"a\r\nb"_s)},
        {"string without terminator", u"Raw"_s, REG_SZ, QByteArray("a\0b\0", 4)},
        {"odd-sized string", u"Odd"_s, REG_SZ, QByteArray("abc", 3)},
        {"other type", u"Multi"_s, 7, QByteArray("a\0\0\0\0\0", 6)},
        {"default value", QString(), REG_SZ, Sz(u"default"_s)},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(RegSetValueEx(taly, row.value, row.type, row.data.constData(),
                                static_cast<DWORD>(row.data.size())),
                  ERROR_SUCCESS)
            << row.name;
    }
    InitDevice(deviceDir()); // forget memory, read the file again
    HKEY again = open(HKEY_LOCAL_MACHINE, u"software\\ORVANE\\taly"_s);
    ASSERT_NE(again, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Read r = query(again, row.value);
        EXPECT_EQ(r.status, ERROR_SUCCESS);
        EXPECT_EQ(r.type, row.type);
        EXPECT_EQ(r.data, row.data);
    }
}

TEST_F(RegistryTest, ConvenienceReadersCheckTheType) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    const DWORD four = 4;
    ASSERT_EQ(RegSetValueEx(taly, u"Bin4"_s, REG_BINARY, &four, 4), ERROR_SUCCESS);
    ASSERT_EQ(setDword(taly, u"Flag"_s, 2), ERROR_SUCCESS);
    const QByteArray text = Sz(u"\\My Documents"_s);
    ASSERT_EQ(RegSetValueEx(taly, u"Path"_s, REG_SZ, text.constData(), 28), ERROR_SUCCESS);

    DWORD value = 99;
    EXPECT_FALSE(RegReadDword(taly, u"Bin4"_s, &value));
    EXPECT_FALSE(RegReadDword(taly, u"Path"_s, &value));
    EXPECT_FALSE(RegReadDword(taly, u"Missing"_s, &value));
    EXPECT_EQ(value, 99u);
    EXPECT_TRUE(RegReadDword(taly, u"FLAG"_s, &value));
    EXPECT_EQ(value, 2u);

    QString read;
    EXPECT_TRUE(RegReadString(taly, u"Path"_s, &read));
    EXPECT_EQ(read, u"\\My Documents"_s);
    EXPECT_FALSE(RegReadString(taly, u"Path"_s, &read, 13)); // 13 units hold no terminator
    EXPECT_TRUE(RegReadString(taly, u"Path"_s, &read, 14));
    EXPECT_FALSE(RegReadString(taly, u"Flag"_s, &read));
}

TEST_F(RegistryTest, QuerySizeProtocol) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(RegSetValueEx(taly, u"B"_s, REG_BINARY, "12345678", 8), ERROR_SUCCESS);
    char buffer[8] = {};
    DWORD type = 0, size = 4;
    EXPECT_EQ(RegQueryValueEx(taly, u"B"_s, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(type, DWORD{REG_BINARY});
    EXPECT_EQ(RegQueryValueEx(taly, u"B"_s, &type, buffer, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(taly, u"B"_s, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::memcmp(buffer, "12345678", 8), 0);
    EXPECT_EQ(RegQueryValueEx(taly, u"C"_s, &type, buffer, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueEx(taly, u"D"_s, REG_DWORD, "12", 2), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(taly, u"b"_s, &type, buffer, &size), ERROR_SUCCESS); // names ignore case
}

TEST_F(RegistryTest, KeysOpenCreateAndClose) {
    EXPECT_EQ(open(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s), nullptr);
    HKEY out = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s, &out),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(out, nullptr);
    bool created = false;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kTaly, &key, &created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    HKEY same = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"software\\orvane\\taly"_s, &same, &created),
              ERROR_SUCCESS);
    EXPECT_FALSE(created);
    ASSERT_EQ(setDword(key, u"X"_s, 1), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_TRUE(RegReadDword(same, u"x"_s, &value));
    HKEY sub = create(key, u"Sub"_s);
    EXPECT_NE(open(HKEY_LOCAL_MACHINE, kTaly + u"\\SUB"_s), nullptr);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(same), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(same), ERROR_INVALID_HANDLE);
    EXPECT_EQ(setDword(same, u"X"_s, 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(setDword(sub, u"Y"_s, 1), ERROR_SUCCESS);
}

TEST_F(RegistryTest, HandEditedFileIsReadTolerantly) {
    writeRegistry(fixture(u"platform/handedit.reg"_s));
    HKEY taly = open(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_NE(taly, nullptr);
    DWORD value = 0;
    EXPECT_TRUE(RegReadDword(taly, u"StartYear"_s, &value));
    EXPECT_EQ(value, 4u);
    EXPECT_TRUE(RegReadDword(taly, u"DataFile1Flag"_s, &value));
    EXPECT_EQ(value, 2u);
    EXPECT_EQ(query(taly, u"Options"_s).data, QByteArray("\x01\0\0\0\0\0\0\0\x64\0\0\0", 12));
    EXPECT_EQ(query(taly, u"ListHeaderInfo2"_s).data.size(), 16);
    QString path;
    EXPECT_TRUE(RegReadString(taly, u"DataFile1Path"_s, &path));
    EXPECT_EQ(path, u"\\Storage Card\\家計簿 \"2008\""_s);
    for (const QString& broken :
         {u"Broken1"_s, u"Broken2"_s, u"Broken3"_s, u"Broken4"_s, u"Broken5"_s}) {
        EXPECT_EQ(query(taly, broken).status, ERROR_FILE_NOT_FOUND) << broken.toStdString();
    }
    HKEY keymail = open(HKEY_CURRENT_USER, u"Software\\Haruno\\KeyMail"_s);
    ASSERT_NE(keymail, nullptr);
    EXPECT_TRUE(RegReadString(keymail, QString(), &path));
    EXPECT_EQ(path, u"default"_s);
    const Read expand = query(keymail, u"Expand"_s);
    EXPECT_EQ(expand.type, 2u);
    EXPECT_EQ(expand.data, QByteArray("A\0\0\0", 4));
}

TEST_F(RegistryTest, RegeditUtf16ExportIsRead) {
    const QString text = u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\r\n"
                         "\"StartYear\"=dword:00000007\r\n"_s;
    writeRegistry(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    HKEY taly = open(HKEY_LOCAL_MACHINE, kTaly);
    DWORD value = 0;
    EXPECT_TRUE(RegReadDword(taly, u"StartYear"_s, &value));
    EXPECT_EQ(value, 7u);
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
        if (key) RegCloseKey(key);
    }
}

TEST_F(RegistryTest, FailedWriteLeavesMemoryAndFileUnchanged) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(setDword(taly, u"StartYear"_s, 1), ERROR_SUCCESS);
    const QByteArray before = registryText();
    // A folder where the new version would go makes the write fail for real.
    ASSERT_TRUE(QDir().mkdir(RegistryFilePath() + u".tb-new"_s));
    EXPECT_EQ(setDword(taly, u"StartYear"_s, 2), LONG{ERROR_ACCESS_DENIED});
    DWORD value = 0;
    EXPECT_TRUE(RegReadDword(taly, u"StartYear"_s, &value));
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(registryText(), before);
    ASSERT_TRUE(QDir().rmdir(RegistryFilePath() + u".tb-new"_s));

    faults::CutWritesAfter(10);
    EXPECT_EQ(setDword(taly, u"StartYear"_s, 3), LONG{ERROR_DISK_FULL});
    EXPECT_EQ(registryText(), before);
    EXPECT_TRUE(RegReadDword(taly, u"StartYear"_s, &value));
    EXPECT_EQ(value, 1u);
}

TEST_F(RegistryTest, RegistryWritesDoNotShiftInjectedFileFaults) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    faults::FailNth(faults::Op::Open, 1, ERROR_ACCESS_DENIED);
    faults::FailNth(faults::Op::Write, 1, ERROR_DISK_FULL);
    EXPECT_EQ(setDword(taly, u"StartYear"_s, 5), ERROR_SUCCESS);
    EXPECT_FALSE(faults::ShouldFail(faults::Op::Read));
    EXPECT_TRUE(faults::ShouldFail(faults::Op::Open));
    EXPECT_TRUE(faults::ShouldFail(faults::Op::Write));
}

TEST_F(RegistryTest, LoadedLazilyAndForgottenByInitDevice) {
    HKEY taly = create(HKEY_LOCAL_MACHINE, kTaly);
    ASSERT_EQ(setDword(taly, u"StartYear"_s, 1), ERROR_SUCCESS);
    // An edit on disk is not seen while the registry is in memory...
    writeRegistry(
        "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\n"
        "\"StartYear\"=dword:00000009\n");
    DWORD value = 0;
    EXPECT_TRUE(RegReadDword(taly, u"StartYear"_s, &value));
    EXPECT_EQ(value, 1u);
    // ...and is after a reset.
    InitDevice(deviceDir());
    EXPECT_TRUE(RegReadDword(taly, u"StartYear"_s, &value));
    EXPECT_EQ(value, 9u);
    QTemporaryDir other;
    InitDevice(other.path());
    EXPECT_FALSE(RegReadDword(taly, u"StartYear"_s, &value));
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
    if (key) RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Names, RegistryNameLimitTest, ::testing::ValuesIn(kNameLimits),
                         [](const auto& row) { return std::string(row.param.name); });

const QByteArray kHeaderLine = "Windows Registry Editor Version 5.00\r\n";
const QByteArray kStartYear4 =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\TALY]\r\n\"StartYear\"=dword:4\r\n";

struct DamagedRegistry {
    const char* name;
    QByteArray text;
    bool valueUsed; // StartYear 4 is read
    bool keptAside;
};

const DamagedRegistry kDamagedRegistries[] = {
    {"WellFormed", kHeaderLine + "; a comment\r\n" + kStartYear4, true, false},
    {"NoHeaderLine", kStartYear4, true, true},
    {"LineNotUnderstood", kHeaderLine + kStartYear4 + "junk\r\n", true, true},
    {"KeyDeeperThan512",
     kHeaderLine + "[HKEY_LOCAL_MACHINE" + QByteArray(50000 * 2, 'a').replace("aa", "\\a") +
         "]\r\n\"x\"=dword:1\r\n" + kStartYear4,
     true, true},
    {"Over16MB", kHeaderLine + kStartYear4 + QByteArray(16 * 1024 * 1024, ';'), false, true},
};

class DamagedRegistryTest : public RegistryTest,
                            public ::testing::WithParamInterface<DamagedRegistry> {};

TEST_P(DamagedRegistryTest, UnderstoodValuesAreUsedAndTheFileKeptAsideBeforeTheFirstWrite) {
    writeRegistry(GetParam().text);
    DWORD value = 0;
    EXPECT_EQ(RegReadDword(create(HKEY_LOCAL_MACHINE, kTaly), u"StartYear"_s, &value),
              GetParam().valueUsed);
    ASSERT_EQ(setDword(create(HKEY_CURRENT_USER, u"Other"_s), u"v"_s, 1), ERROR_SUCCESS);
    ASSERT_EQ(setDword(create(HKEY_CURRENT_USER, u"Other"_s), u"v"_s, 2), ERROR_SUCCESS);

    const QStringList aside = QDir(deviceDir()).entryList({u"registry.reg.*.bak"_s});
    EXPECT_EQ(aside.size(), GetParam().keptAside ? 1 : 0);
    if (!aside.isEmpty()) {
        QFile kept(deviceDir() + u'/' + aside.front());
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_TRUE(kept.readAll() == GetParam().text);
    }
    EXPECT_LT(registryText().size(), 1000); // nothing not understood is written back
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedRegistryTest, ::testing::ValuesIn(kDamagedRegistries),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
