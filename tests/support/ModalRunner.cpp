#include "support/ModalRunner.h"

#include "ui/framework/testing/Harness.h"

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tb::ui::testing {

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
    run.result = dlg.DoModal();
    EXPECT_EQ(driver.unexpectedRuns(), 0);
    EXPECT_EQ(driver.pending(), 0);
    return run;
}

} // namespace tb::ui::testing
