// Platform identity, single instance and input-method services.
#pragma once

#include "Errors.h"

#include <QString>
#include <functional>

class QObject;

namespace plat {

// "PocketPC" and 5 unless changed (tests, or TALLYBOOK_PLATFORM="<type>:<major>").
int GetOsMajorVersion();
QString GetPlatformType();
void SetPlatformIdentity(int majorVersion, const QString& platformType);

// A named mutex across processes, per device folder (per user without one).
// Returns false only on failure; when another holder exists it returns true with
// the last error set to ERROR_ALREADY_EXISTS (and *alreadyExists set). The mutex
// is held until the process ends or ReleaseNamedMutexes() (tests).
bool CreateNamedMutex(const QString& name, bool* alreadyExists);
void ReleaseNamedMutexes();

// Input-method conversion status of a window. The window layer installs the real
// handlers (input-method hints on a widget); without them the status is kept per
// window object so that callers and tests can read it back.
struct ImeHandlers {
    std::function<bool(QObject* window, DWORD* conversion, DWORD* sentence)> get;
    std::function<bool(QObject* window, DWORD conversion, DWORD sentence)> set;
};
void SetImeHandlers(ImeHandlers handlers);
bool ImmGetConversionStatus(QObject* window, DWORD* conversion, DWORD* sentence);
bool ImmSetConversionStatus(QObject* window, DWORD conversion, DWORD sentence);

// The on/off switch of the input panel (0 or 1); a handler may be installed.
void SetInputPanelHandler(std::function<void(int state)> handler);
void SetInputPanelState(int state);
int GetInputPanelState(); // the last state set, 0 after InitDevice

} // namespace plat
