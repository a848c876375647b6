// Frame pacing and the command line of the real program in Xvfb, whose buffer swaps never wait for a
// screen; the program counts its frames in the file RAMPIX_FRAME_COUNTER names. Rates are taken over the
// time that really passed, and only bounds a slow machine cannot break are checked.
#include <gtest/gtest.h>
// Xlib's macros (None, Bool) clash with names in the test framework, which comes first.
#include <X11/Xlib.h>

#include <functional>

#include "support/e2e.h"

namespace {
// Frames a second in the next ms milliseconds.
double frameRate(const ScratchFolder& folder, int ms) {
    const auto frames = [&folder] { return std::atoll(readText(folder.file("frames")).c_str()); };
    const long long start = monotonicMs(), before = frames();
    sleepMs(ms);
    return (frames() - before) * 1000.0 / static_cast<double>(monotonicMs() - start);
}
}  // namespace

TEST(Pacing, FramesKeepToTheScreenRateOrTheChosenOneStopWhileUnseenAndRunFreeAtZero) {
    // Xvfb's modes carry no timings, so the program assumes 60 Hz; 0 is unpaced.
    const std::pair<std::vector<std::string>, double> cases[] = {
        {{}, 60.0}, {{"--max-fps=25"}, 25.0}, {{"--max-fps", "0"}, 0.0}};
    for (const auto& [arguments, most] : cases) {
        SCOPED_TRACE(most);
        XSession x(400, 300);
        ScratchFolder folder;
        Rampix app(x, folder.path(), {"RAMPIX_FRAME_COUNTER=" + folder.file("frames")}, "", arguments);
        ASSERT_EQ(app.passSplash(nullptr), "");
        sleepMs(500);
        const double splashRate = frameRate(folder, 1500);
        EXPECT_TRUE(most > 0.0 ? splashRate > 0.0 && splashRate <= most * 1.1 : splashRate > 66.0)
            << splashRate;
        if (arguments.empty()) {
            // While the window cannot be seen nothing is drawn and the processor is left alone (asking
            // for frames all the time would keep a core busy); seen again, the frames go on.
            const auto unseen = [&](const char* what, const std::function<void(bool)>& hide) {
                hide(true);
                sleepMs(300);
                const double before = processorSeconds(app.pid());
                EXPECT_EQ(frameRate(folder, 1000), 0.0) << what;
                EXPECT_LT(processorSeconds(app.pid()) - before, 0.2) << what;
                hide(false);
                sleepMs(300);
                EXPECT_GT(frameRate(folder, 700), 0.0) << what << ", then seen again";
            };
            unseen("unmapped", [&x](bool hidden) { x.showWindow("Rampix", !hidden); });
            Display* d = x.display();
            const Window cover = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 300, 0, 0, 0);
            unseen("covered", [&](bool hidden) {
                hidden ? XMapRaised(d, cover) : XUnmapWindow(d, cover);
                XSync(d, False);
            });
        }
        if (most > 0.0) {
            ASSERT_EQ(app.passSplash(), "");  // the park's frames are paced alike
            sleepMs(500);
            EXPECT_LE(frameRate(folder, 1500), most * 1.1);
        }
        EXPECT_EQ(findProblems(app.errors()), "");
    }
}

// What the messages say is in a transcript; here, the stream each goes to and the exit status.
TEST(CommandLine, HelpVersionAndMistakesGoToTheirStreamWithTheirExitStatus) {
    const std::string help = runToTheEnd({RAMPIX_BINARY, "--help"}, {"DISPLAY"});  // no display is needed
    EXPECT_EQ(
        help.rfind("0|Usage: rampix [--max-fps=N] [--record|--replay|--timedemo FILE] [GLUT options]\n", 0),
        0u)
        << help;
    ASSERT_EQ(help.back(), '|') << "nothing on standard error";
    EXPECT_EQ(runToTheEnd({RAMPIX_BINARY, "-display", ":no", "--version"}, {"DISPLAY"}), "0|rampix 1.0.0\n|");
    EXPECT_EQ(runToTheEnd({RAMPIX_BINARY, "--fast"}, {"DISPLAY"}),
              "2||rampix: unknown option '--fast'\n" + help.substr(2, help.size() - 3));
}
