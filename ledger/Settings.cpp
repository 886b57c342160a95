// Settings in the registry (HKLM "SOFTWARE\\Orvane\\TALY"), the legacy settings
// file, the data folder, and the handset's input-mode hints.
#include "ledger/Settings.h"

#include "ledger/CMyTALYDoc.h"
#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/System.h"

#include <cstring>

namespace {

using plat::DWORD;

// Closes a registry key when it goes out of scope.
class KeyHolder {
public:
    ~KeyHolder() {
        if (key) plat::RegCloseKey(key);
    }
    plat::HKEY key = nullptr;
};

bool ReadBinary(plat::HKEY key, const QString& name, void* data, DWORD size) {
    DWORD type = 0;
    DWORD got = size;
    return plat::RegQueryValueEx(key, name, &type, data, &got) == plat::ERROR_SUCCESS &&
           type == plat::REG_BINARY && got == size;
}

plat::LONG WriteDword(plat::HKEY key, const QString& name, std::int64_t value) {
    const DWORD v = static_cast<DWORD>(value);
    return plat::RegSetValueEx(key, name, plat::REG_DWORD, &v, sizeof v);
}

plat::LONG WriteString(plat::HKEY key, const QString& name, const QString& value) {
    return plat::RegSetValueEx(key, name, plat::REG_SZ, value.utf16(),
                               static_cast<DWORD>((value.size() + 1) * 2));
}

plat::LONG WriteBinary(plat::HKEY key, const QString& name, const void* data, std::size_t size) {
    return plat::RegSetValueEx(key, name, plat::REG_BINARY, data, static_cast<DWORD>(size));
}

QString HeaderInfoName(int columns) {
    return QStringLiteral("ListHeaderInfo%1").arg(columns);
}

void TakeOptions(CMyTALYDoc& doc, const OptionsRecord& o, bool withSaveOnChange) {
    doc.m_nMonthStartDay = o.monthStartDay;
    doc.m_nWeekStartDay = o.weekStartDay;
    doc.m_nOptionsReserved = o.optionsReserved;
    doc.m_dwFlags = o.flags;
    std::memcpy(doc.m_OptionsReservedBytes.data(), o.reserved, sizeof o.reserved);
    if (withSaveOnChange) doc.m_bSaveOnChange = o.saveOnChange != 0;
}

OptionsRecord MakeOptions(const CMyTALYDoc& doc) {
    OptionsRecord o{};
    o.monthStartDay = doc.m_nMonthStartDay;
    o.weekStartDay = doc.m_nWeekStartDay;
    o.optionsReserved = doc.m_nOptionsReserved;
    o.flags = doc.m_dwFlags;
    std::memcpy(o.reserved, doc.m_OptionsReservedBytes.data(), sizeof o.reserved);
    o.saveOnChange = doc.m_bSaveOnChange ? 1 : 0;
    return o;
}

void SetDefaults(CMyTALYDoc& doc) {
    doc.m_nYearStartMonth = 1;
    doc.m_nMonthStartDay = 1;
    doc.m_nWeekStartDay = 0;
    doc.m_dwFlags = kDefaultFlags;
    doc.m_nOptionsReserved = 100;
    doc.m_OptionsReservedBytes.fill(0);
    doc.m_bSaveOnChange = true;
    doc.m_nDataFolderType = 0;
    doc.m_strDataFolderPath.clear();
    doc.m_ListHeaderInfo2 = ListHeaderInfo(2);
    doc.m_ListHeaderInfo2.sortDirection = 1;
    doc.m_ListHeaderInfo3 = ListHeaderInfo(3);
    doc.m_ListHeaderInfo4 = ListHeaderInfo(4);
    doc.m_ListHeaderInfo5 = ListHeaderInfo(5);
}

// The legacy settings file in the default data folder: its values are taken
// when all 144 bytes are there; it is deleted once it was read (a failed read
// keeps it for the next start).
void MigrateLegacySettings(CMyTALYDoc& doc) {
    const QString path =
        plat::GetMyDocumentsFolder(false) + settings::kDefaultFolder + settings::kLegacyFile;
    plat::File file;
    if (!file.open(path, plat::GENERIC_READ, plat::FILE_SHARE_READ,
                   plat::Disposition::OpenExisting))
        return;
    OptionsRecord o{};
    std::uint32_t got = 0;
    const bool read = file.read(&o, kLegacyOptionsSize, &got);
    file.close();
    if (read && got == kLegacyOptionsSize) TakeOptions(doc, o, false);
    if (read) plat::DeleteFile(path);
}

int DefaultFolderType(std::uint32_t flags) {
    return (flags & OPT_DATA_IN_MYDOCS) ? 0 : 1;
}

// A person can edit the registry file: values out of their range get their default.
void SanitizeSettings(CMyTALYDoc& doc) {
    if (doc.m_nYearStartMonth < 1 || doc.m_nYearStartMonth > 12) doc.m_nYearStartMonth = 1;
    if (doc.m_nMonthStartDay < 0 || doc.m_nMonthStartDay > 31) doc.m_nMonthStartDay = 1;
    if (doc.m_nWeekStartDay < 0 || doc.m_nWeekStartDay > 6) doc.m_nWeekStartDay = 0;
    for (int columns = 2; columns <= 5; ++columns)
        doc.HeaderInfoFor(columns)->sanitize();
}

void ReadRegistrySettings(CMyTALYDoc& doc, plat::HKEY key) {
    OptionsRecord o{};
    if (ReadBinary(key, settings::kOptions, &o, sizeof o)) {
        TakeOptions(doc, o, true);
        if ((doc.m_dwFlags & PERIOD_MASK) == 0) doc.m_dwFlags |= PERIOD_MONTH;
    }
    DWORD value = 0;
    doc.m_nYearStartMonth =
        plat::RegReadDword(key, settings::kStartYear, &value) ? static_cast<int>(value) : 1;
    doc.m_nDataFolderType = plat::RegReadDword(key, settings::kDataFolderType, &value)
                                ? static_cast<int>(value)
                                : DefaultFolderType(doc.m_dwFlags);
    if (!plat::RegReadString(key, settings::kDataFolderPath, &doc.m_strDataFolderPath,
                             settings::kMaxPathChars))
        doc.m_strDataFolderPath.clear();
    for (int columns = 2; columns <= 5; ++columns) {
        ListHeaderInfo* info = doc.HeaderInfoFor(columns);
        *info = ListHeaderInfo(columns); // a missing value is all zero
        QByteArray bytes(info->byteSize(), '\0');
        if (ReadBinary(key, HeaderInfoName(columns), bytes.data(),
                       static_cast<DWORD>(bytes.size())))
            info->fromBytes(bytes);
    }
}

} // namespace

