// Message boxes without a widget: the window layer installs the real box,
// tests install a hook that records and answers each box.
#pragma once

#include "Errors.h"

#include <QString>
#include <functional>

namespace plat {

enum MessageBoxFlags : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10, // also MB_ICONHAND / MB_ICONERROR
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
};
enum MessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using MessageBoxHandler =
    std::function<int(const QString& text, const QString& caption, unsigned flags)>;

// Shows a box through the installed handler. Without one the text goes to
// standard error and the answer is IDOK (IDNO for a Yes/No box).
int MessageBox(const QString& text, const QString& caption, unsigned flags);
// Installs a handler; returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The program-wide box for a failed platform call: "Error ! ID = %d" with the
// code as a signed decimal, caption "ERROR", OK button, no icon. Always true.
bool ShowError(DWORD code);

} // namespace plat
