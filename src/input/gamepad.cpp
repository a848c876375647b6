// Gamepad play through SDL's game-controller layer, which gives the common pads one button layout.
// What this file supports: hot-plug (the first pad drives; when it goes, another attached pad takes
// over), the mapping table below, arrow repeat in menus, and the Manual camera's look. No rumble,
// no triggers, no touchpads, no sensors.
#include "input/gamepad.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>

#include "input/keyboard_state.h"
#include "input/pointer_state.h"

// One row per pad control that stands for a key, a modifier or a mouse button. A stick half beyond
// the dead zone reads as a pressed arrow key, so the left stick is digital like the keys.
struct PadControl {
    int button;   // SDL_CONTROLLER_BUTTON_..., or kStick for a stick half
    int axis;     // SDL_CONTROLLER_AXIS_... of the stick half
    int sign;     // which half: -1 left or up, 1 right or down
    int output;   // a PadOutput
    int code;     // the arrow's special key, the modifier bit, the mouse button or the key
    int menuKey;  // the key it gives instead while a menu is open (0 = the same as outside)
};

namespace {
enum PadOutput { kArrow, kModifier, kMouseButton, kKey };

constexpr int kStick = -1;

constexpr PadControl kMapping[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0, 0, kArrow, kKeyLeft, 0},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0, 0, kArrow, kKeyRight, 0},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 0, 0, kArrow, kKeyUp, 0},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0, 0, kArrow, kKeyDown, 0},
    {kStick, SDL_CONTROLLER_AXIS_LEFTX, -1, kArrow, kKeyLeft, 0},
    {kStick, SDL_CONTROLLER_AXIS_LEFTX, 1, kArrow, kKeyRight, 0},
    {kStick, SDL_CONTROLLER_AXIS_LEFTY, -1, kArrow, kKeyUp, 0},
    {kStick, SDL_CONTROLLER_AXIS_LEFTY, 1, kArrow, kKeyDown, 0},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0, 0, kModifier, 4, 0},         // Alt: ten-fold thrust
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0, 0, kModifier, 2, 0},        // Ctrl: Up/Down move vertically
    {SDL_CONTROLLER_BUTTON_A, 0, 0, kMouseButton, kLeftButton, 13},      // kick; in a menu Return
    {SDL_CONTROLLER_BUTTON_B, 0, 0, kMouseButton, kMiddleButton, 0},     // brake
    {SDL_CONTROLLER_BUTTON_START, 0, 0, kMouseButton, kRightButton, 0},  // the pop-up menu
    {SDL_CONTROLLER_BUTTON_X, 0, 0, kKey, 'v', 0},                       // camera mode
    {SDL_CONTROLLER_BUTTON_Y, 0, 0, kKey, 'i', 0},                       // next ground picture
    {SDL_CONTROLLER_BUTTON_BACK, 0, 0, kKey, '?', 0},                    // the help screen
};
constexpr int kRows = static_cast<int>(sizeof kMapping / sizeof kMapping[0]);
static_assert(kRows <= 32, "one bit a row");

// The right stick looks around in the Manual camera.
constexpr SDL_GameControllerAxis kLookX = SDL_CONTROLLER_AXIS_RIGHTX;
constexpr SDL_GameControllerAxis kLookY = SDL_CONTROLLER_AXIS_RIGHTY;

constexpr int kArrowDeadZone = 16384;  // half-way out
constexpr int kLookDeadZone = 8000;    // a worn stick at rest stays below this
constexpr int kAxisMax = 32767;
// Held arrows repeat in a menu, as a held key does, so a slider can run its whole range.
constexpr float kRepeatDelay = 0.4f;
constexpr float kRepeatInterval = 0.08f;

bool isDown(SDL_GameController* pad, const PadControl& control) {
    if (control.button != kStick)
        return SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(control.button)) != 0;
    const int value = SDL_GameControllerGetAxis(pad, static_cast<SDL_GameControllerAxis>(control.axis));
    return control.sign < 0 ? value < -kArrowDeadZone : value > kArrowDeadZone;
}

// The movement bit of an arrow key, as the keyboard sets it.
int moveBit(int arrow, int ctrl) {
    switch (arrow) {
        case kKeyLeft:
            return kMoveLeft;
        case kKeyRight:
            return kMoveRight;
        case kKeyUp:
            return ctrl ? kMoveUp : kMoveForward;
        case kKeyDown:
            return ctrl ? kMoveDown : kMoveBack;
        default:
            return 0;
    }
}

void quitSdlIfUnused() {
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}
}  // namespace

Gamepad::~Gamepad() {
    // At exit the handlers' objects may already be gone.
    sink = GamepadSink{};
    stop();
}

void Gamepad::poll(float dt) {
    if (state_ == kNotStarted) start();
    if (state_ != kRunning) return;
    handleDeviceEvents();
    if (pad_) readControls(dt);
}

void Gamepad::stop() {
    if (state_ == kRunning) {
        if (pad_) letGo();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        quitSdlIfUnused();
    }
    state_ = kNotStarted;
}

void Gamepad::start() {
    state_ = kOff;
    // Otherwise SDL takes over SIGINT and SIGTERM.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window is not SDL's, so SDL never sees it focused and would hold the pad's input back.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        quitSdlIfUnused();
        return;
    }
    state_ = kRunning;
    openFirstAttached();
}

