// Frame rate and frame times of the real program against a bare clear-and-swap loop and the bare
// terrain draw, all full-screen at 1024 x 768 in one private Xvfb with Mesa's software renderer and
// the same scripted ride, and the start-up time from the splash-ending key to the first game frame.
// Every program is timed from outside by the swap_timer shim.
// Usage: game_bench [seconds of riding, default 12] [terrain image index, default 0 = Sand]
//        [rounds of terrain and game, default 2] [setting=value ...] (e.g. universeOn=0)
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ride_timing.h"
#include "settings/prefs.h"
#include "support/rampix_process.h"

namespace {
constexpr double kWarmUpSeconds = 2.5;  // the game's fade-in lasts 2 s

struct TimerLog {
    std::vector<int64_t> swaps;
    std::vector<int64_t> swapCpu;  // the process's processor time at each swap
    std::vector<int64_t> displayFuncs;
};

TimerLog readLog(const std::string& path) {
    TimerLog log;
    for (const TimerEvent& event : readTimerLog(path)) {
        if (event.kind == 'D') {
            log.displayFuncs.push_back(event.ns);
            continue;
        }
        log.swaps.push_back(event.ns);
        log.swapCpu.push_back(event.cpuNs);
    }
    return log;
}

// The gaps between consecutive swaps inside [from, to], in milliseconds, and the processor time
// the process spent in them (all its threads); runs add up.
struct FrameTimes {
    std::vector<double> gaps;
    double spanMs = 0.0;
    double cpuMs = 0.0;

    void add(const TimerLog& log, int64_t from, int64_t to) {
        size_t previous = log.swaps.size();
        for (size_t i = 0; i < log.swaps.size(); ++i) {
            if (log.swaps[i] < from || log.swaps[i] > to) continue;
            if (previous < log.swaps.size()) {
                gaps.push_back((log.swaps[i] - log.swaps[previous]) * 1e-6);
                spanMs += gaps.back();
                cpuMs += (log.swapCpu[i] - log.swapCpu[previous]) * 1e-6;
            }
            previous = i;
        }
    }

