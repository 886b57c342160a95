// Settings: defaults and registry bytes, the legacy file, broken values, handset hints.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "platform/Faults.h"
#include "platform/Registry.h"
#include "platform/System.h"

#include <QObject>
#include <QScopeGuard>
#include <tuple>

using namespace bytes;
namespace faults = plat::faults;

namespace {

using RegValue = regprobe::Value;
using regprobe::SetSetting;
using regprobe::Setting;

QByteArray Ints(std::initializer_list<std::int32_t> values) {
    QByteArray b;
    for (std::int32_t v : values)
        b += U32(static_cast<std::uint32_t>(v));
    return b;
}

using SettingsTest = DocTest;

// Documents started at each stage save what they read, whatever was written meanwhile.
TEST_F(SettingsTest, DefaultsLegacyFileAndStoredValuesAreReadAndWrittenBack) {
    const auto first = openDoc();
    EXPECT_EQ(first->DataPath(QString()), kFolder);
    EXPECT_EQ(Setting(QStringLiteral("Options")), RegValue{}); // nothing written before a save

    // The legacy file is kept until it could be read, then taken over and deleted.
    const QString legacy = inFolder(QStringLiteral("\\TALYINFO.DAT"));
    writeFile(legacy, Options(25, 2, 0x10000013, 0x11).left(144));
    faults::FailNth(faults::Op::Read, 1, plat::ERROR_READ_FAULT);
    EXPECT_EQ(openDoc()->m_nMonthStartDay, 1);
    EXPECT_TRUE(fileExists(legacy));
    const auto takeover = openDoc();
    EXPECT_FALSE(fileExists(legacy));

    // Options without the period bit get the month, without My Documents the program folder.
    SetSetting(QStringLiteral("Options"), plat::REG_BINARY, Options(1, 0, 0x00000001));
    auto doc = openDoc();
    EXPECT_EQ(doc->m_dwFlags, 0x10000001u);
    EXPECT_EQ(doc->DataPath(datafile::kLedger),
              QStringLiteral(u"\\Program Files\\Tallybook\\収支.DAT"));

    const std::tuple<const char*, plat::DWORD, QByteArray> stored[] = {
        {"Options", plat::REG_BINARY, Options(25, 3, 0x40001105, 0x7E, 0)},
        {"StartYear", plat::REG_DWORD, U32(4)},
        {"DataFile1Flag", plat::REG_DWORD, U32(2)},
        {"DataFile1Path", plat::REG_SZ, QByteArray::fromHex("5c0044000000")}, // "\D", NUL
        {"ListHeaderInfo4", plat::REG_BINARY, Ints({3, -1, 40, 50, 60, 70})},
    };
    for (const auto& [name, type, bytes] : stored)
        SetSetting(QString::fromLatin1(name), type, bytes);
    doc = openDoc();
    EXPECT_EQ(doc->DataPath(datafile::kLedger), QStringLiteral(u"\\D\\収支.DAT"));
    EXPECT_EQ(doc->m_ListHeaderInfo2.sortDirection, 0); // missing: all zero
    doc->SaveSettings();
    for (const auto& [name, type, bytes] : stored)
        EXPECT_EQ(Setting(QString::fromLatin1(name)), (RegValue{type, bytes})) << name;

    takeover->SaveSettings();
    EXPECT_EQ(Setting(QStringLiteral("Options")).data.toHex(),
              Options(25, 2, 0x10000013, 0x11).toHex());
    first->SaveSettings();
    const std::pair<const char*, RegValue> defaults[] = {
        {"Options", {plat::REG_BINARY, Options(1, 0, 0x10000011)}},
        {"StartYear", {plat::REG_DWORD, U32(1)}},
        {"DataFile1Flag", {plat::REG_DWORD, U32(0)}},
        {"DataFile1Path", {plat::REG_SZ, QByteArray(2, '\0')}},
        {"ListHeaderInfo2", {plat::REG_BINARY, Ints({0, 1, 0, 0})}},
        {"ListHeaderInfo3", {plat::REG_BINARY, QByteArray(20, '\0')}},
        {"ListHeaderInfo4", {plat::REG_BINARY, QByteArray(24, '\0')}},
        {"ListHeaderInfo5", {plat::REG_BINARY, QByteArray(28, '\0')}},
    };
    for (const auto& [name, v] : defaults)
        EXPECT_EQ(Setting(QString::fromLatin1(name)), v) << name;
}

// Each broken value in, and the default the next save writes back in its place.
TEST_F(SettingsTest, ValuesOutOfRangeGetTheirDefaults) {
    const std::tuple<const char*, QByteArray, QByteArray> broken[] = {
        {"StartYear", U32(13), U32(1)},
        {"StartYear", U32(0), U32(1)},
        {"Options", Options(32, 0, 0x10000011), Options(1, 0, 0x10000011)},
        {"Options", Options(-1, 0, 0x10000011), Options(1, 0, 0x10000011)},
        {"Options", Options(1, 7, 0x10000011), Options(1, 0, 0x10000011)},
        {"ListHeaderInfo3", Ints({3, 1, 10, 10, 10}), Ints({0, 1, 10, 10, 10})},
        {"ListHeaderInfo2", Ints({-1, 1, 10, 10}), Ints({0, 1, 10, 10})},
        {"ListHeaderInfo5", Ints({0, 1, 10, -5, 10, 10, 10}), Ints({0, 1, 10, 0, 10, 10, 10})},
        {"ListHeaderInfo4", Ints({0, 7, 10, 10, 10, 10}), Ints({0, 0, 10, 10, 10, 10})},
    };
    for (const auto& [name, in, out] : broken) {
        SetSetting(QString::fromLatin1(name), in.size() == 4 ? plat::REG_DWORD : plat::REG_BINARY,
                   in);
        openDoc()->SaveSettings();
        EXPECT_EQ(Setting(QString::fromLatin1(name)).data.toHex(), out.toHex()) << name;
    }
}

TEST_F(SettingsTest, HandsetHintsTouchNothingOffTheHandsetAndOnItSetTheImeAndPhoneStatus) {
    std::vector<int> panelStates;
    plat::SetInputPanelHandler([&](int state) { panelStates.push_back(state); });
    const auto unhook = qScopeGuard([] { plat::SetInputPanelHandler({}); });
    QObject window;
    const auto ime = [&] {
        plat::DWORD conversion = 0, sentence = 0;
        EXPECT_TRUE(plat::ImmGetConversionStatus(&window, &conversion, &sentence));
        return std::pair(conversion, sentence);
    };
    auto doc = openDoc();
    ASSERT_TRUE(plat::ImmSetConversionStatus(&window, 0x123, 0x45));
    doc->SetImeMode(&window, 0);
    doc->SetPhoneInputStatus(0, 7);
    EXPECT_EQ(ime(), std::pair(plat::DWORD{0x123}, plat::DWORD{0x45}));
    EXPECT_TRUE(panelStates.empty());
    EXPECT_FALSE(regprobe::KeyExists(plat::HKEY_CURRENT_USER, regprobe::kPhoneStatusKey));

    regprobe::MakeHandset();
    regprobe::Write(plat::HKEY_CURRENT_USER, regprobe::kPhoneStatusKey, QStringLiteral("Status22"),
                    plat::REG_DWORD, U32(0x00030005));
    doc = openDoc();
    const auto phone = [&] {
        return std::tuple(regprobe::PhoneStatus(QStringLiteral("Status22")),
                          regprobe::PhoneStatus(QStringLiteral("Status31")), panelStates);
    };
    doc->SetPhoneInputStatus(0, 7); // the upper half of Status22 is kept
    EXPECT_EQ(phone(), std::tuple(0x00030007u, 0u, std::vector{0}));
    doc->SetPhoneInputStatus(-1, 0); // a text field: hiragana, panel left alone
    EXPECT_EQ(phone(), std::tuple(0x00030000u, 9u, std::vector{0}));
    doc->SetPhoneInputStatus(1, 12); // out of range: alphanumeric
    EXPECT_EQ(phone(), std::tuple(0x00030007u, 0u, std::vector{0, 1}));

    // Each mode's conversion; the sentence mode is kept.
    const std::pair<int, plat::DWORD> modes[] = {{0, 9}, {1, 11}, {2, 3}, {3, 8},
                                                 {4, 8}, {5, 0},  {7, 0}, {-1, 0}};
    for (const auto& [mode, conversion] : modes) {
        ASSERT_TRUE(plat::ImmSetConversionStatus(&window, 0xFF, 0x8));
        doc->SetImeMode(&window, mode);
        EXPECT_EQ(ime(), std::pair(conversion, plat::DWORD{0x8})) << "mode " << mode;
        doc->SetPhoneInputStatus(-1, mode);
        EXPECT_EQ(std::get<1>(phone()), mode >= 0 && mode <= 4 ? conversion : 0) << "mode " << mode;
    }
}

} // namespace
