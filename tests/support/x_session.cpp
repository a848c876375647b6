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
#include <cstring>
#include <ctime>
#include <set>

#include "support/png_writer.h"

namespace {
Display* dpy(void* d) {
    return static_cast<Display*>(d);
}

long long monotonicMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

bool windowTitled(Display* d, Window w, const char* title) {
    char* name = nullptr;
    bool match = false;
    if (XFetchName(d, w, &name) && name) {
        match = std::strcmp(name, title) == 0;
        XFree(name);
    }
    if (!match) return false;
    XWindowAttributes attributes;
    return XGetWindowAttributes(d, w, &attributes) && attributes.map_state == IsViewable;
}

bool findWindow(Display* d, Window w, const char* title) {
    if (windowTitled(d, w, title)) return true;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) found = findWindow(d, children[i], title);
    if (children) XFree(children);
    return found;
}
}  // namespace

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
        if (fds[1] != 3) {
            dup2(fds[1], 3);
            close(fds[1]);
        }
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-r",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    const long long deadline = monotonicMs() + 15000;
    while (monotonicMs() < deadline && number.find('\n') == std::string::npos) {
        if (poll(&p, 1, 200) > 0) {
            char c;
            if (read(fds[0], &c, 1) != 1) break;
            number += c;
        }
    }
    close(fds[0]);
    if (number.empty()) return;
    name_ = ":" + number.substr(0, number.find('\n'));
    display_ = XOpenDisplay(name_.c_str());
    if (display_) {
        int event, error, major, minor;
        if (!XTestQueryExtension(dpy(display_), &event, &error, &major, &minor)) {
            XCloseDisplay(dpy(display_));
            display_ = nullptr;
        }
    }
}

XSession::~XSession() {
    if (display_) XCloseDisplay(dpy(display_));
    if (serverPid_ > 0) {
        kill(serverPid_, SIGTERM);
        waitpid(serverPid_, nullptr, 0);
    }
}

bool XSession::waitForWindow(const char* title, int timeoutMs) {
    const long long deadline = monotonicMs() + timeoutMs;
    while (monotonicMs() < deadline) {
        if (findWindow(dpy(display_), DefaultRootWindow(dpy(display_)), title)) return true;
        sleepMs(50);
    }
    return false;
}

unsigned XSession::keycodeFor(const char* keysymName, bool& needsShift) {
    needsShift = false;
    const KeySym sym = XStringToKeysym(keysymName);
    if (sym == NoSymbol) return 0;
    const KeyCode code = XKeysymToKeycode(dpy(display_), sym);
    if (code == 0) return 0;
    needsShift = XkbKeycodeToKeysym(dpy(display_), code, 0, 0) != sym &&
                 XkbKeycodeToKeysym(dpy(display_), code, 0, 1) == sym;
    return code;
}

void XSession::sendKey(const char* keysymName, bool press, bool release) {
    bool shift = false;
    const unsigned code = keycodeFor(keysymName, shift);
    if (code == 0) {
        std::fprintf(stderr, "XSession: no key for %s\n", keysymName);
        return;
    }
    const unsigned shiftCode = XKeysymToKeycode(dpy(display_), XStringToKeysym("Shift_L"));
    if (shift && press) XTestFakeKeyEvent(dpy(display_), shiftCode, True, 0);
    if (press) XTestFakeKeyEvent(dpy(display_), code, True, 0);
    if (release) XTestFakeKeyEvent(dpy(display_), code, False, 0);
    if (shift && release) XTestFakeKeyEvent(dpy(display_), shiftCode, False, 0);
    sync();
}

void XSession::key(const char* keysymName) {
    sendKey(keysymName, true, true);
}
void XSession::keyDown(const char* keysymName) {
    sendKey(keysymName, true, false);
}
void XSession::keyUp(const char* keysymName) {
    sendKey(keysymName, false, true);
}

void XSession::type(const std::string& text) {
    static const struct {
        char c;
        const char* name;
    } kNamed[] = {{' ', "space"},      {'!', "exclam"},     {'@', "at"},          {'`', "grave"},
                  {'<', "less"},       {'>', "greater"},    {',', "comma"},       {'.', "period"},
                  {'?', "question"},   {'/', "slash"},      {'-', "minus"},       {'=', "equal"},
                  {'_', "underscore"}, {'+', "plus"},       {'(', "parenleft"},   {')', "parenright"},
                  {'{', "braceleft"},  {'}', "braceright"}, {'[', "bracketleft"}, {']', "bracketright"}};
    for (char c : text) {
        const char* name = nullptr;
        for (const auto& n : kNamed)
            if (n.c == c) name = n.name;
        char letter[2] = {c, 0};
        key(name ? name : letter);
        sleepMs(30);
    }
}

void XSession::moveTo(int x, int y) {
    XTestFakeMotionEvent(dpy(display_), -1, x, y, 0);
    sync();
}

void XSession::buttonDown(int button) {
    XTestFakeButtonEvent(dpy(display_), static_cast<unsigned>(button), True, 0);
    sync();
}

void XSession::buttonUp(int button) {
    XTestFakeButtonEvent(dpy(display_), static_cast<unsigned>(button), False, 0);
    sync();
}

void XSession::click(int button) {
    buttonDown(button);
    sleepMs(60);
    buttonUp(button);
}

void XSession::sync() {
    XSync(dpy(display_), False);
}

Screenshot XSession::screenshot() {
    Screenshot shot;
    XImage* image =
        XGetImage(dpy(display_), DefaultRootWindow(dpy(display_)), 0, 0, static_cast<unsigned>(width_),
                  static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (!image) return shot;
    shot.width = width_;
    shot.height = height_;
    shot.rgb.resize(static_cast<size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            uint8_t* out = &shot.rgb[(static_cast<size_t>(y) * width_ + x) * 3];
            out[0] = static_cast<uint8_t>((p >> 16) & 0xFF);
            out[1] = static_cast<uint8_t>((p >> 8) & 0xFF);
            out[2] = static_cast<uint8_t>(p & 0xFF);
        }
    }
    XDestroyImage(image);
    return shot;
}

Screenshot::Rgb Screenshot::at(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

double Screenshot::meanBrightness(int x0, int y0, int x1, int y1) const {
    double sum = 0;
    long count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++count) {
            const Rgb c = at(x, y);
            sum += (c.r + c.g + c.b) / 3.0;
        }
    return count ? sum / count : 0.0;
}

int Screenshot::distinctColours(int x0, int y0, int x1, int y1) const {
    std::set<int> colours;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb c = at(x, y);
            colours.insert((c.r << 16) | (c.g << 8) | c.b);
        }
    return static_cast<int>(colours.size());
}

bool Screenshot::save(const std::string& pngPath) const {
    return writePng(pngPath, width, height, rgb);
}
