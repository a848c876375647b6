#include "app/command_line.h"

#include <cstdio>
#include <iterator>

#include "base/file_places.h"

namespace {
constexpr const char* kUsage =
    "Usage: rampix [--max-fps=N] [--record|--replay|--timedemo FILE] [GLUT options]\n"
    "       rampix --show-settings | --set NAME=VALUE...\n"
    "       rampix --help | --version\n"
    "A 3-D virtual skatepark on a heightmap.\n"
    "\n"
    "  --max-fps=N      draw at most N frames a second, 10 to 1000, or 0 = as fast as\n"
    "                   possible; by default the screen's refresh rate\n"
    "  --record FILE    keep the ride (every clock reading and input) in FILE as it is played\n"
    "  --replay FILE    play the ride in FILE again at its pace, then say \"Replay matches\"\n"
    "                   (exit status 0) or \"Replay diverged at frame N\" (1); q or Esc stops it\n"
    "  --timedemo FILE  play the ride in FILE as fast as it draws and print the frame rate\n"
    "  --show-settings  print every setting of the preference file as NAME = VALUE\n"
    "  --set NAME=VALUE...  change settings in the preference file and exit\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "GLUT's own options (-display NAME, -geometry WxH+X+Y, -sync, ...) go to GLUT.\n"
    "\n"
    "Rampix reads its images (font_256.bmp, controls_128.bmp, metalplate128.bmp, sand.bmp,\n"
    "cloud2128.bmp, dirt128.bmp, marblewhite128.bmp, metalrough128.bmp, nuclear128.bmp,\n"
    "rocks128.bmp, water128.bmp, wood128.bmp, sun_256.bmp, bump_128.bmp, bump3.bmp) and sounds\n"
    "(WIND2.wav, hit.wav) ";
constexpr const char* kUsageEnd = "The manual: man 6 rampix\n";

// The usage with the folders this run reads from and writes to.
std::string usage() {
    const FilePlaces& places = filePlaces();
    std::string text = kUsage;
    if (places.dataFolder.empty())
        text += "from the working folder, and keeps its settings in Rampix.pref there.\n";
    else
        text += "from\n" + shownFolder(places.dataFolder) + "\nand keeps its settings in " +
                (places.settingsFolder.empty() ? std::string("Rampix.pref in the working folder")
                                               : shownFolder(places.settingsFolder) + "/Rampix.pref") +
                ".\n";
    const std::string pictures = picturesFolder();
    text += "In the game ? shows the keys; k saves the picture in " +
            (pictures.empty() ? std::string("the pictures folder") : pictures) + "/Rampix.\n";
    return text + kUsageEnd;
}

// Below ten frames a second every frame would be a stall, which the game clock shortens: the game
// would run in slow motion.
constexpr int kFewestFps = 10;
constexpr int kMostFps = 1000;

// freeglut's options under X; the first two take a value.
constexpr const char* kGlutOptions[] = {"-display", "-geometry", "-direct", "-indirect",
                                        "-iconic",  "-gldebug",  "-sync"};

CommandLine failure(const std::string& line) {
    CommandLine result;
    result.exitStatus = 2;
    result.message = "rampix: " + line + "\n" + usage();
    return result;
}

// 0 or a whole number from kFewestFps to kMostFps; otherwise -1.
int framesPerSecond(const std::string& text) {
    if (text.empty() || text.size() > 4) return -1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value == 0 || (value >= kFewestFps && value <= kMostFps) ? value : -1;
}

// The ride options: each takes a file; only one of them at a time.
struct RideOption {
    const char* name;
    RideMode mode;
};
constexpr RideOption kRideOptions[] = {
    {"--record", RideMode::Record}, {"--replay", RideMode::Replay}, {"--timedemo", RideMode::Timedemo}};

// "" when the argument at i is no ride option or was taken (i then at its file); else the problem.
std::string takeRideOption(int argc, const char* const* argv, int& i, CommandLine& result, bool& taken) {
    const std::string argument = argv[i];
    for (const RideOption& option : kRideOptions) {
        const std::string name = option.name;
        const bool joined = argument.compare(0, name.size() + 1, name + "=") == 0;
        if (argument != name && !joined) continue;
        taken = true;
        if (result.ride != RideMode::Live) return "only one of --record, --replay and --timedemo at a time";
        std::string file = joined ? argument.substr(name.size() + 1) : (i + 1 < argc ? argv[++i] : "");
        if (file.empty()) return name + " needs a file";
        result.ride = option.mode;
        result.ridePath = file;
    }
    return "";
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        bool glutOption = false;
        for (int g = 0; g < static_cast<int>(std::size(kGlutOptions)); ++g) {
            if (argument != kGlutOptions[g]) continue;
            glutOption = true;
            if (g < 2 && i + 1 < argc) ++i;
        }
        if (glutOption) continue;
        if (argument == "--help" || argument == "-h") {
            result.exitStatus = 0;
            result.message = usage();
            return result;
        }
        if (argument == "--version") {
            result.exitStatus = 0;
            result.message = "rampix " RAMPIX_VERSION "\n";
            return result;
        }
        if (argument == "--show-settings" || argument == "--set") {
            result.exitStatus = 0;
            result.settingsAction = argument == "--set" ? SettingsAction::Set : SettingsAction::Show;
            result.assignments.assign(argv + i + 1, argv + argc);
            if (result.settingsAction == SettingsAction::Set && result.assignments.empty())
                return failure("--set needs at least one NAME=VALUE");
            if (result.settingsAction == SettingsAction::Show && !result.assignments.empty())
                return failure("--show-settings takes no arguments");
            return result;
        }
        bool rideOption = false;
        const std::string rideProblem = takeRideOption(argc, argv, i, result, rideOption);
        if (!rideProblem.empty()) return failure(rideProblem);
        if (rideOption) continue;
        std::string value;
        if (argument.compare(0, 10, "--max-fps=") == 0)
            value = argument.substr(10);
        else if (argument == "--max-fps" && i + 1 < argc)
            value = argv[++i];
        else if (argument == "--max-fps")
            return failure("--max-fps needs a number of frames a second");
        else if (argument[0] == '-')
            return failure("unknown option '" + argument + "'");
        else
            return failure("unexpected argument '" + argument + "'");
        result.maxFps = framesPerSecond(value);
        if (result.maxFps < 0)
            return failure("--max-fps takes 0 or a whole number from 10 to 1000, not '" + value + "'");
    }
    return result;
}

int reportCommandLine(const CommandLine& commandLine) {
    std::fputs(commandLine.message.c_str(), commandLine.exitStatus == 0 ? stdout : stderr);
    return commandLine.exitStatus;
}
