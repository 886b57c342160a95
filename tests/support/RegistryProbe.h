// Reading and writing the handset registry from tests, the way a person with a
// registry editor would: raw values, the maker's key that marks the handset,
// and the phone-status values the input-mode hints write.
#pragma once

#include "platform/Registry.h"

#include <QByteArray>
#include <QString>

namespace regprobe {

struct Value {
    plat::DWORD type = plat::REG_NONE;
    QByteArray data;
    bool operator==(const Value&) const = default;
};

// The program's own settings key under HKEY_LOCAL_MACHINE.
inline const QString kSettingsKey = QStringLiteral(u"SOFTWARE\\Orvane\\TALY");

Value Read(plat::HKEY root, const QString& key, const QString& name);
void Write(plat::HKEY root, const QString& key, const QString& name, plat::DWORD type,
           const QByteArray& data);
bool KeyExists(plat::HKEY root, const QString& key);

// A value of the settings key.
inline Value Setting(const QString& name) {
    return Read(plat::HKEY_LOCAL_MACHINE, kSettingsKey, name);
}
inline void SetSetting(const QString& name, plat::DWORD type, const QByteArray& data) {
    Write(plat::HKEY_LOCAL_MACHINE, kSettingsKey, name, type, data);
}

// Creates the maker's key by which a document started afterwards knows the handset.
void MakeHandset();
// "Status22" or "Status31" of the handset's phone-status key; 0 when missing.
plat::DWORD PhoneStatus(const QString& name);
inline const QString kPhoneStatusKey = QStringLiteral(u"SOFTWARE\\Haruno\\PhoneStatus");

} // namespace regprobe
