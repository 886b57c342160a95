#include "support/ModalRunner.h"

#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tb::ui::testing {
namespace {

// Long enough for a slow sanitizer run; a run still open then is stuck.
constexpr int kStuckMs = 30000;

// Ends whatever keeps the runs open: pop-up menus first, then every running
// dialog, innermost included, so that the outer loops can return.
void EndStuckRuns() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<Dialog*>(w); d && d->IsRunning()) d->EndDialog(IDCANCEL);
}

} // namespace

DialogAction Acting(DialogAction action, int* leftOpen) {
    return [action = std::move(action), leftOpen](Dialog& d) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        action(d);
        QTimer::singleShot(0, &d, [leftOpen, p = QPointer<Dialog>(&d)] {
            if (!p || !p->IsRunning()) return;
            if (leftOpen) ++*leftOpen;
            p->EndDialog(IDCANCEL);
        });
    };
}

ModalRun RunModal(Dialog& dlg, DialogAction drive, std::vector<DialogAction> nested) {
    ModalRun run;
    ModalDriver driver;
    driver.then(Acting(std::move(drive), &run.leftOpen));
    for (DialogAction& action : nested)
        driver.then(std::move(action));
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "a modal run was still open after " << kStuckMs << " ms";
        EndStuckRuns();
    });
    watchdog.start(kStuckMs);
    run.result = dlg.DoModal();
    EXPECT_EQ(driver.unexpectedRuns(), 0);
    EXPECT_EQ(driver.pending(), 0);
    return run;
}

int RunActing(const std::function<void()>& start, std::vector<DialogAction> actions) {
    int leftOpen = 0;
    ModalDriver driver;
    for (DialogAction& action : actions)
        driver.then(Acting(std::move(action), &leftOpen));
    start();
    EXPECT_EQ(driver.unexpectedRuns(), 0);
    EXPECT_EQ(driver.pending(), 0);
    return leftOpen;
}

} // namespace tb::ui::testing
