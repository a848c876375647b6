// The program's life from the outside: splash, start-up lines, exit fade and the quick exit.
#include <gtest/gtest.h>

#include <ctime>

#include "support/rampix_process.h"
#include "support/x_session.h"

namespace {
double seconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Starts the program and waits until its window is up and the pointer rests over it.
struct Running {
    XSession x;
    ScratchFolder folder;
    RampixProcess app{x.displayName(), folder.path()};

    bool start() {
        if (!x.ok() || !app.waitForOutput("Ready...\n\n", 20000) || !x.waitForWindow("Rampix", 20000))
            return false;
        x.moveTo(512, 384);
        sleepMs(300);
        return true;
    }
};
}  // namespace

TEST(Spine, SplashEndsOnAKeyNotOnAFunctionKeyAndQuitFadesOut) {
    Running run;
    ASSERT_TRUE(run.start());
    EXPECT_EQ(run.app.output().rfind("Ready...\n\n", 0), 0u) << "Ready comes first";

    run.x.key("F1");
    sleepMs(700);
    EXPECT_EQ(run.app.output().find("Init Once"), std::string::npos) << "a function key leaves the splash on";

    run.x.key("a");
    ASSERT_TRUE(run.app.waitForOutput("Prefs found.\n", 20000)) << run.app.output();
    const std::string& out = run.app.output();
    const size_t once = out.find("Init Once...\n"), particle = out.find("Particle Init...\n"),
                 vars = out.find("Init Vars...\n");
    EXPECT_LT(once, particle);
    EXPECT_LT(particle, vars);
    EXPECT_NE(out.find("No Prefs found.\n"), std::string::npos);

    sleepMs(2500);  // past the two-second fade-in, during which an exit waits
    ASSERT_TRUE(run.app.running());
    const double pressed = seconds();
    run.x.key("q");
    ASSERT_TRUE(run.app.waitForOutput("Fin\n\n", 20000)) << run.app.output();
    const int status = run.app.waitForExit(10000);
    const double took = seconds() - pressed;
    EXPECT_EQ(status, 0);
    EXPECT_GE(took, 0.9) << "the exit fade lasts a second";
    EXPECT_LT(took, 8.0);
    const std::string tail = run.app.output();
    EXPECT_NE(tail.find("\nShutting down...\nFin\n\n"), std::string::npos) << tail;
    EXPECT_EQ(findProblems(run.app.errors()), "");
}

TEST(Spine, EscapeTwiceEndsOnTheNextFrame) {
    Running run;
    ASSERT_TRUE(run.start());
    run.x.click(1);
    ASSERT_TRUE(run.app.waitForOutput("Init Vars...\n", 20000));
    sleepMs(2500);
    run.x.key("Escape");
    sleepMs(100);
    run.x.key("Escape");
    // How much sooner than the one-second fade it ends depends on the frame rate of a loaded
    // machine; the key handler's own tests pin the time shift.
    EXPECT_EQ(run.app.waitForExit(10000), 0) << run.app.output() << run.app.errors();
    EXPECT_NE(run.app.output().find("Fin\n\n"), std::string::npos);
}