std::uint32_t ConversionModeFor(int mode) {
    switch (mode) {
    case 0:
        return 9; // native + full-width: hiragana
    case 1:
        return 11; // native + katakana + full-width
    case 2:
        return 3; // native + katakana: half-width katakana
    case 3:
    case 4:
        return 8; // full-width alphanumeric
    default:
        return 0;
    }
}

void CMyTALYDoc::LoadSettings() {
    SetDefaults(*this);
    // Unreadable (owned by another user, say): its values are not lost, just
    // not used; it is not written over in this run.
    if (const DWORD code = plat::RegFileReadError()) plat::ShowError(code);
    MigrateLegacySettings(*this);
    KeyHolder k;
    if (plat::RegOpenKeyEx(plat::HKEY_LOCAL_MACHINE, settings::kKey, &k.key) !=
        plat::ERROR_SUCCESS) {
        k.key = nullptr;
        m_nDataFolderType = DefaultFolderType(m_dwFlags);
        m_strDataFolderPath.clear();
        SanitizeSettings(*this);
        return;
    }
    ReadRegistrySettings(*this, k.key);
    SanitizeSettings(*this);
}

bool CMyTALYDoc::SaveSettings() {
    if (plat::RegFileReadError() != plat::ERROR_SUCCESS) return true; // skipped, shown at start
    KeyHolder k;
    plat::LONG status = plat::RegCreateKeyEx(plat::HKEY_LOCAL_MACHINE, settings::kKey, &k.key);
    if (status != plat::ERROR_SUCCESS) k.key = nullptr;
    // Every value is tried; the first failure is the one reported.
    auto keep = [&status](plat::LONG result) {
        if (status == plat::ERROR_SUCCESS) status = result;
    };
    if (k.key) {
        const OptionsRecord o = MakeOptions(*this);
        keep(WriteBinary(k.key, settings::kOptions, &o, sizeof o));
        keep(WriteDword(k.key, settings::kStartYear, m_nYearStartMonth));
        keep(WriteDword(k.key, settings::kDataFolderType, m_nDataFolderType));
        keep(WriteString(k.key, settings::kDataFolderPath, m_strDataFolderPath));
        for (int columns = 2; columns <= 5; ++columns) {
            const QByteArray bytes = HeaderInfoFor(columns)->toBytes();
            keep(WriteBinary(k.key, HeaderInfoName(columns), bytes.constData(),
                             static_cast<std::size_t>(bytes.size())));
        }
    }
    if (status == plat::ERROR_SUCCESS) return true;
    plat::ShowError(static_cast<DWORD>(status));
    return false;
}

