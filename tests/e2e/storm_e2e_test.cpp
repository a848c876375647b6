// An input storm: every command key, function and movement keys with and without Ctrl and Alt, clicks,
// drags and motion, the pop-up menu open and closed. The preference file must stay whole and in range,
// no sanitizer or OpenGL error come, and the program quit cleanly. RAMPIX_STORM_SECONDS sets the length
// (30 s by default), RAMPIX_STORM_SEED another storm (the default one is fixed, so runs repeat).
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "support/e2e.h"

namespace {
// Every key of the help screen that is not an exit key, some in upper case, and a few without a
// command. Ctrl never goes with these: Ctrl+[ would be ESC.
const char kCommandKeys[] =
    "r f l o i less greater exclam at space grave question slash c d s t u v w p minus equal parenleft "
    "parenright braceleft braceright bracketleft bracketright comma period underscore plus b B n O I L V W "
    "a Tab Delete 1";
// Keys that step a value: pressed many times in a row, they drive it to its limits.
const char kStepKeys[] =
    "minus equal underscore plus parenleft parenright braceleft braceright bracketleft bracketright comma "
    "period less greater F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Home End l i o n b B";

struct Storm {
    XSession& x;
    std::mt19937 random;
    std::vector<std::string> held;
    // The menu as the storm believes it to be; the program may disagree (a right click that closes
    // it can reopen it on its release, and menu items close it too).
    bool menuOpen;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }
    std::string any(const char* keys) {
        std::vector<std::string> list;
        std::istringstream in(keys);
        for (std::string key; in >> key;) list.push_back(key);
        return list[static_cast<size_t>(pick(0, static_cast<int>(list.size()) - 1))];
    }
    // Mostly over the menu's column and within the 600 x 600 window the f key switches to.
    void movePointer() {
        const int areas[3][3] = {{450, 150, 700}, {599, 0, 599}, {1023, 0, 767}};
        const int* area = areas[chance(0.5) ? 0 : (chance(0.7) ? 1 : 2)];
        x.moveTo(pick(0, area[0]), pick(area[1], area[2]));
    }
    void releaseHeld() {
        for (const std::string& key : held) x.keyUp(key.c_str());
        held.clear();
    }
    void act(int what) {
        if (what < 34) {  // a command key, the menu's own key now and then
            const std::string key = what < 30 ? any(kCommandKeys) : "grave";
            x.key(key.c_str());
            if (key == "grave") menuOpen = !menuOpen;
            if (key == "question" || key == "slash" || key == "r") menuOpen = false;
        } else if (what < 38) {  // a burst, long now and then
            const std::string key = any(kStepKeys);
            for (int i = chance(0.2) ? pick(100, 400) : pick(10, 60); i > 0; --i) {
                x.key(key.c_str());
                if (i % 8 == 0) sleepMs(5);
            }
        } else if (what < 62) {  // function keys pressed, movement keys pressed or held
            const bool move = what >= 50;
            const std::string key = any(move ? "Up Down Left Right Prior Next"
                                             : "F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Home End Insert");
            // Left and Right fire a focused menu button, "Quit" among them: rare while the menu is open.
            if (move && menuOpen && (key == "Left" || key == "Right") && !chance(0.05)) return;
            const char* modifier = chance(0.2) ? "Control_L" : (chance(0.2) ? "Alt_L" : nullptr);
            if (modifier) x.keyDown(modifier);
            const bool hold = move && chance(0.6);
            x.key(key.c_str(), true, !hold);
            if (hold) held.push_back(key);
            if (modifier) x.keyUp(modifier);
        } else if (what < 84) {  // a click of any button, or a drag mostly with the left one
            const bool drag = what >= 78;
            const int button = drag ? (chance(0.7) ? 1 : pick(2, 3)) : pick(1, 5);
            movePointer();
            x.buttonDown(button);
            for (int steps = drag ? pick(2, 10) : 0; steps > 0; --steps) {
                movePointer();
                sleepMs(pick(5, 40));
            }
            sleepMs(drag ? 0 : 60);
            x.buttonUp(button);
            if (button == 3) menuOpen = !menuOpen;
        } else {
            for (int moves = pick(1, 6); moves > 0; --moves) movePointer();
        }
    }
};
}  // namespace

TEST(Storm, RandomInputNeverBreaksTheProgram) {
    const char* seedText = std::getenv("RAMPIX_STORM_SEED");
    const char* secondsText = std::getenv("RAMPIX_STORM_SECONDS");
    const unsigned seed = seedText ? static_cast<unsigned>(std::atol(seedText)) : 20261206u;
    const int stormSeconds = secondsText ? std::atoi(secondsText) : 30;
    std::printf("storm seed %u, %d s (RAMPIX_STORM_SEED=%u repeats the input)\n", seed, stormSeconds, seed);
    XSession x;
    ScratchFolder folder;
    Storm storm{x, std::mt19937(seed), {}, false};
    for (const long long end = monotonicMs() + stormSeconds * 1000LL; monotonicMs() < end;) {
        Rampix app(x, folder.path());
        ASSERT_EQ(app.passSplash(), "");
        for (int batch = 1; monotonicMs() < end && app.running(); ++batch) {
            for (int actions = storm.pick(8, 20); actions > 0; --actions) {  // about a second
                storm.act(storm.pick(0, 99));
                sleepMs(storm.pick(0, 40));
            }
            if (storm.chance(0.5)) storm.releaseHeld();
            ASSERT_EQ(findProblems(app.errors()) + checkPrefsFile(folder.file("Rampix.pref")), "")
                << "storm seed " << seed << ", batch " << batch << "\n" + app.output();
        }
        storm.releaseHeld();
        // Nothing in the storm is an exit key; the menu's Quit and Exit Program items are. Either way
        // the program must end cleanly (the pointer within the 600 x 600 window, should it be one).
        x.moveTo(300, 300);
        sleepMs(300);
        ASSERT_EQ(app.quit(), "") << "storm seed " << seed;
    }
}
