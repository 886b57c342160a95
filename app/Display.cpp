#include "app/Display.h"

#include <cstdio>
#include <cstdlib>

namespace tb::app {

namespace {
bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}
} // namespace

bool HasDisplay() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

int ExplainMissingDisplay() {
    std::fputs("Tallybook needs a display, and none was found (DISPLAY and WAYLAND_DISPLAY "
               "are unset).\n"
               "To run it on a machine without one, use Qt's VNC platform and connect a VNC "
               "viewer to port 5900:\n"
               "  QT_QPA_PLATFORM=vnc:size=480x800 tallybook\n",
               stderr);
    return 1;
}

} // namespace tb::app
