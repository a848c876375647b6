// An input storm: a seeded random mix of every command key, function and movement keys with and
// without Ctrl and Alt, clicks of every button, drags and pointer motion, with the pop-up menu open
// and closed. The program must keep running, keep its preference file whole and in range, report no
// sanitizer fault or OpenGL error, and quit cleanly at the end. RAMPIX_STORM_SECONDS sets the length
// (30 s by default), RAMPIX_STORM_SEED picks another storm (the default one is fixed, so a run can be
// repeated).
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "support/e2e.h"

namespace {
std::vector<std::string> words(const char* text) {
    std::istringstream in(text);
    std::vector<std::string> list;
    for (std::string word; in >> word;) list.push_back(word);
    return list;
}

int envInt(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

struct Storm {
    Storm(XSession& session, unsigned seed) : x(session), random(seed) {}
    XSession& x;
    std::mt19937 random;
    // Every key of the help screen that is not an exit key, some in upper case, and a few without a
    // command. Ctrl never goes with these: Ctrl+[ would be ESC.
    const std::vector<std::string> commandKeys = words(
        "r f l o i less greater exclam at space grave question slash c d s t u v w p minus equal parenleft "
        "parenright braceleft braceright bracketleft bracketright comma period underscore plus b B n O I L "
        "V W a Tab Delete 1");
    // Keys that step a value: pressed many times in a row, they drive it to its limits.
    const std::vector<std::string> stepKeys = words(
        "minus equal underscore plus parenleft parenright braceleft braceright bracketleft bracketright "
        "comma period less greater F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Home End l i o n b B");
    const std::vector<std::string> specialKeys =
        words("F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Home End Insert");
    const std::vector<std::string> moveKeys = words("Up Down Left Right Prior Next");
    std::vector<std::string> held;
    // The menu as the storm believes it to be; the program may disagree (a right click that closes
    // it can reopen it on its release, and menu items close it too).
    bool menuOpen = false;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }
    const std::string& any(const std::vector<std::string>& keys) {
        return keys[static_cast<size_t>(pick(0, static_cast<int>(keys.size()) - 1))];
    }
    void releaseHeld() {
        for (const std::string& key : held) x.keyUp(key.c_str());
        held.clear();
    }
    // Mostly over the menu's column and within the 600 x 600 window the f key switches to.
    void movePointer() {
        if (chance(0.5))
            x.moveTo(pick(0, 450), pick(150, 700));
        else if (chance(0.7))
            x.moveTo(pick(0, 599), pick(0, 599));
        else
            x.moveTo(pick(0, 1023), pick(0, 767));
    }

    // About a second of random input.
    void batch() {
        for (int actions = pick(8, 20); actions > 0; --actions) {
            act(pick(0, 99));
            sleepMs(pick(0, 40));
        }
        if (chance(0.5)) releaseHeld();
    }

    void act(int what) {
        if (what < 30) {
            const std::string& key = any(commandKeys);
            x.key(key.c_str());
            if (key == "grave") menuOpen = !menuOpen;
            if (key == "question" || key == "slash" || key == "r") menuOpen = false;
        } else if (what < 34) {  // a burst, long now and then
            const std::string& key = any(stepKeys);
            for (int i = chance(0.2) ? pick(100, 400) : pick(10, 60); i > 0; --i) {
                x.key(key.c_str());
                if (i % 8 == 0) sleepMs(5);
            }
        } else if (what < 58) {  // function keys pressed, movement keys pressed or held
            const bool move = what >= 46;
            const std::string& key = any(move ? moveKeys : specialKeys);
            // Left and Right fire a focused menu button, "Quit" among them: rare while the menu is open.
            if (move && menuOpen && (key == "Left" || key == "Right") && !chance(0.05)) return;
            const char* modifier = chance(0.2) ? "Control_L" : (chance(0.2) ? "Alt_L" : nullptr);
            if (modifier) x.keyDown(modifier);
            if (move && chance(0.6)) {
                x.keyDown(key.c_str());
                held.push_back(key);
            } else {
                x.key(key.c_str());
            }
            if (modifier) x.keyUp(modifier);
        } else if (what < 80) {  // a click of any button, or a drag mostly with the left one
            const bool drag = what >= 74;
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
        } else if (what < 84) {
            x.key("grave");
            menuOpen = !menuOpen;
        } else {
            for (int moves = pick(1, 6); moves > 0; --moves) movePointer();
        }
    }
};

// What is wrong with the program's standard error and preference file now, or "".
std::string problemsNow(Rampix& app, const ScratchFolder& folder) {
    const std::string prefs = checkPrefsFile(folder.file("Rampix.pref"));
    return findProblems(app.errors()) + (prefs.empty() ? "" : prefs + "\n");
}
}  // namespace

TEST(Storm, RandomInputNeverBreaksTheProgram) {
    const unsigned seed = static_cast<unsigned>(envInt("RAMPIX_STORM_SEED", 20261206));
    const int stormSeconds = envInt("RAMPIX_STORM_SECONDS", 30);
    std::printf("storm seed %u, %d s (RAMPIX_STORM_SEED=%u repeats the input)\n", seed, stormSeconds, seed);
    SCOPED_TRACE("storm seed " + std::to_string(seed));
    XSession x;
    ScratchFolder folder;
    Storm storm(x, seed);
    int menuQuits = 0;
    for (const long long end = monotonicMs() + stormSeconds * 1000LL; monotonicMs() < end;) {
        Rampix app(x, folder.path());
        ASSERT_EQ(app.passSplash(), "");
        for (int batch = 1; monotonicMs() < end && app.running(); ++batch) {
            storm.batch();
            ASSERT_EQ(problemsNow(app, folder), "") << "after batch " << batch << "\n" << app.output();
        }
        storm.releaseHeld();
        if (app.running()) {
            x.moveTo(300, 300);
            sleepMs(300);
            EXPECT_EQ(app.quit(), "");
            EXPECT_EQ(checkPrefsFile(folder.file("Rampix.pref")), "");
            break;
        }
        // Nothing in the storm is an exit key; the menu's Quit and Exit Program items are.
        ASSERT_EQ(app.waitForExit(5000), 0) << app.output() << app.errors();
        ASSERT_NE(app.output().find("\nShutting down...\nFin\n\n"), std::string::npos) << app.output();
        EXPECT_EQ(problemsNow(app, folder), "");
        ++menuQuits;
    }
    std::printf("storm seed %u: %d quit%s from the menu\n", seed, menuQuits, menuQuits == 1 ? "" : "s");
}
