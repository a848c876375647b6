#include "support/x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

long long monotonicMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

namespace {
Display* dpy(void* d) {
    return static_cast<Display*>(d);
}

bool findSize(Display* d, Window w, const char* title, int& width, int& height) {
    char* name = nullptr;
    bool match = false;
    if (XFetchName(d, w, &name) && name) {
        match = std::strcmp(name, title) == 0;
        XFree(name);
    }
    XWindowAttributes a;
    if (match && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable) {
        width = a.width;
        height = a.height;
        return true;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) found = findSize(d, children[i], title, width, height);
    if (children) XFree(children);
    return found;
}
}  // namespace

double processorSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(in, text);
    const size_t end = text.rfind(')');
    if (end == std::string::npos) return 0.0;
    std::istringstream fields(text.substr(end + 2));
    std::string field;
    double ticks = 0.0;
    for (int i = 0; i < 13 && fields >> field; ++i)
        if (i >= 11) ticks += std::atof(field.c_str());  // utime and stime
    return ticks / sysconf(_SC_CLK_TCK);
}

void sleepMs(int ms) {
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

XSession::XSession(int width, int height) : width_(width), height_(height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    serverPid_ = fork();
    if (serverPid_ == 0) {
        // A test that dies without its destructors must not leave the server behind: it would keep the
        // test's output pipe open and hold up the test runner.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        close(fds[0]);
        if (fds[1] != 3) dup2(fds[1], 3), close(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-r",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    for (const long long end = monotonicMs() + 15000;
         monotonicMs() < end && number.find('\n') == std::string::npos;)
        if (poll(&p, 1, 200) > 0) {
            if (read(fds[0], &c, 1) != 1) break;
            number += c;
        }
    close(fds[0]);
    if (number.empty()) return;
    name_ = ":" + number.substr(0, number.find('\n'));
    display_ = XOpenDisplay(name_.c_str());
    int event, error, major, minor;
    if (display_ && !XTestQueryExtension(dpy(display_), &event, &error, &major, &minor)) {
        XCloseDisplay(dpy(display_));
        display_ = nullptr;
    }
}

XSession::~XSession() {
    if (display_) XCloseDisplay(dpy(display_));
    if (serverPid_ > 0) {
        kill(serverPid_, SIGTERM);
        waitpid(serverPid_, nullptr, 0);
    }
}

bool XSession::windowSize(const char* title, int& width, int& height) {
    return findSize(dpy(display_), DefaultRootWindow(dpy(display_)), title, width, height);
}

bool XSession::waitForWindow(const char* title, int timeoutMs) {
    int w, h;
    for (const long long end = monotonicMs() + timeoutMs; monotonicMs() < end; sleepMs(50))
        if (windowSize(title, w, h)) return true;
    return false;
}

void XSession::showWindow(const char* title, bool shown) {
    Display* d = dpy(display_);
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name && std::strcmp(name, title) == 0)
            shown ? XMapWindow(d, children[i]) : XUnmapWindow(d, children[i]);
        if (name) XFree(name);
    }
    if (children) XFree(children);
    XSync(d, False);
}

void XSession::key(const char* keysymName, bool press, bool release) {
    Display* d = dpy(display_);
    const KeySym sym = XStringToKeysym(keysymName);
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (code == 0) {
        std::fprintf(stderr, "XSession: no key for %s\n", keysymName);
        return;
    }
    const bool shift = XkbKeycodeToKeysym(d, code, 0, 0) != sym && XkbKeycodeToKeysym(d, code, 0, 1) == sym;
    const unsigned shiftCode = XKeysymToKeycode(d, XStringToKeysym("Shift_L"));
    if (shift && press) XTestFakeKeyEvent(d, shiftCode, True, 0);
    if (press) XTestFakeKeyEvent(d, code, True, 0);
    if (release) XTestFakeKeyEvent(d, code, False, 0);
    if (shift && release) XTestFakeKeyEvent(d, shiftCode, False, 0);
    XSync(d, False);
}

void XSession::moveTo(int x, int y) {
    XTestFakeMotionEvent(dpy(display_), -1, x, y, 0);
    XSync(dpy(display_), False);
}

void XSession::button(int number, bool down) {
    XTestFakeButtonEvent(dpy(display_), static_cast<unsigned>(number), down ? True : False, 0);
    XSync(dpy(display_), False);
}

void XSession::click(int number) {
    button(number, true);
    sleepMs(60);
    button(number, false);
}

Screenshot XSession::screenshot() {
    Screenshot shot;
    XImage* image =
        XGetImage(dpy(display_), DefaultRootWindow(dpy(display_)), 0, 0, static_cast<unsigned>(width_),
                  static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (!image) return shot;
    shot.width = width_;
    shot.height = height_;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            for (int shift : {16, 8, 0}) shot.rgb.push_back(static_cast<uint8_t>(p >> shift));
        }
    XDestroyImage(image);
    return shot;
}
