// Running a dialog modally from a test as a person would: act inside the run
// once the dialog is the active window, then inside each nested run (a message
// box is answered through the DeviceTest recorder instead). A dialog the
// actions leave running (a refused confirmation) is cancelled once its loop
// runs again and counted, so that no test waits forever; a run that will not
// end (a refused close, a pop-up left open) fails the test after a time limit.
#pragma once

#include "ui/framework/Dialog.h"

#include <functional>
#include <vector>

namespace tb::ui::testing {

using DialogAction = std::function<void(Dialog&)>;

struct ModalRun {
    int result = 0;
    int leftOpen = 0; // runs the actions left open and the runner cancelled
};

// Runs dlg; `drive` acts in its run, `nested` in the runs it opens, in order.
// Fails the test when a run had no action or an action found no run.
ModalRun RunModal(Dialog& dlg, DialogAction drive, std::vector<DialogAction> nested = {});

// An action for a nested run: wait until active, act, cancel if left open.
DialogAction Acting(DialogAction action, int* leftOpen = nullptr);

// Calls `start`, which runs dialogs modally (a flow or a task), acting in each
// run it opens, in order. Returns how many runs the actions left open.
int RunActing(const std::function<void()>& start, std::vector<DialogAction> actions);

} // namespace tb::ui::testing
