// PNG pictures of windows for the README and visual checks. Works offscreen;
// texts are drawn in Noto Sans CJK JP.
#pragma once

#include <QString>

class QWidget;

namespace tb::ui::testing {

// Lays out and paints `widget` (shown offscreen if it is not visible) and writes
// it to `path` as PNG. False when it cannot be painted or written.
bool SaveScreenshot(QWidget& widget, const QString& path);

} // namespace tb::ui::testing
