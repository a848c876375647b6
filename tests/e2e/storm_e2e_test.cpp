// An input storm: a seeded random mix of every command key, function and movement keys with and
// without Ctrl and Alt, clicks of every button, drags and pointer motion, with the pop-up menu open
// and closed. The program must keep running, keep its preference file whole and in range, report
// no sanitizer fault or OpenGL error, and quit cleanly at the end. RAMPIX_STORM_SECONDS sets the
// length (30 s by default), RAMPIX_STORM_SEED picks another storm (the default one is fixed, so a run can be
// repeated).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/e2e.h"

namespace {
// Every key of the help screen that is not an exit key, some in upper case, and a few without a
// command. Ctrl never goes with these: Ctrl+[ would be ESC.
const char kCommandKeys[] =
    "r f l o i less greater exclam at space grave question slash c d s t u v w p minus equal "
    "parenleft parenright braceleft braceright bracketleft bracketright comma period "
    "underscore plus b B n O I L V W a Tab Delete 1";
// Keys that step a value: pressed many times in a row, they drive it to its limits.
const char kStepKeys[] =
    "minus equal underscore plus parenleft parenright braceleft braceright bracketleft "
    "bracketright comma period less greater F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Home End l "
    "i o n b B";
const char kSpecialKeys[] = "F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Home End Insert";
const char kMoveKeys[] = "Up Down Left Right Prior Next";

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

double seconds() {
    return monotonicMs() * 0.001;
}

class Storm {
  public:
    Storm(XSession& x, unsigned seed)
        : x_(x),
          random_(seed),
          commandKeys_(words(kCommandKeys)),
          stepKeys_(words(kStepKeys)),
          specialKeys_(words(kSpecialKeys)),
          moveKeys_(words(kMoveKeys)) {}

    // About a second of random input.
    void batch() {
        const int actions = pick(8, 20);
        for (int i = 0; i < actions; ++i) {
            act();
            sleepMs(pick(0, 40));
        }
        if (chance(0.5)) releaseHeld();
    }

    void releaseHeld() {
        for (const std::string& key : heldKeys_) x_.keyUp(key.c_str());
        heldKeys_.clear();
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p; }
    const std::string& any(const std::vector<std::string>& keys) {
        return keys[static_cast<size_t>(pick(0, static_cast<int>(keys.size()) - 1))];
    }

    // Mostly over the menu's column and within the 600 x 600 window the f key switches to.
    void movePointer() {
        if (chance(0.5))
            x_.moveTo(pick(0, 450), pick(150, 700));
        else if (chance(0.7))
            x_.moveTo(pick(0, 599), pick(0, 599));
        else
            x_.moveTo(pick(0, 1023), pick(0, 767));
    }

    void commandKey() {
        const std::string& key = any(commandKeys_);
        x_.key(key.c_str());
        if (key == "grave") menuOpen_ = !menuOpen_;
        if (key == "question" || key == "slash" || key == "r") menuOpen_ = false;
    }

    void burst() {
        const std::string& key = any(stepKeys_);
        const int count = chance(0.2) ? pick(100, 400) : pick(10, 60);
        for (int i = 0; i < count; ++i) {
            x_.key(key.c_str());
            if (i % 8 == 7) sleepMs(5);
        }
    }

    void specialKey() {
        const char* modifier = chance(0.2) ? "Control_L" : (chance(0.2) ? "Alt_L" : nullptr);
        if (modifier) x_.keyDown(modifier);
        x_.key(any(specialKeys_).c_str());
        if (modifier) x_.keyUp(modifier);
    }

    // Left and Right fire a focused menu button, "Quit" among them: rare while the menu is open.
    void moveKey() {
        const std::string& key = any(moveKeys_);
        if (menuOpen_ && (key == "Left" || key == "Right") && !chance(0.05)) return;
        const bool ctrl = chance(0.25), alt = !ctrl && chance(0.2);
        if (ctrl) x_.keyDown("Control_L");
        if (alt) x_.keyDown("Alt_L");
        if (chance(0.6)) {
            x_.keyDown(key.c_str());
            heldKeys_.push_back(key);
        } else {
            x_.key(key.c_str());
        }
        if (alt) x_.keyUp("Alt_L");
        if (ctrl) x_.keyUp("Control_L");
    }

    void click() {
        movePointer();
        const int button = pick(1, 5);
        x_.click(button);
        if (button == 3) menuOpen_ = !menuOpen_;
    }

    void drag() {
        const int button = chance(0.7) ? 1 : pick(2, 3);
        movePointer();
        x_.button(button, true);
        const int steps = pick(2, 10);
        for (int i = 0; i < steps; ++i) {
            movePointer();
            sleepMs(pick(5, 40));
        }
        x_.button(button, false);
        if (button == 3) menuOpen_ = !menuOpen_;
    }

