// A private X server (Xvfb) for end-to-end tests, with real key and pointer events sent through
// the XTest extension and screenshots read back from the root window.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top row first

    struct Rgb {
        int r, g, b;
    };
    Rgb at(int x, int y) const;  // y counted down from the top, as on screen
    // Mean brightness and the number of distinct colours in a rectangle.
    double meanBrightness(int x0, int y0, int x1, int y1) const;
    int distinctColours(int x0, int y0, int x1, int y1) const;
    bool save(const std::string& pngPath) const;
};

class XSession {
  public:
    XSession(int width = 1024, int height = 768);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return display_ != nullptr; }
    const std::string& displayName() const { return name_; }

    // Waits until a viewable window with this title exists.
    bool waitForWindow(const char* title, int timeoutMs);
    // A key by X keysym name ("q", "Escape", "F1", "Up", "exclam", "grave"), with Shift added
    // where the keyboard map needs it for that symbol.
    void key(const char* keysymName);
    void keyDown(const char* keysymName);
    void keyUp(const char* keysymName);
    // Types printable ASCII text character by character.
    void type(const std::string& text);
    void moveTo(int x, int y);
    void buttonDown(int button);
    void buttonUp(int button);
    void click(int button);
    Screenshot screenshot();
    void sync();

  private:
    unsigned keycodeFor(const char* keysymName, bool& needsShift);
    void sendKey(const char* keysymName, bool press, bool release);

    pid_t serverPid_ = -1;
    std::string name_;
    void* display_ = nullptr;
    int width_;
    int height_;
};

void sleepMs(int ms);
