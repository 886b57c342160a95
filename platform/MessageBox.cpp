// Message boxes through an installed handler; standard error without one.
#include "MessageBox.h"

#include <cstdio>
#include <utility>

namespace plat {
namespace {
MessageBoxHandler g_handler;
} // namespace

int MessageBox(const QString& text, const QString& caption, unsigned flags) {
    if (g_handler) return g_handler(text, caption, flags);
    std::fprintf(stderr, "[%s] %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    // Unattended, the careful answer: decline anything that asks.
    return (flags & 0xF) == MB_YESNO ? IDNO : IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(g_handler, std::move(handler));
}

bool ShowError(DWORD code) {
    const QString text = QString::asprintf("Error ! ID = %d", static_cast<int>(code));
    MessageBox(text, QStringLiteral("ERROR"), MB_OK);
    return true;
}

} // namespace plat
