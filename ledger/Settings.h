// Byte layouts of the settings values and the names under which they are kept.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// "Options" in the registry: 148 bytes. The legacy "\\TALYINFO.DAT" holds the
// first 144 of them (everything before saveOnChange).
struct OptionsRecord {
    std::int32_t monthStartDay;
    std::int32_t weekStartDay;
    std::int32_t optionsReserved;
    std::uint32_t flags;
    std::uint8_t reserved[128];
    std::int32_t saveOnChange;
};
static_assert(sizeof(OptionsRecord) == 148);
inline constexpr std::size_t kLegacyOptionsSize = 144;

namespace settings {
inline const QString kKey = QStringLiteral(u"SOFTWARE\\Orvane\\TALY");
inline const QString kOptions = QStringLiteral(u"Options");
inline const QString kStartYear = QStringLiteral(u"StartYear");
inline const QString kDataFolderType = QStringLiteral(u"DataFile1Flag");
inline const QString kDataFolderPath = QStringLiteral(u"DataFile1Path");
inline const QString kLastDataFolder = QStringLiteral(u"DataFile");
inline const QString kLegacyFile = QStringLiteral(u"\\TALYINFO.DAT");
inline const QString kDefaultFolder = QStringLiteral(u"\\Tallybook");
inline const QString kHandsetKey = QStringLiteral(u"Software\\Haruno\\KeyMail");
inline const QString kPhoneStatusKey = QStringLiteral(u"SOFTWARE\\Haruno\\PhoneStatus");
inline constexpr int kMaxPathChars = 260;
} // namespace settings

// The input-method conversion mode for one of the program's input modes
// (0 hiragana, 1 full-width katakana, 2 half-width katakana, 3 and 4
// full-width alphanumeric, anything else half-width alphanumeric).
std::uint32_t ConversionModeFor(int mode);
