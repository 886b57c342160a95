// Tallybook: a household account book.
#include "app/CMyTALYApp.h"
#include "app/Display.h"
#include "platform/Device.h"
#include "ui/framework/Framework.h"

#include <QApplication>

int main(int argc, char** argv) {
    plat::InitDeviceFromEnvironment();
    if (!tb::app::HasDisplay()) return tb::app::ExplainMissingDisplay();
    QApplication qapp(argc, argv);
    tb::ui::InstallFramework(qapp);
    CMyTALYApp app;
    if (!app.InitInstance()) return 0;
    return app.Run();
}
