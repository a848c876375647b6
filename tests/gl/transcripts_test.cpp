// Scripted sessions with the started program. A transcript in tests/data/transcripts holds commands,
// each on a line of its own starting with "> ", and under each command what it changed: settings,
// flags, the view, the rider, the menu, the status line, console output and what the program asked of
// the window system. Running a transcript must give back the same text. With
// RAMPIX_UPDATE_TRANSCRIPTS=1 the files are written anew; read the difference before keeping it. Each
// transcript runs in a process of its own, as ctest runs them.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_line.h"
#include "app/dialog_commands.h"
#include "app/glut_callbacks.h"
#include "app/park_actions.h"
#include "app/settings_commands.h"
#include "app/world_drawing.h"
#include "base/file_places.h"
#include "base/math_helpers.h"
#include "base/random.h"
#include "motion/camera.h"
#include "scene/star_field.h"
#include "support/park_start.h"
#include "textures/bmp_reader.h"
#include "textures/procedural_texture.h"
#include "textures/texture_loader.h"
#include "ui/help_screens.h"
#include "ui/slider_item.h"

namespace {
// Numbers as the transcripts show them: six significant digits.
template <typename T>
std::string text(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}
std::string numbers(const float* values, int count) {
    std::string line;
    for (int i = 0; i < count; ++i) line += (i ? " " : "") + text(values[i]);
    return line;
}

// A value the transcript shows when it changes; "set" writes those that have a writer.
struct Watched {
    std::string name;
    std::function<std::string()> read;
    std::function<void(double)> write;
};
template <typename T>
Watched watch(const std::string& name, T& value) {
    return {name, [&value] { return text(value); }, [&value](double v) { value = static_cast<T>(v); }};
}

// The first catalogue slot that holds a texture, -1 for none.
int slotOf(int texture) {
    for (int slot = 0; slot < Catalogue.textureCount; ++slot)
        if (texture > 0 && Catalogue.catalogueTexture(slot) == static_cast<unsigned>(texture)) return slot;
    return -1;
}
std::string slotText(int texture) {
    return slotOf(texture) < 0 ? "none" : "slot " + text(slotOf(texture));
}

// Each widget of the open dialog: a slider's value, the others' state.
std::string widgetValues() {
    std::string line;
    for (int slot = 0; slot < Dialogs.itemCount; ++slot) {
        const auto* slider = dynamic_cast<const SliderItem*>(Dialogs.item(slot));
        line += (slot ? " " : "") + (slider ? text(slider->value) : text(Dialogs.item(slot)->state));
    }
    return line;
}

// A game controller that SDL takes for a real one.
struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    explicit VirtualPad(const std::string& name) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;  // with these masks SDL maps it as a pad
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.name = name.c_str();
        joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    }
    ~VirtualPad() {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        SDL_JoystickClose(joystick);
    }
    void set(const std::string& control, int value) {
        const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(control.c_str());
        if (axis != SDL_CONTROLLER_AXIS_INVALID)
            SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(value));
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(control.c_str());
        if (button != SDL_CONTROLLER_BUTTON_INVALID)
            SDL_JoystickSetVirtualButton(joystick, button, static_cast<Uint8>(value));
    }
};

// A 32-bit FNV-1a sum of bytes, to show in one word that a large thing changed.
uint32_t addToSum(uint32_t sum, const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i) sum = (sum ^ static_cast<const uint8_t*>(data)[i]) * 16777619u;
    return sum;
}
std::string checksum(const void* data, size_t size, uint32_t sum = 2166136261u) {
    sum = addToSum(sum, data, size);
    char word[12];
    std::snprintf(word, sizeof word, "%08x", sum);
    return word;
}

// Every verb the runner knows; "end" closes a transcript and must be its last command.
const std::set<std::string> kVerbs = {
    "start", "reset",     "key",    "special",  "down",       "up",          "splashkey", "motion",
    "press", "release",   "age",    "frame",    "run",        "widget",      "push",      "random",
    "ride",  "set",       "pop",    "open",     "menu",       "refresh",     "layout",    "held",
    "args",  "plug",      "unplug", "pad",      "flat",       "look",        "ground",    "planes",
    "draw",  "catalogue", "light",  "bars",     "glerror",    "splashframe", "pixel",     "shininess",
    "sound", "wind",      "update", "say",      "shape",      "bump",        "squares",   "fill",
    "cell",  "highest",   "sample", "height",   "resolution", "build",       "vertex",    "slope",
    "tick",  "restart",   "save",   "load",     "file",       "splash",      "advance",   "stars",
    "box",   "objects",   "move",   "texel",    "alpha",      "clamp",       "narrowed",  "angle",
    "seed",  "hold",      "waves",  "wave",     "fps",        "text",        "word",      "ramp",
    "env",   "userdirs",  "places", "settings", "end"};

