#include "support/RegistryProbe.h"

#include <gtest/gtest.h>

namespace regprobe {

Value Read(plat::HKEY root, const QString& keyName, const QString& name) {
    Value v;
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyEx(root, keyName, &key) != plat::ERROR_SUCCESS) return v;
    plat::DWORD size = 0;
    if (plat::RegQueryValueEx(key, name, &v.type, nullptr, &size) == plat::ERROR_SUCCESS) {
        v.data = QByteArray(static_cast<qsizetype>(size), '\0');
        plat::RegQueryValueEx(key, name, &v.type, v.data.data(), &size);
    }
    plat::RegCloseKey(key);
    return v;
}

void Write(plat::HKEY root, const QString& keyName, const QString& name, plat::DWORD type,
           const QByteArray& data) {
    plat::HKEY key = nullptr;
    ASSERT_EQ(plat::RegCreateKeyEx(root, keyName, &key), plat::ERROR_SUCCESS);
    plat::RegSetValueEx(key, name, type, data.constData(), static_cast<plat::DWORD>(data.size()));
    plat::RegCloseKey(key);
}

bool KeyExists(plat::HKEY root, const QString& keyName) {
    plat::HKEY key = nullptr;
    if (plat::RegOpenKeyEx(root, keyName, &key) != plat::ERROR_SUCCESS) return false;
    plat::RegCloseKey(key);
    return true;
}

void MakeHandset() {
    plat::HKEY key = nullptr;
    ASSERT_EQ(plat::RegCreateKeyEx(plat::HKEY_CURRENT_USER, QStringLiteral(u"Software\\Haruno\\KeyMail"),
                                   &key),
              plat::ERROR_SUCCESS);
    plat::RegCloseKey(key);
}

plat::DWORD PhoneStatus(const QString& name) {
    plat::HKEY key = nullptr;
    plat::DWORD value = 0;
    if (plat::RegOpenKeyEx(plat::HKEY_CURRENT_USER, kPhoneStatusKey, &key) != plat::ERROR_SUCCESS)
        return 0;
    plat::RegReadDword(key, name, &value);
    plat::RegCloseKey(key);
    return value;
}

} // namespace regprobe