void Gamepad::handleDeviceEvents() {
    SDL_PumpEvents();
    // Only the joystick and controller events are taken; the pad's state is read directly.
    SDL_Event events[16];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_FINGERDOWN - 1)) > 0) {
        for (int i = 0; i < count; ++i) {
            const SDL_ControllerDeviceEvent& device = events[i].cdevice;
            if (device.type == SDL_CONTROLLERDEVICEADDED && !pad_) {
                open(device.which);
            } else if (device.type == SDL_CONTROLLERDEVICEREMOVED && pad_ && device.which == padId_) {
                letGo();
                if (sink.removed) sink.removed();
                openFirstAttached();
            }
        }
    }
}

void Gamepad::open(int deviceIndex) {
    pad_ = SDL_GameControllerOpen(deviceIndex);
    if (!pad_) return;
    padId_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_));
    const char* name = SDL_GameControllerName(pad_);
    if (sink.connected) sink.connected(name ? name : "unnamed");
}

void Gamepad::openFirstAttached() {
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count && !pad_; ++i)
        if (SDL_IsGameController(i)) open(i);
}

void Gamepad::letGo() {
    SDL_GameControllerClose(pad_);
    pad_ = nullptr;
    padId_ = -1;
    if ((moveBits_ || modifiers_) && sink.holdInput) sink.holdInput(0, 0);
    for (int button = kLeftButton; button <= kRightButton; ++button)
        if ((mouseButtons_ & (1 << button)) && sink.mouseButton) sink.mouseButton(button, kButtonUpEvent);
    controls_ = 0;
    arrows_ = moveBits_ = modifiers_ = mouseButtons_ = 0;
    lookCarryX_ = lookCarryY_ = 0.0f;
}

void Gamepad::readControls(float dt) {
    const int menuOpen = sink.menuOpen ? sink.menuOpen() : 0;
    unsigned controls = 0;
    int arrows = 0;
    int modifiers = 0;
    for (int i = 0; i < kRows; ++i) {
        const PadControl& control = kMapping[i];
        if (!isDown(pad_, control)) continue;
        controls |= 1u << i;
        if (control.output == kArrow) arrows |= 1 << (control.code - kKeyLeft);
        if (control.output == kModifier) modifiers |= control.code;
    }

    int moveBits = 0;
    for (int arrow = kKeyLeft; arrow <= kKeyDown; ++arrow)
        if (arrows & (1 << (arrow - kKeyLeft))) moveBits |= moveBit(arrow, modifiers & 2);
    if (moveBits != moveBits_ || modifiers != modifiers_) {
        moveBits_ = moveBits;
        modifiers_ = modifiers;
        if (sink.holdInput) sink.holdInput(moveBits, modifiers);
    }
    sendArrows(arrows, menuOpen, dt);

    // A mask of the changed rows: GCC 12 at -O2 miscompiled the plainer per-row test
    // `down == wasDown`, skipping every press.
    const unsigned changed = controls ^ controls_;
    for (int i = 0; i < kRows; ++i) {
        const unsigned bit = 1u << i;
        if (!(changed & bit)) continue;
        const PadControl& control = kMapping[i];
        const bool down = (controls & bit) != 0;
        if (control.output == kKey) {
            if (down && sink.key) sink.key(static_cast<unsigned char>(control.code));
        } else if (control.output == kMouseButton) {
            pressMouseButton(control, down, menuOpen);
        }
    }
    controls_ = controls;

    const int dx = lookStep(kLookX, dt, lookCarryX_);
    const int dy = lookStep(kLookY, dt, lookCarryY_);
    if ((dx || dy) && sink.look) sink.look(dx, dy);
}

void Gamepad::pressMouseButton(const PadControl& control, bool down, int menuOpen) {
    const int bit = 1 << control.code;
    if (down && menuOpen && control.menuKey) {
        if (sink.key) sink.key(static_cast<unsigned char>(control.menuKey));
    } else if (down) {
        mouseButtons_ |= bit;
        if (sink.mouseButton) sink.mouseButton(control.code, kButtonDownEvent);
    } else if (mouseButtons_ & bit) {
        // Only a button the pad pressed is let up: A pressed in a menu gave Return instead.
        mouseButtons_ &= ~bit;
        if (sink.mouseButton) sink.mouseButton(control.code, kButtonUpEvent);
    }
}

void Gamepad::sendArrows(int arrows, int menuOpen, float dt) {
    int send = arrows & ~arrows_;
    if (send) {
        repeatWait_ = kRepeatDelay;
    } else if (menuOpen && arrows) {
        repeatWait_ -= dt;
        if (repeatWait_ <= 0.0f) {
            send = arrows;
            repeatWait_ = kRepeatInterval;
        }
    }
    arrows_ = arrows;
    for (int arrow = kKeyLeft; arrow <= kKeyDown; ++arrow)
        if ((send & (1 << (arrow - kKeyLeft))) && sink.specialKey) sink.specialKey(arrow);
}

int Gamepad::lookStep(int axis, float dt, float& carry) const {
    const int value = SDL_GameControllerGetAxis(pad_, static_cast<SDL_GameControllerAxis>(axis));
    const int magnitude = std::abs(value);
    if (magnitude <= kLookDeadZone) {
        carry = 0.0f;
        return 0;
    }
    float deflection = static_cast<float>(magnitude - kLookDeadZone) / (kAxisMax - kLookDeadZone);
    if (deflection > 1.0f) deflection = 1.0f;
    // Whole pixels go out and the rest is kept, so a slow turn at a high frame rate still turns.
    carry += (value < 0 ? -deflection : deflection) * kLookSpeed * dt;
    const int whole = static_cast<int>(std::floor(carry + 0.5f));
    carry -= static_cast<float>(whole);
    return whole;
}
