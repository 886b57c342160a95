// Program-wide services of the window layer: the platform test for the
// soft-key bar, the scale of logical pixels, the handset look, and the real
// message box and input-method handlers behind the platform layer.
#pragma once

#include <QString>

class QApplication;
class QFont;
class QIcon;
class QKeyEvent;
class QPixmap;
class QWidget;

namespace tb::ui {

// The soft-key bar test: major version 5 or more and platform type
// "PocketPC" (compared over at most 64 characters).
bool UsesSoftKeyBar();

// Device pixels per logical pixel (2 unless set).
int UiScale();
inline int Lp(int logical) {
    return logical * UiScale();
}
// The handset's size, portrait, logical (240 x 320).
constexpr int kHandsetWidth = 240;
constexpr int kHandsetHeight = 320;

// The dialog font: Noto Sans CJK JP at the handset's size, scaled.
QFont HandsetFont();
// Application font, message box and input-method handlers. Call once after
// the QApplication exists.
void InstallFramework(QApplication& app);
// The Qt message box as the platform's box: buttons "OK", "はい", "いいえ",
// "キャンセル"; icon by the flags 0x10/0x20/0x30/0x40. Returns IDOK/IDCANCEL/IDYES/IDNO.
int ShowMessageBox(const QString& text, const QString& caption, unsigned flags);
void InstallMessageBoxHandler();
// Input-method hints on the widget from the conversion status; the status is
// kept per widget and read back.
void InstallImeHandlers();

// The window dialogs cover (the main window). Null: the active window.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

// Images of the resources (program icon: IDR_MAINFRAME); null when missing.
QPixmap ResourcePixmap(int imageId, int logicalWidth, int logicalHeight);
// At the image's own size (tool-bar strips), scaled.
QPixmap ResourcePixmap(int imageId);
QIcon ProgramIcon();

// The handset's virtual-key code of a Qt key event (0 when it has none).
int VirtualKeyOf(const QKeyEvent& event);

} // namespace tb::ui
