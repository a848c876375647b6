// Gamepad play in the running program: SDL's virtual pads with the game-controller layout, the real
// start-up and frames, each pad control set against its key or mouse twin.
#include "input/gamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog_commands.h"
#include "app/glut_callbacks.h"
#include "base/random.h"
#include "support/park_start.h"

namespace {
constexpr int kAxis = 100;  // controls from here on are stick axes: kAxis + SDL_CONTROLLER_AXIS_...
constexpr int kLeftX = kAxis + SDL_CONTROLLER_AXIS_LEFTX, kLeftY = kAxis + SDL_CONTROLLER_AXIS_LEFTY;
constexpr int kRightX = kAxis + SDL_CONTROLLER_AXIS_RIGHTX, kRightY = kAxis + SDL_CONTROLLER_AXIS_RIGHTY;
constexpr int kUp = SDL_CONTROLLER_BUTTON_DPAD_UP, kDown = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
constexpr int kLeft = SDL_CONTROLLER_BUTTON_DPAD_LEFT, kRight = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
constexpr int kLB = SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kRB = SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
constexpr int kA = SDL_CONTROLLER_BUTTON_A, kX = SDL_CONTROLLER_BUTTON_X,
              kStart = SDL_CONTROLLER_BUTTON_START;

struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    explicit VirtualPad(const char* name) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;  // with these masks SDL maps it as a pad
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = name;
        joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    }
    ~VirtualPad() { unplug(); }
    void set(int control, int value) {
        if (control >= kAxis)
            SDL_JoystickSetVirtualAxis(joystick, control - kAxis, static_cast<Sint16>(value));
        if (control < kAxis) SDL_JoystickSetVirtualButton(joystick, control, static_cast<Uint8>(value));
    }
    void unplug() {
        if (!joystick) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
    }
};

struct Gamepads : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(park.start("", false));      // no data: every image and sound is missing
        Dialogs.command = executeDialogCommand;  // wired with the working callbacks in the game
        frame();                                 // the first poll starts SDL's game-controller subsystem
        if (::Pad.connected()) GTEST_SKIP() << "a real pad is attached";
    }
    void TearDown() override { ::Pad.stop(); }
    void frame(int ms = 50) {
        park.fake.elapsedMs += ms;
        runFrame();
    }
    void tap(VirtualPad& pad, int control, int times = 1) {
        for (int i = 0; i < times; ++i) {
            pad.set(control, 1);
            frame();
            pad.set(control, 0);
            frame();
        }
    }
    // The same start for a pad and its twin.
    void restart() {
        park.fake.modifiers = 0;
        Keyboard = KeyboardState();
        Pointer = PointerState();
        Flags.menuActive = Flags.helpVisible = Flags.infoVisible = 0;
        Prefs.cameraMode = 1;
        Prefs.imageIndex = 0;
        Skater.resetRide(Prefs);
        seedRandom(1);
    }
    // Movement bits, Alt, the left, middle and right buttons, menu, camera mode, ground picture,
    // help screen and pointer offset after a frame.
    using Inputs = std::array<int, 11>;
    static Inputs inputs() {
        return {Keyboard.moveKeys,   Keyboard.altDown, Pointer.leftButton, Pointer.middleButton,
                Pointer.rightButton, Flags.menuActive, Prefs.cameraMode,   Prefs.imageIndex,
                Flags.helpVisible,   Pointer.x,        Pointer.y};
    }
    static std::array<float, 6> ride() {
        return {Skater.x, Skater.y, Skater.z, Skater.vx, Skater.heading, Skater.pitch};
    }

    Park park{96, 64};
};
}  // namespace

