#include "base/swap_control.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
bool offers(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* p = extensions; (p = std::strstr(p, name)) != nullptr; p += length)
        if ((p == extensions || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0')) return true;
    return false;
}

template <typename Function>
Function glxFunction(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

bool softwareRenderer() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer) return true;
    return std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
           std::strstr(renderer, "swrast");
}

bool setInterval(Display* display, GLXDrawable drawable, const char* extensions, int interval) {
    if (offers(extensions, "GLX_EXT_swap_control")) {
        const auto swapInterval = glxFunction<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
        if (!swapInterval) return false;
        swapInterval(display, drawable, interval);
        unsigned int now = 0;
        glXQueryDrawable(display, drawable, GLX_SWAP_INTERVAL_EXT, &now);
        return static_cast<int>(now) == interval;
    }
    if (offers(extensions, "GLX_MESA_swap_control")) {
        const auto swapInterval = glxFunction<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA");
        return swapInterval && swapInterval(static_cast<unsigned>(interval)) == 0;
    }
    // The oldest extension cannot turn the wait off.
    if (offers(extensions, "GLX_SGI_swap_control") && interval > 0) {
        const auto swapInterval = glxFunction<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI");
        return swapInterval && swapInterval(interval) == 0;
    }
    return false;
}

double modeRate(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan) lines *= 2.0;
    if (mode.modeFlags & RR_Interlace) lines /= 2.0;
    return mode.hTotal && lines > 0.0 ? mode.dotClock / (mode.hTotal * lines) : 0.0;
}
}  // namespace

bool requestSwapInterval(int interval) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    const char* vblankMode = std::getenv("vblank_mode");
    if (interval != 0 && vblankMode && std::strcmp(vblankMode, "0") == 0) return false;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (!extensions || !setInterval(display, drawable, extensions, interval)) return false;
    return interval > 0 && !softwareRenderer();
}

double displayRefreshRate() {
    Display* display = glXGetCurrentDisplay();
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!display || !XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 103)
        return 60.0;
    double fastest = 0.0;
    XRRScreenResources* screen = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!screen) return 60.0;
    for (int c = 0; c < screen->ncrtc; ++c) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, screen, screen->crtcs[c]);
        if (!crtc) continue;
        for (int m = 0; m < screen->nmode; ++m)
            if (crtc->mode != None && screen->modes[m].id == crtc->mode)
                fastest = std::max(fastest, modeRate(screen->modes[m]));
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(screen);
    return fastest >= 20.0 && fastest <= 1000.0 ? fastest : 60.0;
}

void waitForDisplayEvents(int timeoutMs) {
    Display* display = glXGetCurrentDisplay();
    if (!display || XPending(display) > 0) return;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, timeoutMs);
}
