// The window-system seam, a no-op until an implementation is installed.
#include "base/platform.h"

namespace {
int noTime() {
    return 0;
}
void noWarp(int, int) {}
void noCursor(CursorShape) {}
int noModifiers() {
    return 0;
}
void noAction() {}
void noExit(int) {}
void noReshape(int, int) {}
int notFullScreen() {
    return 0;
}
}  // namespace

Platform platform = {noTime,    noWarp,   noCursor, noModifiers, noAction,
                     noReshape, noAction, noAction, noExit,      notFullScreen};
