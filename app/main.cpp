// Tallybook: a household account book.
#include "app/CMyTALYApp.h"
#include "app/Display.h"
#include "platform/Device.h"
#include "ui/framework/Framework.h"

#include <QApplication>

int main(int argc, char** argv) {
    plat::InitDeviceFromEnvironment();
    if (!tb::app::HasDisplay()) return tb::app::ExplainMissingDisplay();
    // What desktops match the window to its menu entry by: the class on X11
    // (the application name), the desktop file's name on Wayland.
    QApplication::setApplicationName(QStringLiteral(TALLYBOOK_WM_CLASS));
    QApplication::setDesktopFileName(QStringLiteral(TALLYBOOK_APP_ID));
    QApplication qapp(argc, argv);
    tb::ui::InstallFramework(qapp);
    CMyTALYApp app;
    if (!app.InitInstance()) return 0;
    return app.Run();
}
