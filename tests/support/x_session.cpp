#include "support/x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

long long monotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
double processorSeconds(pid_t pid) {
    clockid_t id;
    timespec used{};
    if (clock_getcpuclockid(pid, &id) != 0 || clock_gettime(id, &used) != 0) return 0.0;
    return static_cast<double>(used.tv_sec) + used.tv_nsec * 1e-9;
}

// The top-level window with this title, or 0.
static Window findWindow(Display* d, const char* title) {
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && std::strcmp(name, title) == 0) found = children[i];
        XFree(name);
    }
    if (children) XFree(children);
    return found;
}

XSession::XSession(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    serverPid_ = fork();
    if (serverPid_ == 0) {
        // The server must not outlive a test that dies without its destructors: it would hold the runner up.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(fds[1], 3);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-r",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The server writes its display number and a newline once it takes connections, or ends.
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') name_ += c;
    close(fds[0]);
    name_ = ":" + name_;
    if (c == '\n') display_ = XOpenDisplay(name_.c_str());
}

XSession::~XSession() {
    if (display_) XCloseDisplay(display_);
    if (serverPid_ > 0 && kill(serverPid_, SIGTERM) == 0) waitpid(serverPid_, nullptr, 0);
}

bool XSession::windowSize(const char* title, int& width, int& height) {
    const Window w = findWindow(display_, title);
    XWindowAttributes a;
    if (!w || !XGetWindowAttributes(display_, w, &a) || a.map_state != IsViewable) return false;
    width = a.width;
    height = a.height;
    return true;
}

bool XSession::waitForWindow(const char* title, int timeoutMs) {
    int w, h;
    for (const long long end = monotonicMs() + timeoutMs; monotonicMs() < end; sleepMs(50))
        if (windowSize(title, w, h)) return true;
    return false;
}

void XSession::showWindow(const char* title, bool shown) {
    if (const Window w = findWindow(display_, title))
        shown ? XMapWindow(display_, w) : XUnmapWindow(display_, w);
    XSync(display_, False);
}

void XSession::resizeWindow(const char* title, int width, int height) {
    if (const Window w = findWindow(display_, title))
        XResizeWindow(display_, w, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display_, False);
}

bool XSession::pointerInWindow(const char* title, int& x, int& y) {
    const Window w = findWindow(display_, title);
    Window root, child;
    int rootX, rootY;
    unsigned mask;
    return w && XQueryPointer(display_, w, &root, &child, &rootX, &rootY, &x, &y, &mask);
}

void XSession::key(const char* keysymName, bool press, bool release) {
    Display* d = display_;
    const KeySym sym = XStringToKeysym(keysymName);
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (code == 0) {  // a misspelt key would let the test go on without its input
        std::fprintf(stderr, "XSession: no key for %s\n", keysymName);
        std::abort();
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
    XTestFakeMotionEvent(display_, -1, x, y, 0);
    XSync(display_, False);
}
void XSession::button(int number, bool down) {
    XTestFakeButtonEvent(display_, static_cast<unsigned>(number), down ? True : False, 0);
    XSync(display_, False);
}
