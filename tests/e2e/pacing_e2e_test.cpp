// Frame pacing and the command line of the real program in Xvfb, whose buffer swaps never wait for
// a screen: frames are counted by the program itself in the file named by RAMPIX_FRAME_COUNTER. Only
// upper bounds and "more than" are checked, nothing a slow machine could break.
#include <gtest/gtest.h>
// Xlib's macros (None, Bool) clash with names in the test framework, which comes first.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/rampix_process.h"
#include "support/x_session.h"

namespace {
std::vector<std::string> withProgram(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), RAMPIX_BINARY);
    return arguments;
}

constexpr double kScreenRate = 60.0;  // Xvfb's modes carry no timings, so the program assumes 60 Hz

struct CountedRun {
    XSession x{400, 300};
    ScratchFolder folder;
    Process app;

    explicit CountedRun(std::vector<std::string> arguments = {})
        : app(folder.path(),
              {"DISPLAY=" + x.displayName(), "SDL_AUDIODRIVER=dummy",
               "RAMPIX_FRAME_COUNTER=" + folder.file("frames")},
              withProgram(std::move(arguments))) {}

    long long frames() {
        std::ifstream in(folder.file("frames"));
        long long count = 0;
        in >> count;
        return count;
    }
    // Frames drawn in the next ms milliseconds.
    long long framesIn(int ms) {
        const long long before = frames();
        sleepMs(ms);
        return frames() - before;
    }
    // Frames drawn while the window cannot be seen, and the processor time taken meanwhile (a
    // program that went on asking for frames would keep a core busy).
    void expectIdleFor(int ms, const char* what) {
        const double before = processorSeconds(app.pid());
        EXPECT_EQ(framesIn(ms), 0) << what;
        EXPECT_LT(processorSeconds(app.pid()) - before, ms * 0.0002) << what;
    }
};

struct Finished {
    int status;
    std::string out, err;
};

Finished runToTheEnd(const std::vector<std::string>& arguments) {
    ScratchFolder folder(false);
    Process app(folder.path(), {"DISPLAY"}, withProgram(arguments));  // no display: none is needed
    const int status = app.waitForExit(10000);
    return {status, app.output(), app.errors()};
}
}  // namespace

TEST(Pacing, FramesKeepToTheScreenRateOrTheChosenOneAndRunFreeAtZero) {
    struct Case {
        std::vector<std::string> arguments;
        double mostPerSecond;  // 0 = unpaced
    };
    const Case cases[] = {{{}, kScreenRate}, {{"--max-fps=25"}, 25.0}, {{"--max-fps", "0"}, 0.0}};
    for (const Case& c : cases) {
        CountedRun run(c.arguments);
        ASSERT_TRUE(run.app.waitForOutput("Ready...\n\n", 20000)) << run.app.errors();
        ASSERT_TRUE(run.x.waitForWindow("Rampix", 10000));
        sleepMs(500);
        const long long splashFrames = run.framesIn(3000);
        const double paced = kScreenRate * 3.0 * 1.1;
        if (c.mostPerSecond > 0.0) {
            EXPECT_LE(splashFrames, c.mostPerSecond * 3.0 * 1.1) << c.mostPerSecond;
            EXPECT_GT(splashFrames, 0);
        } else {
            EXPECT_GT(splashFrames, paced) << "unpaced";
        }
        // The park's frames are paced alike.
        run.x.moveTo(200, 150);
        run.x.key("a");
        ASSERT_TRUE(run.app.waitForOutput("Dialog Init...\n", 20000)) << run.app.output();
        sleepMs(500);
        if (c.mostPerSecond > 0.0) {
            EXPECT_LE(run.framesIn(3000), c.mostPerSecond * 3.0 * 1.1);
        }
        EXPECT_EQ(findProblems(run.app.errors()), "");
    }
}

TEST(Pacing, HiddenOrCoveredWindowDrawsNothingAndGoesOnWhenSeenAgain) {
    CountedRun run;
    ASSERT_TRUE(run.app.waitForOutput("Ready...\n\n", 20000)) << run.app.errors();
    ASSERT_TRUE(run.x.waitForWindow("Rampix", 10000));
    Display* display = XOpenDisplay(run.x.displayName().c_str());
    ASSERT_NE(display, nullptr);
    EXPECT_GT(run.framesIn(1000), 0);

    run.x.showWindow("Rampix", false);
    sleepMs(300);
    run.expectIdleFor(1500, "unmapped");
    run.x.showWindow("Rampix", true);
    sleepMs(300);
    EXPECT_GT(run.framesIn(1000), 0) << "mapped again";

    XSetWindowAttributes attributes;
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    const Window cover =
        XCreateWindow(display, DefaultRootWindow(display), 0, 0, 400, 300, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, cover);
    XSync(display, False);
    sleepMs(300);
    run.expectIdleFor(1500, "covered");
    XDestroyWindow(display, cover);
    XSync(display, False);
    sleepMs(300);
    EXPECT_GT(run.framesIn(1000), 0) << "uncovered";
    XCloseDisplay(display);
    EXPECT_EQ(findProblems(run.app.errors()), "");
}

TEST(CommandLine, HelpVersionAndMistakesWithTheirExitStatus) {
    const Finished help = runToTheEnd({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: rampix [--max-fps=N] [GLUT options]\n", 0), 0u) << help.out;
    for (const char* part : {"--max-fps=N", "--version", "Rampix.pref", "font_256.bmp", "man 6 rampix"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    EXPECT_EQ(help.err, "");

    const Finished version = runToTheEnd({"-display", ":no", "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "rampix 1.0.0\n");

    const Finished unknown = runToTheEnd({"--fast"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "rampix: unknown option '--fast'\n" + help.out);

    const Finished badRate = runToTheEnd({"--max-fps=-5"});
    EXPECT_EQ(badRate.status, 2);
    EXPECT_EQ(badRate.err.substr(0, badRate.err.find('\n')),
              "rampix: --max-fps takes a whole number from 0 to 1000, not '-5'");
}
