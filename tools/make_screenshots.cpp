// Writes the README's pictures of the command panel and the calculator:
//   make_screenshots <folder>
// on a scratch handset of its own, offscreen.
#include "ledger/CMyTALYDoc.h"
#include "platform/Device.h"
#include "ui/entry/CAmountDlg.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"
#include "ui/framework/testing/Screenshot.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/PanelTasks.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace tb::ui::testing;

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc != 2) {
        std::fputs("usage: make_screenshots <folder>\n", stderr);
        return 2;
    }
    QTemporaryDir device;
    plat::InitDevice(device.path());
    QApplication app(argc, argv);
    tb::ui::InstallFramework(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    CMyTALYDoc doc;
    PanelTasks tasks;
    bool ok = true;
    {
        CMainFrame frame(doc, tasks);
        tb::ui::SetMainWindow(&frame);
        frame.show();
        ok &= SaveScreenshot(frame, out.filePath(QStringLiteral("panel.png")));

        CAmountDlg amount(&doc);
        amount.m_nOptions = CAmountDlg::HideFinish | CAmountDlg::HideBack;
        ModalDriver driver;
        driver.then([&](tb::ui::Dialog& dlg) {
            for (int id : {1008, 1009, 1018, 1025, 1012, 1017, 1026})
                Click(dlg, id); // 12000 + 500 =
            ok &= SaveScreenshot(dlg, out.filePath(QStringLiteral("calculator.png")));
            Click(dlg, 2);
        });
        amount.DoModal();
        doc.ReleaseData(); // nothing to keep: a scratch handset
    }
    return ok ? 0 : 1;
}
