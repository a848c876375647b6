// Gamepad play: SDL's game-controller layer, read once a frame and turned into the input the keys
// and the mouse give. The first pad drives; pads come and go while the program runs.
#pragma once

typedef struct _SDL_GameController SDL_GameController;
struct PadControl;

// Where the pad's input goes: the program fills it with its own key and mouse handlers. Any entry
// may be null.
struct GamepadSink {
    // Everything the pad holds now: movement bits (kMoveLeft...) and modifier bits (2 ctrl, 4 alt).
    // Called when it changes, and with 0, 0 when the pad goes.
    void (*holdInput)(int moveBits, int modifiers);
    // A mouse button (kLeftButton...) going down or up (kButtonDownEvent, kButtonUpEvent).
    void (*mouseButton)(int button, int event);
    // A press of an ordinary key.
    void (*key)(unsigned char key);
    // A press of an arrow key (kKeyLeft...); the movement it stands for comes with holdInput.
    void (*specialKey)(int code);
    // The Manual camera's look this frame, as a pointer offset in window pixels (y down): proportional
    // to the frame's step, and turned into rotation (scaled by the mouse sensitivity) like the mouse's.
    void (*look)(int dx, int dy);
    // Whether a pop-up menu is open: there A presses the focused widget and held arrows repeat.
    int (*menuOpen)();
    void (*connected)(const char* name);
    void (*removed)();
};

class Gamepad {
  public:
    // Pointer pixels a second at full right-stick deflection.
    static constexpr float kLookSpeed = 800.0f;

    Gamepad() = default;
    virtual ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // Once a frame before the frame's work, with the frame's step in seconds. The first call starts
    // SDL's game-controller subsystem; where that fails the pad simply stays off.
    void poll(float dt);
    // Lets go of the pad and of SDL's game-controller subsystem.
    void stop();
    int connected() const { return pad_ != nullptr; }

    GamepadSink sink{};

  private:
    void start();
    void handleDeviceEvents();
    void open(int deviceIndex);
    void openFirstAttached();
    void letGo();
    void readControls(float dt);
    void pressMouseButton(const PadControl& control, bool down, int menuOpen);
    void sendArrows(int arrows, int menuOpen, float dt);
    int lookStep(int axis, float dt, float& carry) const;

    enum { kNotStarted, kRunning, kOff } state_ = kNotStarted;
    SDL_GameController* pad_ = nullptr;
    int padId_ = -1;
    // What the pad held at the last poll: controls of the mapping (one bit a row), arrows (one bit
    // per arrow key from Left), the input given to holdInput, and mouse buttons it holds down.
    unsigned controls_ = 0;
    int arrows_ = 0;
    int moveBits_ = 0;
    int modifiers_ = 0;
    int mouseButtons_ = 0;
    float repeatWait_ = 0.0f;
    float lookCarryX_ = 0.0f;
    float lookCarryY_ = 0.0f;
};
