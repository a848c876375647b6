// A preloadable shim that plugs a game pad into a real program through SDL's own virtual joystick,
// for end-to-end tests: once the program has started SDL's joystick layer, a pad is attached, and
// at every SDL_PumpEvents its controls take the values written in the file named by
// RAMPIX_VIRTUAL_PAD, one "control value" line each (SDL's control names: "a", "y", "leftx", ...).
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {
SDL_Joystick* pad = nullptr;

void attachPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.name = "Test Pad";
    pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
}

void applyControls(const char* path) {
    FILE* file = std::fopen(path, "r");
    if (!file) return;
    char name[32];
    int value = 0;
    while (std::fscanf(file, "%31s %d", name, &value) == 2) {
        const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name);
        if (axis != SDL_CONTROLLER_AXIS_INVALID)
            SDL_JoystickSetVirtualAxis(pad, axis, static_cast<Sint16>(value));
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name);
        if (button != SDL_CONTROLLER_BUTTON_INVALID)
            SDL_JoystickSetVirtualButton(pad, button, static_cast<Uint8>(value));
    }
    std::fclose(file);
}
}  // namespace

extern "C" void SDL_PumpEvents(void) {
    static const auto real = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_PumpEvents"));
    const char* controls = std::getenv("RAMPIX_VIRTUAL_PAD");
    if (controls && !pad && SDL_WasInit(SDL_INIT_JOYSTICK)) attachPad();
    if (controls && pad) applyControls(controls);
    real();
}
