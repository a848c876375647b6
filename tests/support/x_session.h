// A private X server (Xvfb) for end-to-end tests, with real key and pointer events sent through the
// XTest extension; and the clocks the tests wait by.
#pragma once

#include <sys/types.h>

#include <string>

typedef struct _XDisplay Display;
void sleepMs(int ms);
long long monotonicMs();
// The processor time a process and all its threads took so far, in seconds.
double processorSeconds(pid_t pid);

class XSession {
  public:
    XSession(int width = 1024, int height = 768);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;
    bool ok() const { return display_ != nullptr; }
    const std::string& displayName() const { return name_; }
    Display* display() const { return display_; }
    // The size of the viewable window with this title; false when there is none.
    bool windowSize(const char* title, int& width, int& height);
    bool waitForWindow(const char* title, int timeoutMs);
    // Maps or unmaps the window with this title, as a window manager restores or iconifies it.
    void showWindow(const char* title, bool shown);
    // Sizes the window with this title, as a user does through a window manager.
    void resizeWindow(const char* title, int width, int height);
    // The pointer's position in the window with this title (negative or beyond its size: outside it);
    // false when there is no such window.
    bool pointerInWindow(const char* title, int& x, int& y);
    // A key by X keysym name ("q", "Escape", "F1", "exclam"), with Shift where the keyboard map needs it.
    void key(const char* keysymName, bool press = true, bool release = true);
    void keyDown(const char* keysymName) { key(keysymName, true, false); }
    void keyUp(const char* keysymName) { key(keysymName, false, true); }
    void moveTo(int x, int y);
    void button(int number, bool down);
    void buttonDown(int number) { button(number, true); }
    void buttonUp(int number) { button(number, false); }

  private:
    pid_t serverPid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};