    void act() {
        const int what = pick(0, 99);
        if (what < 30)
            commandKey();
        else if (what < 34)
            burst();
        else if (what < 46)
            specialKey();
        else if (what < 58)
            moveKey();
        else if (what < 74)
            click();
        else if (what < 80)
            drag();
        else if (what < 84) {
            x_.key("grave");
            menuOpen_ = !menuOpen_;
        } else {
            for (int i = pick(1, 6); i > 0; --i) movePointer();
        }
    }

    XSession& x_;
    std::mt19937 random_;
    const std::vector<std::string> commandKeys_, stepKeys_, specialKeys_, moveKeys_;
    std::vector<std::string> heldKeys_;
    // The menu as the storm believes it to be; the program may disagree (a right click that closes
    // it can reopen it on its release, and menu items close it too).
    bool menuOpen_ = false;
};

// What is wrong with the program after a batch, or "".
std::string problemsNow(Rampix& app, const ScratchFolder& folder) {
    std::string problems = findProblems(app.errors());
    const std::string prefs = checkPrefsFile(folder.file("Rampix.pref"));
    if (!prefs.empty()) problems += prefs + "\n";
    return problems;
}

// A run that ended by itself: clean only when the menu's own Quit or Exit Program was chosen.
bool endedCleanly(Rampix& app) {
    return app.waitForExit(5000) == 0 &&
           app.output().find("\nShutting down...\nFin\n\n") != std::string::npos;
}
}  // namespace

TEST(Storm, RandomInputNeverBreaksTheProgram) {
    const unsigned seed = static_cast<unsigned>(envInt("RAMPIX_STORM_SEED", 20261206));
    const int stormSeconds = envInt("RAMPIX_STORM_SECONDS", 30);
    std::printf("storm seed %u, %d s (RAMPIX_STORM_SEED=%u repeats the input)\n", seed, stormSeconds, seed);
    std::fflush(stdout);
    SCOPED_TRACE("storm seed " + std::to_string(seed));

    XSession x;
    ScratchFolder folder;
    Storm storm(x, seed);
    int menuQuits = 0;
    const double end = seconds() + stormSeconds;
    while (seconds() < end) {
        Rampix app(x, folder.path());
        ASSERT_EQ(app.passSplash(), "");
        int batches = 0;
        while (seconds() < end && app.running()) {
            storm.batch();
            ++batches;
            app.output();
            const std::string problems = problemsNow(app, folder);
            ASSERT_EQ(problems, "") << "after batch " << batches << "\n" << app.output();
        }
        storm.releaseHeld();
        if (!app.running()) {
            // Nothing in the storm is an exit key; the menu's Quit and Exit Program items are.
            ASSERT_TRUE(endedCleanly(app)) << "the program died after batch " << batches << "\n"
                                           << app.output() << app.errors();
            EXPECT_EQ(problemsNow(app, folder), "");
            ++menuQuits;
            continue;
        }
        x.moveTo(300, 300);
        sleepMs(300);
        EXPECT_EQ(app.quit(), "");
        EXPECT_EQ(checkPrefsFile(folder.file("Rampix.pref")), "");
        break;
    }
    std::printf("storm seed %u: %d quit%s from the menu\n", seed, menuQuits, menuQuits == 1 ? "" : "s");
}

// Leaving full screen used to give back the 640 x 480 start-up window instead of 600 x 600, with the
// pointer then warped to (500, 500) below it, where no key reached the program any more.
TEST(Storm, FullScreenKeySwitchesBetweenScreenAnd600By600Window) {
    XSession x;
    ScratchFolder folder;
    Rampix app(x, folder.path());
    ASSERT_EQ(app.passSplash(), "");
    const auto sizeBecomes = [&](int width, int height) {
        int w = 0, h = 0;
        for (int i = 0; i < 40; ++i) {
            if (x.windowSize("Rampix", w, h) && w == width && h == height) return true;
            sleepMs(50);
        }
        std::printf("window is %d x %d, not %d x %d\n", w, h, width, height);
        return false;
    };
    EXPECT_TRUE(sizeBecomes(1024, 768));
    x.key("f");
    EXPECT_TRUE(sizeBecomes(600, 600));
    x.key("f");
    EXPECT_TRUE(sizeBecomes(1024, 768));
    for (int i = 0; i < 3; ++i) x.key("f");
    EXPECT_TRUE(sizeBecomes(600, 600)) << "three presses in a row end in the window";
    sleepMs(1500);
    x.moveTo(300, 300);
    EXPECT_EQ(app.quit(), "");
}