class Session {
  public:
    // Runs a transcript's commands and gives back the transcript they make. What makes the script
    // unfit to give a verdict (an unknown command, no end line) goes to problems.
    std::string run(const std::string& script, std::vector<std::string>& problems) {
        std::istringstream in(script);
        std::string out, last;
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (line.rfind("> ", 0) == 0) {
                const std::string verb = line.substr(2, line.find(' ', 2) - 2);
                if (!kVerbs.count(verb))
                    problems.push_back("line " + text(number) + ": unknown command " + verb);
                if (last == "end")
                    problems.push_back("line " + text(number) + ": a command after the end line");
                out += line + "\n" + perform(line.substr(2));
                last = verb;
            }
            if (line.empty() || line[0] == '#') out += line + "\n";
        }
        if (last != "end") problems.push_back("no end line: the transcript is cut short");
        return out;
    }

  private:
    std::vector<Watched> watched() {
        std::vector<Watched> list;
        for (const PrefsField& f : kPrefsFields)
            list.push_back(f.intField ? watch(f.name, Prefs.*f.intField)
                                      : watch(f.name, Prefs.*f.floatField));
#define WATCH(value) watch(#value, value)
        // clang-format off
        list.insert(list.end(), {
            WATCH(Flags.paused), WATCH(Flags.menuActive), WATCH(Flags.helpVisible), WATCH(Flags.infoVisible),
            WATCH(Flags.exitStartTime), WATCH(Flags.counterB), WATCH(Flags.counterSmallB),
            WATCH(Screen.width), WATCH(Screen.height), WATCH(Screen.clearPasses), WATCH(Pointer.x),
            WATCH(Pointer.y), WATCH(Pointer.moved), WATCH(Pointer.leftButton), WATCH(Pointer.middleButton),
            WATCH(Pointer.rightButton), WATCH(Keyboard.altDown), WATCH(Keyboard.moveKeys), WATCH(Skater.x),
            WATCH(Skater.y), WATCH(Skater.z), WATCH(Skater.vx), WATCH(Skater.vy), WATCH(Skater.vz),
            WATCH(Skater.heading), WATCH(Skater.pitch), WATCH(Skater.fieldOfView), WATCH(Skater.damping),
            WATCH(Terrain.columns), WATCH(Terrain.vertices[0][0].y), WATCH(Terrain.textureRepeat),
            WATCH(Terrain.rows), WATCH(HeightGrid.size), WATCH(Dialogs.currentDialog), WATCH(Dialogs.depth),
            WATCH(Dialogs.focusIndex), WATCH(Dialogs.itemCount), WATCH(Dialogs.selectedId),
            WATCH(Dialogs.selectedValue), WATCH(Dialogs.originX), WATCH(Dialogs.originY),
            WATCH(DialogText.wobbleOn), WATCH(DialogItem::textSize), WATCH(StatusLine.expiryTime),
            WATCH(StatusLine.y), WATCH(ErrorText.y),
            WATCH(Splash.animationTime), WATCH(Splash.keyCount), WATCH(Sounds.enabled),
            WATCH(Sounds.lastEndTime), WATCH(LightWander.rate[1]),
            watch("modifiers", fake_.modifiers), watch("fullScreenCalls", fake_.fullScreenCalls)});
        for (Watched settable : {WATCH(Clock.now), WATCH(Keyboard.key), WATCH(Keyboard.specialKey),
                 WATCH(Light.red), WATCH(Light.green), WATCH(Light.blue), WATCH(Light.intensity),
                 WATCH(Light.shininess), WATCH(Light.lightIndex), WATCH(Light.x), WATCH(Light.y),
                 WATCH(Light.z)}) {
            settable.read = [] { return std::string(); };  // shown by the commands that use them
            list.push_back(settable);
        }
        // clang-format on
#undef WATCH
        const auto show = [&list](const char* name, std::function<std::string()> read) {
            list.push_back({name, read, nullptr});
        };
        show("ground colour", [] {
            const float rgba[] = {Terrain.red, Terrain.green, Terrain.blue, Terrain.alpha};
            return numbers(rgba, 4);
        });
        show("ground texture", [] { return slotText(Terrain.texture); });
        show("mesh", [] {
            constexpr int kMost = TerrainSurface::kMaxVertices;
            uint32_t sum = 2166136261u;
            const size_t rows = static_cast<size_t>(std::clamp(Terrain.rows, 0, kMost));
            for (int column = 0; column < std::min(Terrain.columns, kMost); ++column)
                sum = addToSum(sum, Terrain.vertices[column], sizeof(SurfaceVertex) * rows);
            return checksum(nullptr, 0, sum);
        });
        show("heights", [] { return checksum(HeightCells, sizeof(float) * kHeightCells); });
        show("light colour", [] {
            const float rgbi[] = {Light.red, Light.green, Light.blue, Light.intensity};
            return numbers(rgbi, 4);
        });
        show("clear colour", [] { return numbers(Screen.clearColour, 3); });
        show("sound", [] { return std::string(Sounds.lastStarted) + " until " + text(Sounds.busyUntil); });
        show("Skater.speed", [] { return text(std::hypot(Skater.vx, Skater.vy, Skater.vz)); });
        show("status", [] { return '"' + std::string(StatusLine.text) + '"'; });
        show("error", [] { return std::string(ErrorText.text); });
        show("widgets", widgetValues);
        show("cursor", [this] {
            return fake_.cursors.empty() ? "" : fake_.cursors.back() == CursorShape::Arrow ? "arrow" : "none";
        });
        show("warp", [this] {
            const auto& w = fake_.warps;
            return w.empty() ? ""
                             : text(w.back().first) + "," + text(w.back().second) + " (" + text(w.size()) +
                                   " so far)";
        });
        show("exits", [this] {
            std::string statuses;
            for (const int status : fake_.exits) statuses += (statuses.empty() ? "" : " ") + text(status);
            return statuses;
        });
        show("reshape", [this] {
            const auto& r = fake_.reshapes;
            return r.empty() ? "" : text(r.back().first) + "x" + text(r.back().second);
        });
        return list;
    }

    // The command's output, then its effects, one line each.
    std::string perform(const std::string& command) {
        std::vector<Watched> values = watched();
        std::vector<std::string> before;
        for (const Watched& w : values) before.push_back(w.read());
        testing::internal::CaptureStdout();
        std::string shown = execute(command, values);
        std::istringstream console(testing::internal::GetCapturedStdout());
        for (std::string line; std::getline(console, line);) shown += "  console: " + line + "\n";
        const bool quiet = command == "reset" || command.rfind("set ", 0) == 0;
        for (size_t i = 0; i < values.size() && !quiet; ++i)
            if (const std::string now = values[i].read(); now != before[i])
                shown += "  " + values[i].name + (now.empty() ? "" : " " + now) + "\n";
        return shown;
    }

    static int keyCode(const std::string& name) {
        // clang-format off
        static const std::map<std::string, int> names = {
            {"Esc", 27}, {"Space", ' '}, {"Tab", 9}, {"Enter", 13}, {"Left", kKeyLeft}, {"Up", kKeyUp},
            {"Right", kKeyRight}, {"Down", kKeyDown}, {"PageUp", kKeyPageUp}, {"PageDown", kKeyPageDown},
            {"Home", kKeyHome}, {"End", kKeyEnd}};
        // clang-format on
        if (names.count(name)) return names.at(name);
        if (name.size() > 1 && name[0] == 'F') return std::stoi(name.substr(1));
        return name.size() == 1 ? name[0] : std::stoi(name);
    }

    // Runs a command, as often as an "x3" at its end says; gives back what it prints itself.
    std::string execute(const std::string& command, const std::vector<Watched>& values) {
        std::vector<std::string> w;
        for (std::istringstream words(command); words >> w.emplace_back();) {
        }
        w.pop_back();
        int times = 1;
        if (w.size() > 1 && w.back().size() > 1 && w.back()[0] == 'x' && std::isdigit(w.back()[1])) {
            times = std::stoi(w.back().substr(1));
            w.pop_back();
        }
        w.resize(std::max<size_t>(w.size(), 7));
        std::ostringstream say;
        for (int i = 0; i < times; ++i) runOnce(w, command, values, say);
        return say.str();
    }

    // One run of a command, its words padded with empty ones.
    void runOnce(const std::vector<std::string>& w, const std::string& command,
                 const std::vector<Watched>& values, std::ostringstream& say) {
        const std::string& verb = w[0];
        const auto arg = [&w](int i) { return std::stoi(w[i]); };
        const auto at = [&w](int i) { return std::stof(w[i]); };
        if (verb == "start" && !park_.start(w[1])) say << "  no context or data\n";  // less a file if named
        if (verb == "reset") reset();
        if (verb == "key") onKey(static_cast<unsigned char>(keyCode(w[1])), 0, 0);
        if (verb == "special" || verb == "down") onSpecialKey(keyCode(w[1]), 0, 0);
        if (verb == "special" || verb == "up") onSpecialKeyUp(keyCode(w[1]), 0, 0);
        if (verb == "splashkey") onSplashKey(static_cast<unsigned char>(keyCode(w[1])), 0, 0);
        if (verb == "motion") onPointerMotion(arg(1), arg(2));
        if (verb == "press" || verb == "release") onMouseButton(arg(1), verb == "release", arg(2), arg(3));
        if (verb == "age") Pointer.ageButtons();
        if (verb == "frame") {
            fake_.elapsedMs += w[1].empty() ? 50 : arg(1);
            runFrame();
        }
        if (verb == "run") {  // the menu's run, the pointer first if given, and a frame's input ageing
            if (!w[3].empty())
                std::tie(Pointer.x, Pointer.y, Pointer.leftButton) = std::tuple(arg(1), arg(2), arg(3));
            Dialogs.run();
            Keyboard.key = Keyboard.specialKey = 0;
            Pointer.ageButtons();
        }
        if (verb == "widget") {
            std::tie(Dialogs.selectedId, Dialogs.selectedValue) =
                std::pair(arg(1), w[2].empty() ? 0.0f : at(2));
            executeDialogCommand();
        }
        if (verb == "push") Dialogs.pushDialog();
        if (verb == "random") say << "  " << nextRandom() << "\n";
        if (verb == "ride") {
            Clock.dt = at(1);
            setProjection(Skater, Prefs, Screen);
            Skater.stepRider(w[2] == "paused", 0);
        }
        if (verb == "set") {
            auto value =
                std::find_if(values.begin(), values.end(), [&w](const Watched& v) { return v.name == w[1]; });
            value != values.end() ? value->write(std::stod(w[2])) : void(say << "  no such value\n");
        }
        if (verb == "pop") Dialogs.popDialog();
        if (verb == "open") Dialogs.openDialog(arg(1), 1);
        if (verb == "menu") Dialogs.buildDialog(arg(1), 1);
        if (verb == "refresh") Dialogs.buildDialog(Dialogs.currentDialog, 0);
        if (verb ==
            "layout") {  // each widget: id, label, x, y below the dialog's top, size, a slider's range
            for (int slot = 0; slot < Dialogs.itemCount; ++slot) {
                const DialogItem* item = Dialogs.item(slot);
                say << "  " << item->id << " \"" << item->label << "\" " << item->x << " "
                    << 0.7 * Screen.height - item->y << " " << item->w << "x" << item->h;
                if (const auto* s = dynamic_cast<const SliderItem*>(item))
                    say << " " << s->minValue << ".." << s->maxValue << (s->integerSteps ? " whole" : "")
                        << (s->linear ? " linear" : " squared");
                say << "\n";
            }
        }
        if (verb == "held") {  // the key of the frame, then the keys queued for the frames after it
            say << "  key " << Keyboard.key << "\n";
            for (InputEvent held; Events.take(held);) say << "  held " << held.code << "\n";
        }
        if (verb == "args") {  // with a home folder of its own, as the usage names folders
            setenv("HOME", "/home/player", 1);
            unsetenv("XDG_CONFIG_HOME");
            std::vector<const char*> argv = {"rampix"};
            for (size_t k = 1; k < w.size() && !w[k].empty(); ++k) argv.push_back(w[k].c_str());
            const CommandLine parsed = parseCommandLine(static_cast<int>(argv.size()), argv.data());
            say << "  exit " << parsed.exitStatus << ", max fps " << parsed.maxFps << ", ride "
                << static_cast<int>(parsed.ride) << " " << parsed.ridePath << ", settings "
                << static_cast<int>(parsed.settingsAction);
            for (const std::string& assignment : parsed.assignments) say << " " << assignment;
            say << "\n";
            std::istringstream message(parsed.message);
            for (std::string line; std::getline(message, line);)
                say << "  |" << (line.empty() ? "" : " ") << line << "\n";
        }
        if (verb == "env") w[2].empty() ? unsetenv(w[1].c_str()) : setenv(w[1].c_str(), w[2].c_str(), 1);
        if (verb == "userdirs") {  // the pictures folder after a user-dirs file of this line
            setenv("XDG_CONFIG_HOME", std::filesystem::current_path().c_str(), 1);
            writeFile("user-dirs.dirs", Bytes(command.begin() + 9, command.end()));
            say << "  " << picturesFolder() << "\n";
        }
        if (verb == "places") {  // what a program at this path, started in a folder without data, uses
            const std::filesystem::path here = std::filesystem::current_path();
            std::filesystem::current_path("/");
            const FilePlaces places = FilePlaces::find(w[1]);
            std::filesystem::current_path(here);
            say << "  source " << static_cast<int>(places.source) << ", " << places.dataPath("sand.bmp")
                << ", " << places.prefsBaseName() << ", old " << places.oldSettingsFile << "\n";
        }
        if (verb == "settings")  // --show-settings, or --set with the words after "set"; its exit status
            say << "  "
                << (w[1] == "show" ? showSettings()
                                   : setSettings({w.begin() + 2, std::find(w.begin(), w.end(), "")}))
                << "\n";
        if (verb == "plug") pads_[w[1]] = std::make_unique<VirtualPad>(w[1]);
        if (verb == "unplug") pads_.erase(w[1]);
        if (verb == "pad") pads_.at(w[1])->set(w[2], arg(3));
        if (verb == "flat") {  // flat ground, the ride's start, Manual
            std::fill(HeightCells, HeightCells + kHeightCells, 0.0f);
            rebuildTerrainSurface();
            Prefs.cameraMode = 1;
            Keyboard = KeyboardState();
            Pointer = PointerState();
            Pointer.screen = &Screen;
            Skater.resetRide(Prefs);
        }
        if (verb == "look") Skater.look(0);
        if (verb == "ground")  // under the rider
            say << "  ground "
                << Prefs.heightScale *
                       Terrain.heightAt(Skater.x / Terrain.extent + 0.5f, Skater.z / Terrain.extent + 0.5f)
                << "\n";
        if (verb == "planes") {  // of the world's projection
            Screen.setLetterbox(0);
            setProjection(Skater, Prefs, Screen);
            float m[16];
            glGetFloatv(GL_PROJECTION_MATRIX, m);
            say << "  near " << m[14] / (m[10] - 1.0f) << ", far " << m[14] / (m[10] + 1.0f) << "\n";
        }
        if (verb == "draw") {  // the world once, standing still, the light at a phase of its circle if given
            if (!w[1].empty()) std::tie(LightWander.phase[1], LightWander.rate[1]) = std::pair(at(1), 0.0f);
            Clock.dt = 0.0f;
            Screen.setLetterbox(0);
            Screen.applyViewport();
            setProjection(Skater, Prefs, Screen);
            Skater.stepRider(0, 0);
            drawWorld();
            say << "  light " << Light.x << " " << Light.y << ", sun " << Sun.y << ", sky "
                << numbers(Screen.clearColour, 3) << "\n";
        }
        if (verb == "catalogue") {  // each slot's first slot with the same texture, "-" for an empty one
            say << "  " << Catalogue.textureCount << " textures, images from slot "
                << Catalogue.firstImageTexture << ":";
            for (int slot = 0; slot < Catalogue.textureCount; ++slot) {
                const int first = slotOf(static_cast<int>(Catalogue.catalogueTexture(slot)));
                say << " " << (first < 0 ? "-" : text(first));
            }
            say << "\n  sun texture " << slotText(Sun.texture) << "\n";
        }
        if (verb == "light") {  // the light applied, as GL then holds it
            Light.apply();
            const GLenum light = GL_LIGHT0 + static_cast<GLenum>(std::min(Light.lightIndex, 7));
            float v[6][4] = {};
            glGetLightfv(light, GL_POSITION, v[0]);
            glGetLightfv(light, GL_DIFFUSE, v[1]);
            glGetLightfv(GL_LIGHT0, GL_DIFFUSE, v[2]);
            glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v[3]);
            glGetMaterialfv(GL_BACK, GL_SPECULAR, v[4]);
            glGetMaterialfv(GL_FRONT, GL_SHININESS, v[5]);
            say << "  at " << numbers(v[0], 4) << ", diffuse " << numbers(v[1], 4) << ", light 0 diffuse "
                << numbers(v[2], 4) << ", model ambient " << numbers(v[3], 4) << ", specular "
                << numbers(v[4], 4) << ", shininess " << v[5][0] << (glIsEnabled(light) ? ", on" : ", off")
                << "\n";
        }
        if (verb == "bars") {  // the letterbox bars of a window height and level
            ScreenView screen;
            screen.height = arg(1);
            screen.setLetterbox(arg(2));
            say << "  bar " << screen.barHeight << ", top " << screen.topEdge << ", visible "
                << screen.visibleHeight << "\n";
        }
        if (verb == "glerror") glEnable(0x1234);
        if (verb == "splashframe") drawSplashFrame();
        if (verb ==
            "pixel") {  // red, green and blue of a pixel of the last frame, from the lower left corner
            const GlContext::Pixel p = park_.gl.pixel(arg(1), arg(2));
            say << "  " << p.r << " " << p.g << " " << p.b << "\n";
        }
        if (verb == "shininess") {  // the material's, as the frame left it
            float shininess = 0.0f;
            glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
            say << "  " << shininess << "\n";
        }
        if (verb == "sound") Sounds.play(w[1].c_str(), at(2), arg(3));
        if (verb == "wind") {  // the seconds after the last sound's end when the next sound comes
            const float ended = Sounds.lastEndTime;
            float now = ended;
            for (; now < ended + 41.0f && Sounds.lastEndTime == ended; now += 0.25f) {
                Clock.now = now;
                drawWorld();
            }
            say << "  wind after " << now - 0.25f - ended << " s\n";
        }
        if (verb == "update") StatusLine.update();
        if (verb == "say") StatusLine.setText(command.substr(4).c_str());
        if (verb == "shape") {  // a shape on a side of 128, or the given one, and the mesh on it
            HeightGrid.generate(arg(1), w[2].empty() ? 128 : arg(2));
            rebuildTerrainSurface();
        }
        if (verb == "bump") HeightGrid.applyBumpOption(arg(1));
        if (verb == "squares") {  // a grid of the given side holding the squares of the cells' numbers
            HeightGrid.size = arg(1);
            for (int k = 0; k < kHeightCells; ++k)
                HeightCells[k] = static_cast<float>(k) * static_cast<float>(k);
        }
        if (verb == "fill") std::fill(HeightCells, HeightCells + kHeightCells, at(1));
        const int side = HeightGrid.size;
        if (verb == "cell")  // (i, j) of the shape formulas: the grid holds them mirrored on both axes
            say << "  " << HeightCells[(side - 1 - arg(1)) * side + side - 1 - arg(2)] << "\n";
        if (verb == "highest")
            say << "  " << *std::max_element(HeightCells, HeightCells + kHeightCells) << "\n";
        if (verb == "sample") say << "  " << HeightGrid.sampleHeight(at(1), at(2)) << "\n";
        if (verb == "height") say << "  " << Terrain.heightAt(at(1), at(2)) << "\n";
        if (verb == "resolution") Terrain.setResolution(arg(1));
        if (verb == "build") Terrain.build(HeightGrid);
        if (verb == "ramp")  // every vertex of the mesh at 10 x its column + its row
            for (int c = 0; c < TerrainSurface::kMaxVertices; ++c)
                for (int r = 0; r < TerrainSurface::kMaxVertices; ++r)
                    Terrain.vertices[c][r].y = c * 10.0f + r;
        if (verb == "vertex") {
            const auto& v = Terrain.vertices[arg(1)][arg(2)];
            say << "  at " << v.x << " " << v.y << " " << v.z << ", normal " << v.nx << " " << v.ny << " "
                << v.nz << "\n";
        }
        if (verb == "slope") {
            float sx = 1.0f, sz = 1.0f;
            Terrain.slopeAt(at(1), at(2), sx, sz);
            say << "  " << sx << " " << sz << "\n";
        }
        if (verb == "tick" || verb == "restart") {  // the frame clock at a time of the window system's clock
            fake_.elapsedMs = verb == "tick" ? arg(1) : fake_.elapsedMs;
            verb == "tick" ? Clock.tick() : Clock.restart();
            say << "  dt " << Clock.dt << ", now " << Clock.now << "\n";
        }
        if (verb == "save") say << "  " << Prefs.savePrefs("Rampix") << "\n";
        if (verb == "load") say << "  " << Prefs.loadPrefs("Rampix") << "\n";
        if (verb ==
            "file") {  // the preference file's size, sum and changed words, cut or grown to a size first
            Bytes bytes = readFile("Rampix.pref");
            if (!w[1].empty()) bytes.resize(static_cast<size_t>(arg(1)), 0x55);
            writeFile("Rampix.pref", bytes);
            say << "  " << bytes.size() << " bytes, sum " << checksum(bytes.data(), bytes.size()) << ":";
            fileWords_.resize(bytes.size() / 4 + 1, 0x55555555u);
            for (size_t offset = 0; offset + 4 <= bytes.size(); offset += 4) {
                uint32_t word = 0;
                std::memcpy(&word, &bytes[offset], 4);
                if (word != fileWords_[offset / 4]) say << " @" << offset << "=" << wordText(word);
                fileWords_[offset / 4] = word;
            }
            say << "\n";
        }
        if (verb == "word") {  // a word of the preference file written: an int, a float (with a point) or hex
            Bytes bytes = readFile("Rampix.pref");
            const size_t offset = static_cast<size_t>(arg(1));
            uint32_t word = static_cast<uint32_t>(std::stoll(w[2], nullptr, 0));
            if (w[2].find('.') != std::string::npos) {
                const float value = at(2);
                std::memcpy(&word, &value, 4);
            }
            if (bytes.size() < offset + 4) bytes.resize(offset + 4, 0);
            std::memcpy(&bytes[offset], &word, 4);
            writeFile("Rampix.pref", bytes);
        }
        if (verb == "splash") {  // the splash's key state at a time of its loop
            const SplashKey k = Splash.keyState(at(1));
            const float state[] = {k.x, k.y, k.z, k.turnY, k.turnZ, k.red, k.green, k.blue};
            say << "  at " << numbers(state, 3) << ", turned " << numbers(state + 3, 2) << ", colour "
                << numbers(state + 5, 3) << "\n";
        }
        if (verb == "advance") Splash.advance(at(1));
        if (verb == "stars") {  // a shell of stars of the start-up colours: the extremes of box and round
            StarField field;    // distance, height and colour, and the stars with a channel below 0.5
            std::tie(field.shape, field.innerRadius, field.outerRadius, field.colourBase, field.colourRange) =
                std::tuple(arg(1), at(2), at(3), 0.2f, 0.5f);
            const std::vector<Star> stars = field.generateStars(arg(4));
            double low[5] = {1e9, 1e9, 1e9, 1e9, 1e9}, high[5] = {-1e9, -1e9, -1e9, -1e9, -1e9};
            int tinted = 0;
            for (const Star& s : stars) {
                const double v[5] = {std::max({std::fabs(s.x), std::fabs(s.y), std::fabs(s.z)}),
                                     std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), s.y,
                                     std::min({s.red, s.green, s.blue}), std::max({s.red, s.green, s.blue})};
                for (int k = 0; k < 5; ++k)
                    std::tie(low[k], high[k]) = std::pair(std::min(low[k], v[k]), std::max(high[k], v[k]));
                tinted += v[3] < 0.5;
            }
            say << "  " << stars.size() << " stars";
            if (!stars.empty())
                say << ": box " << low[0] << ".." << high[0] << ", round " << low[1] << ".." << high[1]
                    << ", height " << low[2] << ".." << high[2] << ", channels " << low[3] << ".." << high[4]
                    << ", tinted " << tinted;
            say << "\n";
        }
        if (verb ==
            "box") {  // an object 1 x 4 x 2 placed by its centre (anchor 0) or its lower left near corner
            SceneObject3D o;
            std::tie(o.width, o.height, o.depth, o.anchor) = std::tuple(1.0f, 4.0f, 2.0f, arg(1));
            o.setPosition3D(at(2), at(3), at(4));
            say << "  left " << o.left << ", bottom " << o.bottom << ", right " << o.right << ", top "
                << o.top << ", near " << o.nearEdge << ", far " << o.farEdge << ", at " << o.x << "\n";
        }
        if (verb ==
            "objects") {  // two objects of unit size at two places: overlapping flat, and in three axes
            SceneObject3D a, b;
            a.moveTo(at(1), at(2), at(3));
            b.moveTo(at(4), at(5), at(6));
            say << "  " << a.overlaps(b, Prefs) << " " << a.overlaps3D(b, Prefs) << "\n";
        }
        if (verb == "move") {  // an object at 1 2 3 moving at 5 a second on each axis, stepped as a flat one
            SceneObject3D o;
            std::tie(o.x, o.y, o.z, o.vx, o.vy, o.vz) = std::tuple(1.0f, 2.0f, 3.0f, 5.0f, 5.0f, 5.0f);
            static_cast<SceneObject&>(o).integrate(at(1), Prefs);
            say << "  at " << o.x << " " << o.y << " " << o.z << "\n";
        }
        if (verb == "texel") say << "  " << int{proceduralPattern(arg(1), arg(2), arg(3))} << "\n";
        if (verb == "alpha") {  // of a pixel of an image, from its brightness or a key value and threshold
            BmpImage image;
            std::tie(image.width, image.height, image.rgb) =
                std::tuple(1, 1, std::vector<uint8_t>{uint8_t(arg(1)), uint8_t(arg(2)), uint8_t(arg(3))});
            say << "  " << int{makeRgbaPixels(image, arg(4), arg(5))[3]} << "\n";
        }
        if (verb == "clamp") {  // a vector's length held to a limit
            float x = at(1), y = at(2), z = at(3);
            clampLength(x, y, z, at(4));
            say << "  " << x << " " << y << " " << z << "\n";
        }
        if (verb == "narrowed") say << "  " << letterboxedFieldOfView(at(1), arg(2)) << "\n";
        if (verb == "angle") say << "  " << wrapAngle(at(1)) << "\n";
        if (verb == "seed") seedRandom(static_cast<unsigned>(arg(1)));
        if (verb == "hold") waves_.held[arg(1)] = 1;
        if (verb == "waves" || verb == "wave") {  // a wave generator of so many channels, or a step of it
            verb == "waves" ? waves_.reset(arg(1)) : waves_.advance(at(1), at(2));
            say << "  " << waves_.channelCount << " channels, rates "
                << numbers(waves_.rate, waves_.channelCount) << ", phases "
                << numbers(waves_.phase, waves_.channelCount) << "\n";
        }
        if (verb == "text") say << drawnText(w[1], arg(2), arg(3), w[4].empty() ? 0.0f : at(4));
        if (verb == "fps") {  // a frame counted at a game time
            FpsCounter.countFrame(at(1));
            say << "  next second " << FpsCounter.nextSecond << ", shown " << FpsCounter.framesShown
                << ", counted " << FpsCounter.framesCounted << "\n";
        }
    }

    // The program's globals after a settings reset, with the menus wired as at start-up.
    void reset() {
        Flags = RunFlags();
        initVars();
        Prefs.imageIndex = 0;
        Screen.clearPasses = 0;
        Screen.width = Screen.height = 600;
        Pointer = PointerState();
        Pointer.screen = &Screen;
        Pointer.warpToCentre();  // as the start-up leaves it; the warp itself is forgotten below
        Keyboard = KeyboardState();
        Sounds.enabled = 1;
        Sounds.busyUntil = Sounds.lastEndTime = 0.0f;
        Sounds.lastStarted[0] = '\0';
        Dialogs.command = executeDialogCommand;
        Dialogs.depth = 0;
        StatusLine.setText("");
        fake_.warps.clear();
        fake_.cursors.clear();
        fake_.reshapes.clear();
        fake_.exits.clear();
        fake_.fullScreenCalls = fake_.modifiers = 0;
        seedRandom(1);
    }

    // A word as its int where that is small, else as its float, else in hex.
    static std::string wordText(uint32_t word) {
        const int32_t asInt = static_cast<int32_t>(word);
        float asFloat = 0.0f;
        std::memcpy(&asFloat, &word, 4);
        if (asInt >= -1000000 && asInt <= 1000000) return text(asInt);
        if (std::isnormal(asFloat)) return text(asFloat) + "f";
        char hex[12];
        std::snprintf(hex, sizeof hex, "0x%08x", word);
        return hex;
    }

    // The help or the info screen, or the title crawl at a game time, drawn into a window of the given
    // size, as GL's feedback gives it back: each line's pen position (the left glyph's middle), glyph
    // size, colour and text.
    static std::string drawnText(const std::string& screen, int width, int height, float now) {
        const int oldWidth = Screen.width, oldHeight = Screen.height;
        std::tie(Screen.width, Screen.height) = std::pair(width, height);
        Screen.setLetterbox(0);
        glViewport(0, 0, width, height);
        Screen.setOverlayProjection();
        std::vector<float> buffer(1 << 20);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        if (screen == "help") drawHelpScreen(HelpText, Screen);
        if (screen == "info") drawInfoScreen(HelpText, Screen, "Rampix");
        if (screen == "title") drawTitleCrawl(TitleText, Screen, now);
        const int count = glRenderMode(GL_RENDER);
        std::tie(Screen.width, Screen.height) = std::pair(oldWidth, oldHeight);
        Screen.setLetterbox(0);
        // Glyphs from the polygons (a quad may come back as two triangles): x and y extent, cell, colour.
        struct Glyph {
            float left, right, low, high, u, v, colour[3];
        };
        std::vector<Glyph> glyphs;
        bool halfQuad = false;
        for (int i = 0; i < count;) {
            const int vertices = buffer[i] == GL_POLYGON_TOKEN ? static_cast<int>(buffer[i + 1]) : 0;
            if (vertices == 0) return "  unexpected feedback token " + text(buffer[i]) + "\n";
            // A quad may come back as two triangles, one after the other: the second widens the first.
            halfQuad = vertices == 3 && !halfQuad;
            if (vertices != 3 || halfQuad) glyphs.push_back({1e9f, -1e9f, 1e9f, -1e9f, 1e9f, 1e9f, {}});
            Glyph& g = glyphs.back();
            for (int k = 0; k < vertices; ++k) {
                const float* v = &buffer[i + 2 + k * 11];
                std::tie(g.left, g.right) = std::pair(std::min(g.left, v[0]), std::max(g.right, v[0]));
                std::tie(g.low, g.high) = std::pair(std::min(g.low, v[1]), std::max(g.high, v[1]));
                std::tie(g.u, g.v) = std::pair(std::min(g.u, v[7]), std::min(g.v, v[8]));
                std::copy(v + 3, v + 6, g.colour);
            }
            i += 2 + vertices * 11;
        }
        const auto rounded = [](float value) { return text(std::round(value * 100.0f) / 100.0f); };
        std::string lines;
        for (size_t first = 0, next = 0; first < glyphs.size(); first = next) {
            std::string line;
            const auto penX = [&glyphs](size_t k) {
                return (glyphs[k].left + glyphs[k].right - HelpText.slant) / 2;
            };
            for (next = first; next < glyphs.size() &&
                               std::fabs((glyphs[next].low + glyphs[next].high) -
                                         (glyphs[first].low + glyphs[first].high)) < 0.02f &&
                               (next == first || penX(next) > penX(next - 1));
                 ++next) {
                const int column = static_cast<int>(std::lround(glyphs[next].u * 16.0f));
                const int row = static_cast<int>(std::lround((0.875f - glyphs[next].v) * 8.0f));
                line += static_cast<char>(32 + row * 16 + column);
            }
            const Glyph& g = glyphs[first];
            const float size = next - first > 1
                                   ? (penX(next - 1) - penX(first)) / (next - first - 1) / HelpText.advance
                                   : (g.high - g.low) / 2;
            lines += "  " + rounded(penX(first)) + " " + rounded((g.low + g.high) / 2) + " size " +
                     rounded(size) + " colour " + numbers(g.colour, 3) + " \"" + line + "\"\n";
        }
        return lines;
    }

    std::vector<uint32_t> fileWords_;
    Park park_{64, 64};
    FakePlatform& fake_ = park_.fake;
    std::map<std::string, std::unique_ptr<VirtualPad>> pads_;
    WaveGenerator waves_;
};

