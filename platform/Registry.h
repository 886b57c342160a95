// The registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, keys matched without
// regard to case, values of type REG_SZ, REG_BINARY and REG_DWORD keeping their
// types. Persisted as one text file in the registry export format
// ("Windows Registry Editor Version 5.00", dword:, hex:, quoted strings),
// rewritten atomically whenever a value or key changes.
// Functions return ERROR_SUCCESS or an error code, as the handset's do.
// Limits as on the handset: a key name holds at most 255 characters, a path at
// most 512 keys, a value name at most 16383; longer ones, and names with line
// breaks, control characters or half surrogate pairs, are refused
// (ERROR_INVALID_PARAMETER). A file that is not understood in full (or is over
// 16 MB) keeps what was understood and is copied aside under a dated name
// before the first write.
#pragma once

#include "Errors.h"

#include <QString>
#include <cstdint>

namespace plat {

using LONG = std::int32_t;
struct RegKey;
using HKEY = RegKey*;

extern const HKEY HKEY_LOCAL_MACHINE;
extern const HKEY HKEY_CURRENT_USER;

enum RegType : DWORD { REG_NONE = 0, REG_SZ = 1, REG_BINARY = 3, REG_DWORD = 4 };

// ERROR_FILE_NOT_FOUND when the key does not exist.
LONG RegOpenKeyEx(HKEY root, const QString& subKey, HKEY* result);
// Creates missing keys on the way; *created (optional) tells whether it was new.
LONG RegCreateKeyEx(HKEY root, const QString& subKey, HKEY* result, bool* created = nullptr);
// With data null only the type and size are reported. ERROR_MORE_DATA when
// *size is smaller than the value (then *size holds the needed size).
LONG RegQueryValueEx(HKEY key, const QString& name, DWORD* type, void* data, DWORD* size);
LONG RegSetValueEx(HKEY key, const QString& name, DWORD type, const void* data, DWORD size);
LONG RegCloseKey(HKEY key);

// ERROR_SUCCESS, or the error that kept the existing registry file from being
// read. The file is then never written in this run: every change fails with
// this code and nothing reaches the disk.
DWORD RegFileReadError();

// Convenience wrappers over the calls above.
bool RegReadDword(HKEY key, const QString& name, DWORD* value); // only a REG_DWORD value
bool RegReadString(HKEY key, const QString& name, QString* value, int maxChars = 260);

} // namespace plat
