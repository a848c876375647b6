#include "app/window_identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>

namespace {
#include "window_icon.inc"

constexpr char kWindowName[] = "rampix";
constexpr char kWindowClass[] = RAMPIX_APP_ID;
}  // namespace

void nameWindow() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;  // no X window (another GLUT back end): nothing to name
    XClassHint hint;
    char name[sizeof kWindowName], windowClass[sizeof kWindowClass];
    std::copy(std::begin(kWindowName), std::end(kWindowName), name);
    std::copy(std::begin(kWindowClass), std::end(kWindowClass), windowClass);
    hint.res_name = name;
    hint.res_class = windowClass;
    XSetClassHint(display, window, &hint);
    // Format 32 properties are passed as longs, whatever their size on the wire.
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(kWindowIcon),
                    static_cast<int>(std::size(kWindowIcon)));
    XFlush(display);
}