class Transcripts : public ::testing::TestWithParam<const char*> {};

TEST_P(Transcripts, GiveBackTheSameText) {
    const std::string path =
        std::string(RAMPIX_SOURCE_DIR) + "/tests/data/transcripts/" + GetParam() + ".txt";
    const Bytes stored = readFile(path);
    ASSERT_FALSE(stored.empty()) << path << " is missing or empty";
    const std::string expected(stored.begin(), stored.end());
    std::vector<std::string> problems;
    const std::string got = Session().run(expected, problems);
    ::Pad.stop();
    for (const std::string& problem : problems) ADD_FAILURE() << GetParam() << ".txt " << problem;
    if (updateRequested("RAMPIX_UPDATE_TRANSCRIPTS") && problems.empty()) {
        writeFile(path, Bytes(got.begin(), got.end()));
        std::printf("wrote %s\n", path.c_str());
    }
    // Line by line, so that a failure names the command.
    std::istringstream wanted(expected), actual(got);
    std::string command, want, have;
    for (int line = 1; bool(std::getline(wanted, want)) + bool(std::getline(actual, have)); ++line) {
        if (have.rfind("> ", 0) == 0) command = have;
        ASSERT_EQ(have, want) << GetParam() << ".txt line " << line << ", after " << command;
        want = have = "";
    }
}

// A transcript that could pass without its verdict fails: cut short, an unknown command, a command after
// the end line.
TEST(TranscriptRunner, RefusesScriptsThatCannotGiveAVerdict) {
    const struct {
        const char* script;
        const char* problem;
    } cases[] = {
        {"> random\n  16807\n", "no end line: the transcript is cut short"},
        {"# only a comment\n", "no end line: the transcript is cut short"},
        {"> seed 5\n> randum\n> end\n", "line 2: unknown command randum"},
        {"> end\n> random\n", "line 2: a command after the end line"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        Session().run(c.script, problems);
        ASSERT_FALSE(problems.empty()) << c.script;
        EXPECT_EQ(problems[0], c.problem);
    }
    std::vector<std::string> none;
    Session().run("> seed 1\n> random\n> end\n", none);
    EXPECT_TRUE(none.empty());
}

INSTANTIATE_TEST_SUITE_P(Of, Transcripts,
                         ::testing::Values("keys", "menus", "pointer", "ride", "pad", "world", "terrain",
                                           "files", "startup", "screens"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return std::string(p.param); });
}  // namespace