TEST_F(Gamepads, EachControlActsExactlyAsItsKeyOrMouseTwin) {
    VirtualPad pad("Rampix Test Pad");
    ASSERT_TRUE(pad.joystick) << SDL_GetError();
    enum Twin { kNothing, kArrowKey, kMouseButton, kLetter, kMotionX, kMotionY };
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> controls;
        int twin, code, modifiers;  // the twin's key, button or motion, and the modifiers held with it
        Inputs held;
    };
    const Case cases[] = {
        {"D-pad up", {{kUp, 1}}, kArrowKey, 101, 0, {4, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"D-pad down", {{kDown, 1}}, kArrowKey, 103, 0, {8, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"D-pad left", {{kLeft, 1}}, kArrowKey, 100, 0, {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"D-pad right", {{kRight, 1}}, kArrowKey, 102, 0, {2, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"stick up", {{kLeftY, -32768}}, kArrowKey, 101, 0, {4, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"stick right", {{kLeftX, 20000}}, kArrowKey, 102, 0, {2, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"dead zone", {{kLeftX, 16000}, {kLeftY, -16000}}, kNothing, 0, 0, {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"Ctrl and up", {{kRB, 1}, {kUp, 1}}, kArrowKey, 101, 2, {16, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"Alt and up", {{kLB, 1}, {kLeftY, -32768}}, kArrowKey, 101, 4, {4, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"A", {{kA, 1}}, kMouseButton, 0, 0, {0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0}},
        {"B", {{SDL_CONTROLLER_BUTTON_B, 1}}, kMouseButton, 1, 0, {0, 0, 0, 2, 0, 0, 1, 0, 0, 0, 0}},
        {"Start", {{kStart, 1}}, kMouseButton, 2, 0, {0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0}},
        {"X", {{kX, 1}}, kLetter, 'v', 0, {0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0}},
        {"Y", {{SDL_CONTROLLER_BUTTON_Y, 1}}, kLetter, 'i', 0, {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0}},
        {"Back", {{SDL_CONTROLLER_BUTTON_BACK, 1}}, kLetter, '?', 0, {0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0}},
        // Full deflection for a 50 ms frame: 800 pixels a second, as a mouse moved 40 pixels.
        {"right stick right", {{kRightX, 32767}}, kMotionX, 40, 0, {0, 0, 0, 0, 0, 0, 1, 0, 0, 40, 0}},
        {"right stick up", {{kRightY, -32768}}, kMotionY, -40, 0, {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, -40}},
    };
    const auto twin = [this](const Case& c, int up) {
        park.fake.modifiers = c.modifiers;
        if (c.twin == kArrowKey) (up ? onSpecialKeyUp : onSpecialKey)(c.code, 0, 0);
        if (c.twin == kMouseButton && Prefs.cameraMode == 1)  // a click where the pointer already is
            onMouseButton(c.code, up, Pointer.warpX + Pointer.x, Pointer.warpY + Pointer.y);
        else if (c.twin == kMouseButton)
            onMouseButton(c.code, up, Pointer.x, Screen.height - Pointer.y - 1);
        if (c.twin == kLetter && !up) onKey(static_cast<unsigned char>(c.code), 0, 0);
        if (c.twin == kMotionX && !up) onPointerMotion(500 + c.code, 500);
        if (c.twin == kMotionY && !up) onPointerMotion(500, 500 + c.code);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        twin(c, 0);
        frame();
        const Inputs twinHeld = inputs();
        const auto twinRide = ride();
        twin(c, 1);
        frame();
        const Inputs twinAfter = inputs();

        restart();
        for (const auto& [control, value] : c.controls) pad.set(control, value);
        frame();
        EXPECT_EQ(inputs(), c.held);
        EXPECT_EQ(inputs(), twinHeld);
        // The two runs differ in float roundings only: the clock and the wave generators run on.
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(ride()[i], twinRide[i], 1e-5) << i;
        for (const auto& [control, value] : c.controls) pad.set(control, 0);
        frame();
        Inputs after = inputs();
        after[1] = twinAfter[1];  // the keyboard's Alt lasts until its next key; the shoulder's goes at once
        EXPECT_EQ(after, twinAfter);
        EXPECT_EQ(Keyboard.altDown, 0);
    }

    // The look is frame-rate independent: five 10 ms frames turn as far as one of 50 ms.
    restart();
    const float heading = Skater.heading;
    pad.set(kRightX, 32767);
    for (int i = 0; i < 5; ++i) frame(10);
    EXPECT_NEAR(Skater.heading - heading, 6.0f, 1e-3) << "40 pixels at 0.15 degrees each";
}

TEST_F(Gamepads, PadsComeAndGoAndLeaveNothingHeld) {
    auto first = std::make_unique<VirtualPad>("Rampix Test Pad");
    frame();
    EXPECT_EQ(std::string(StatusLine.text), "Gamepad: Rampix Test Pad");
    VirtualPad second("Second Pad");
    frame();
    second.set(kX, 1);
    frame();
    EXPECT_EQ(std::string(StatusLine.text), "Gamepad: Rampix Test Pad");
    EXPECT_EQ(Prefs.cameraMode, 1) << "the first pad drives";
    second.set(kX, 0);

    onSpecialKey(100, 0, 0);  // the keyboard holds Left throughout
    for (int control : {kLB, kA, int{SDL_CONTROLLER_BUTTON_B}}) first->set(control, 1);
    first->set(kLeftY, -32768);
    frame();
    EXPECT_EQ(Keyboard.moveKeys, 1 | 4);
    EXPECT_EQ(Keyboard.altDown, 4);
    EXPECT_EQ(Pointer.leftButton, 2);

    first->unplug();
    frame();
    EXPECT_EQ(std::string(StatusLine.text), "Gamepad: Second Pad") << "the other pad takes over";
    EXPECT_EQ(Keyboard.moveKeys, 1) << "the keyboard's Left stays";
    EXPECT_EQ(Keyboard.altDown + Pointer.leftButton + Pointer.middleButton, 0);
    second.unplug();
    frame();
    EXPECT_EQ(std::string(StatusLine.text), "Gamepad removed");
    EXPECT_EQ(Keyboard.moveKeys, 1);
}

TEST_F(Gamepads, WorksTheMenus) {
    VirtualPad pad("Rampix Test Pad");
    tap(pad, kStart);
    ASSERT_EQ(Flags.menuActive, 1);
    ASSERT_EQ(Dialogs.currentDialog, 2);  // Main Menu: title, Options..., Save..., ...
    tap(pad, kDown, 2);
    EXPECT_EQ(Dialogs.focusIndex, 2);
    tap(pad, kUp);
    EXPECT_EQ(Dialogs.focusIndex, 1);
    tap(pad, kA);
    EXPECT_EQ(Dialogs.currentDialog, 1) << "Options... opened the custom menu";
    EXPECT_EQ(Pointer.leftButton, 0) << "A in a menu is no click where the pointer is";

    Prefs.imageIndex = 0;
    tap(pad, kDown, 3);
    tap(pad, kRight);  // the "Image/Texture Options" slider
    EXPECT_EQ(Prefs.imageIndex, 1);
    pad.set(kRight, 1);
    for (int i = 0; i < 20; ++i) frame();
    EXPECT_GE(Prefs.imageIndex, 5) << "a held arrow repeats in a menu";
    pad.set(kRight, 0);
    tap(pad, kStart);
    EXPECT_EQ(Flags.menuActive, 0);
}