    void add(const FrameTimes& other) {
        gaps.insert(gaps.end(), other.gaps.begin(), other.gaps.end());
        spanMs += other.spanMs;
        cpuMs += other.cpuMs;
    }
};

struct FrameFigures {
    int frames = 0;
    double fps = 0.0;
    double meanMs = 0.0;
    double medianMs = 0.0;
    double p99Ms = 0.0;
    double cpuMs = 0.0;
};

FrameFigures frameFigures(FrameTimes times) {
    FrameFigures figures;
    if (times.gaps.size() < 2) return figures;
    std::vector<double>& gaps = times.gaps;
    figures.frames = static_cast<int>(gaps.size());
    figures.meanMs = times.spanMs / figures.frames;
    figures.fps = 1000.0 / figures.meanMs;
    figures.cpuMs = times.cpuMs / figures.frames;
    std::sort(gaps.begin(), gaps.end());
    figures.medianMs = percentile(gaps, 0.5);
    figures.p99Ms = percentile(gaps, 0.99);
    return figures;
}

void printFigures(const char* name, const FrameFigures& f) {
    std::printf("  %-24s %7.1f %8.2f %8.2f %8.2f %8.2f %7d\n", name, f.fps, f.meanMs, f.medianMs, f.p99Ms,
                f.cpuMs, f.frames);
}

struct Window {
    int64_t from;
    int64_t to;
};

// Returns the measured window: from the end of the warm-up to the end of the ride. The pointer is
// pushed 14 pixels right of the warp point (a steady turn of about 40 degrees a second, so the rider
// circles over the park).
Window warmUpAndRide(XSession& x, double seconds) {
    sleepMs(static_cast<int>(kWarmUpSeconds * 1000));
    const int64_t start = monotonicNs();
    ride(x, seconds, 514, 500);
    return {start, monotonicNs()};
}

bool waitForChild(pid_t pid, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
        sleepMs(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
}

// One of the bench's GLUT loops under the shim, in the data folder, with its output discarded.
void measureLoop(XSession& x, const std::string& folder, const char* program, const char* title,
                 double seconds, FrameTimes& times) {
    const std::string logPath = folder + "/loop.log";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        setenv("DISPLAY", x.displayName().c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("LD_PRELOAD", SWAP_TIMER_LIBRARY, 1);
        setenv("SWAP_TIMER_LOG", logPath.c_str(), 1);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) return;
    if (!x.waitForWindow(title, 20000)) {
        std::printf("  %s did not open its window\n", program);
        waitForChild(pid, 0);
        return;
    }
    x.moveTo(512, 384);
    const Window window = warmUpAndRide(x, seconds);
    x.key("q");
    if (!waitForChild(pid, 10000)) std::printf("  %s did not stop on q\n", program);
    times.add(readLog(logPath), window.from, window.to);
}

// Start-up: from sending the splash-ending key to the first swap after the one-time
// initialisation, which ends by installing the second display callback.
struct StartUp {
    double totalMs = -1.0;
    double toInitEndMs = -1.0;
    double launchToReadyMs = -1.0;  // from starting the program to its "Ready..." line
};

StartUp startUpTimes(const TimerLog& log, int64_t keySent) {
    StartUp startUp;
    if (log.displayFuncs.size() < 2) return startUp;
    const int64_t initEnd = log.displayFuncs[1];
    const auto firstFrame = std::upper_bound(log.swaps.begin(), log.swaps.end(), initEnd);
    if (firstFrame == log.swaps.end()) return startUp;
    startUp.totalMs = (*firstFrame - keySent) * 1e-6;
    startUp.toInitEndMs = (initEnd - keySent) * 1e-6;
    return startUp;
}

StartUp measureGame(XSession& x, const std::string& folder, double seconds, FrameTimes& times) {
    const std::string logPath = folder + "/game.log";
    const int64_t launched = monotonicNs();
    // Unpaced, as the loops it is compared with.
    RampixProcess app(x.displayName(), folder,
                      {std::string("LD_PRELOAD=") + SWAP_TIMER_LIBRARY, "SWAP_TIMER_LOG=" + logPath}, "",
                      {"--max-fps=0"});
    const bool ready = app.waitForOutput("Ready...\n\n", 20000);
    const double launchToReadyMs = (monotonicNs() - launched) * 1e-6;
    if (!ready || !x.waitForWindow("Rampix", 10000)) {
        std::printf("  the game did not start\n");
        return {};
    }
    x.moveTo(512, 384);
    sleepMs(1000);
    const int64_t keySent = monotonicNs();
    x.keyDown("a");
    x.keyUp("a");
    if (!app.waitForOutput("Prefs.\n", 10000)) {
        std::printf("  the game did not leave the splash\n");
        return {};
    }
    const Window window = warmUpAndRide(x, seconds);
    x.key("q");
    sleepMs(100);
    x.key("q");
    if (app.waitForExit(10000) != 0) std::printf("  the game did not stop cleanly\n");
    const std::string problems = findProblems(app.errors());
    if (!problems.empty()) std::printf("  the game reported: %s", problems.c_str());
    const TimerLog log = readLog(logPath);
    times.add(log, window.from, window.to);
    StartUp startUp = startUpTimes(log, keySent);
    startUp.launchToReadyMs = launchToReadyMs;
    return startUp;
}

// "name=value" with a field name of the settings table.
void setPrefsField(PrefsRecord& prefs, const char* assignment) {
    const char* equals = std::strchr(assignment, '=');
    for (const PrefsField& field : kPrefsFields) {
        if (!equals || std::string(assignment, equals) != field.name) continue;
        if (field.intField)
            prefs.*field.intField = std::atoi(equals + 1);
        else
            prefs.*field.floatField = static_cast<float>(std::atof(equals + 1));
        std::printf("Setting %s\n", assignment);
        return;
    }
    std::printf("Not a setting: %s\n", assignment);
}

double ratio(double a, double b) {
    return b > 0.0 ? a / b : 0.0;
}
}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 12.0;
    const int image = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, 11) : 0;
    const int rounds = argc > 3 ? std::clamp(std::atoi(argv[3]), 1, 10) : 2;
    signal(SIGPIPE, SIG_IGN);

    XSession x(1024, 768);
    ScratchFolder folder;
    if (!x.ok() || folder.path().empty()) {
        std::printf("game_bench: no X server or no scratch folder\n");
        return 1;
    }
    // The defaults, with the terrain image fixed (the game picks Sand or CheckerBoard at random).
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.imageIndex = image;
    prefs.cameraMode = 1;
    for (int i = 4; i < argc; ++i) setPrefsField(prefs, argv[i]);
    if (prefs.savePrefs(folder.file("Rampix").c_str()) != 0) {
        std::printf("game_bench: cannot write the settings file\n");
        return 1;
    }

    std::printf(
        "Frames at 1024 x 768 in Xvfb (Mesa software rendering): %d rounds of terrain and game, each\n"
        "%.0f s of riding after %.1f s of warm-up; default settings, terrain image %d, tessellation %d\n",
        rounds, seconds, kWarmUpSeconds, image, prefs.tessellation);
    std::fflush(stdout);
    FrameTimes floor, terrain, game;
    std::vector<StartUp> startUps;
    measureLoop(x, folder.path(), CLEAR_SWAP_LOOP, "Rampix clear and swap", seconds, floor);
    for (int round = 0; round < rounds; ++round) {
        // Every other round the game goes first, so that a drift in the machine's load favours neither.
        FrameTimes terrainRound, gameRound;
        if (round % 2) startUps.push_back(measureGame(x, folder.path(), seconds, gameRound));
        measureLoop(x, folder.path(), TERRAIN_DRAW_LOOP, "Rampix terrain", seconds, terrainRound);
        if (round % 2 == 0) startUps.push_back(measureGame(x, folder.path(), seconds, gameRound));
        const FrameFigures t = frameFigures(terrainRound), g = frameFigures(gameRound);
        std::printf(
            "  round %d: terrain %.1f FPS, game %.1f FPS; game / terrain: frame time %.3f, processor time "
            "%.3f\n",
            round + 1, t.fps, g.fps, ratio(g.meanMs, t.meanMs), ratio(g.cpuMs, t.cpuMs));
        std::fflush(stdout);
        terrain.add(terrainRound);
        game.add(gameRound);
    }
    const FrameFigures f = frameFigures(floor), t = frameFigures(terrain), g = frameFigures(game);
    std::printf("  %-24s %7s %8s %8s %8s %8s %7s\n", "", "", "mean", "median", "p99", "CPU", "");
    std::printf("  %-24s %7s %8s %8s %8s %8s %7s\n", "", "FPS", "ms", "ms", "ms", "ms", "frames");
    printFigures("clear and swap (floor)", f);
    printFigures("bare terrain draw", t);
    printFigures("full game", g);
    std::printf("Mean frame time ratios: game / terrain %.3f, terrain / floor %.2f, game / floor %.2f\n",
                ratio(g.meanMs, t.meanMs), ratio(t.meanMs, f.meanMs), ratio(g.meanMs, f.meanMs));
    std::printf("Median frame time ratio: game / terrain %.3f\n", ratio(g.medianMs, t.medianMs));
    std::printf("Processor time per frame ratios: game / terrain %.3f, terrain / floor %.2f\n",
                ratio(g.cpuMs, t.cpuMs), ratio(t.cpuMs, f.cpuMs));
    for (const StartUp& startUp : startUps)
        std::printf(
            "Start-up, splash-ending key to first game frame: %.1f ms (%.1f ms to the end of the "
            "initialisation, %.1f ms first frame); launch to \"Ready...\" %.0f ms\n",
            startUp.totalMs, startUp.toInitEndMs, startUp.totalMs - startUp.toInitEndMs,
            startUp.launchToReadyMs);
    return 0;
}
