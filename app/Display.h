// Whether Qt has a screen to open the window on, and what to say when not.
#pragma once

namespace tb::app {

// A display server, or a platform chosen through QT_QPA_PLATFORM.
bool HasDisplay();
// Tells on standard error how to run the program without a display; returns
// the exit status for that case.
int ExplainMissingDisplay();

} // namespace tb::app