bool CMyTALYDoc::GetDataPath(QString* path, const QString& suffix) const {
    if (m_nDataFolderType == 2) {
        *path = m_strDataFolderPath + suffix;
        return true;
    }
    if (m_nDataFolderType == 1) {
        const QString exe = plat::GetModuleFileName();
        if (exe.isEmpty()) {
            plat::ShowError(plat::GetLastError());
            return false;
        }
        const qsizetype cut = std::max(exe.lastIndexOf(u'\\'), exe.lastIndexOf(u'/'));
        *path = exe.left(std::max<qsizetype>(cut, 0)) + suffix;
        return true;
    }
    *path = plat::GetMyDocumentsFolder(true) + settings::kDefaultFolder + suffix;
    return true;
}

QString CMyTALYDoc::DataPath(const QString& suffix) const {
    QString path;
    return GetDataPath(&path, suffix) ? path : QString();
}

bool CMyTALYDoc::DetectHarunoDevice() {
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyEx(plat::HKEY_CURRENT_USER, settings::kHandsetKey, &key) !=
        plat::ERROR_SUCCESS)
        return false;
    plat::RegCloseKey(key);
    return true;
}

void CMyTALYDoc::SetImeMode(QObject* window, int mode) const {
    if (!m_bHarunoDevice) return;
    DWORD conversion = 0;
    DWORD sentence = 0;
    if (!plat::ImmGetConversionStatus(window, &conversion, &sentence)) return;
    plat::ImmSetConversionStatus(window, ConversionModeFor(mode), sentence);
}

void CMyTALYDoc::SetPhoneInputStatus(int panelState, int mode) const {
    if (!m_bHarunoDevice) return;
    if (panelState == 0 || panelState == 1) plat::SetInputPanelState(panelState);
    KeyHolder k;
    if (plat::RegCreateKeyEx(plat::HKEY_CURRENT_USER, settings::kPhoneStatusKey, &k.key) !=
        plat::ERROR_SUCCESS) {
        k.key = nullptr;
        return;
    }
    DWORD status22 = (mode >= 0 && mode <= 7) ? static_cast<DWORD>(mode) : 7;
    DWORD old = 0;
    if (plat::RegReadDword(k.key, QStringLiteral("Status22"), &old))
        status22 |= old & 0xFFFF0000u; // the upper half belongs to the handset
    WriteDword(k.key, QStringLiteral("Status22"), status22);
    WriteDword(k.key, QStringLiteral("Status31"),
               (mode >= 0 && mode <= 4) ? ConversionModeFor(mode) : 0);
}
