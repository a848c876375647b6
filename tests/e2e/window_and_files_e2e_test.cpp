// The real program's window after `f` and a resize, with the pointer the look puts back; its refusal of
// frame rates below ten; and its preference file changed and shown from the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <sstream>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
// Waits until the window has this size.
bool waitForSize(XSession& x, int width, int height) {
    int w = 0, h = 0;
    for (const long long end = monotonicMs() + 10000; monotonicMs() < end; sleepMs(50))
        if (x.windowSize("Rampix", w, h) && w == width && h == height) return true;
    return false;
}

// Moves the pointer to (x, y) of the screen and returns where the look left it in the window, once it
// has settled away from there.
std::pair<int, int> pointerAfterLook(XSession& x, int toX, int toY) {
    x.moveTo(toX, toY);
    int px = toX, py = toY;
    for (const long long end = monotonicMs() + 5000; monotonicMs() < end; sleepMs(50))
        if (x.pointerInWindow("Rampix", px, py) && (px != toX || py != toY)) break;
    return {px, py};
}

std::string run(Process& process) {
    const int status = process.waitForExit(20000);
    return std::to_string(status) + "|" + process.output() + "|" + process.errors();
}
std::string rampix(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {RAMPIX_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    Process process(folder.path(), {}, command);
    return run(process);
}
uint32_t wordAt(const Bytes& bytes, size_t offset) {
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = word << 8 | bytes.at(offset + static_cast<size_t>(i));
    return word;
}
}  // namespace

// A preference file that says "window" while the window is full screen: the first f already shows the
// 600 x 600 window, and a save records that state. In a window smaller than the old fixed warp point the
// look keeps the pointer in the middle, so keys still reach the game; full screen again, the middle of
// the screen.
TEST(Window, TheFirstFShowsTheWindowAndTheLookKeepsThePointerInside) {
    XSession x;
    ScratchFolder folder;
    ASSERT_EQ(rampix(folder, {"--set", "fullScreen=0"}).substr(0, 2), "0|");
    Rampix app(x, folder.path());
    ASSERT_EQ(app.passSplash(), "");
    ASSERT_TRUE(waitForSize(x, 1024, 768));
    x.key("f");
    EXPECT_TRUE(waitForSize(x, 600, 600)) << "the first f left the window full screen";
    x.resizeWindow("Rampix", 320, 240);
    ASSERT_TRUE(waitForSize(x, 320, 240));
    EXPECT_EQ(pointerAfterLook(x, 100, 90), std::make_pair(160, 120));
    x.key("f");
    ASSERT_TRUE(waitForSize(x, 1024, 768));
    EXPECT_EQ(pointerAfterLook(x, 100, 90), std::make_pair(512, 384));
    x.key("f");
    ASSERT_TRUE(waitForSize(x, 600, 600));
    pointerAfterLook(x, 100, 90);
    x.key("exclam");
    sleepMs(500);
    EXPECT_EQ(wordAt(readFile(folder.file("Rampix.pref")), 8), 0u) << "fullScreen after leaving full screen";
    EXPECT_EQ(app.quit(), "");
}

// Below ten frames a second the game would run in slow motion: refused like any bad value.
TEST(CommandLine, FrameRatesFromOneToNineAreRefused) {
    ScratchFolder folder(false);
    for (const char* rate : {"1", "9"}) {
        const std::string result = rampix(folder, {std::string("--max-fps=") + rate});
        EXPECT_EQ(result.substr(0, result.find('\n') + 1),
                  std::string("2||rampix: --max-fps takes 0 or a whole number from 10 to 1000, not '") +
                      rate + "'\n");
    }
    const std::string help = rampix(folder, {"--help"});
    EXPECT_NE(help.find("10 to 1000, or 0 = as fast as"), std::string::npos) << help;
}

// --set changes exactly the words named, through the game's own save: the rest of the file stays byte for
// byte, a longer file is cut to its 172 bytes, and a bad name or value, a read-only file (for root too)
// or a file that is no preference file changes nothing. --show-settings prints what the game would read.
TEST(SettingsFromTheCommandLine, SetChangesTheNamedWordsAndShowPrintsThemAll) {
    ScratchFolder folder(false);
    const std::string prefs = folder.file("Rampix.pref");
    const std::string shown = rampix(folder, {"--show-settings"});
    EXPECT_EQ(shown.substr(0, 22), "0|fovDegrees = 100\nful");
    EXPECT_NE(shown.find("\nshininess = 10\n|rampix: Rampix.pref does not exist; these are the defaults\n"),
              std::string::npos)
        << shown;

    PrefsRecord record;
    record.setDefaults();
    record.fovDegrees = 77;
    record.fadeEffect = 0.25f;
    Bytes old(PrefsRecord::kFileSize);
    record.toBytes(old.data());
    Bytes longer = old;
    longer.resize(200, 0xEE);
    writeFile(prefs, longer);
    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=2.5", "fovDegrees=90"}),
              "0|rampix: wrote Rampix.pref with mainSpeed = 2.5, fovDegrees = 90\n|");
    Bytes expected = patched(old, 92, 0x40200000);  // 2.5f
    expected = patched(expected, 4, 90);
    EXPECT_EQ(readFile(prefs), expected);

    const std::string all = rampix(folder, {"--show-settings"});
    std::istringstream lines(all.substr(2));
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line) && line != "|";) names.push_back(line);
    ASSERT_EQ(names.size(), 42u) << all;
    EXPECT_EQ(names[0], "fovDegrees = 90");
    EXPECT_EQ(names[22], "mainSpeed = 2.5");
    EXPECT_EQ(names[29], "fadeEffect = 0.25");
    EXPECT_EQ(names[41], "shininess = 10");

    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } bad[] = {
        {{"--set", "mainSpeed=3", "speed=1"}, "2||rampix: no setting is called 'speed'; nothing written\n"},
        {{"--set", "fovDegrees=180"},
         "2||rampix: fovDegrees takes a whole number from 1 to 179, not '180'; "
         "nothing written\n"},
        {{"--set", "letterbox=1.5"},
         "2||rampix: letterbox takes a whole number from 0 to 6, not '1.5'; "
         "nothing written\n"},
        {{"--set", "fogEnd=inf"}, "2||rampix: fogEnd takes a number, not 'inf'; nothing written\n"},
        {{"--set", "fogEnd"}, "2||rampix: 'fogEnd' is not NAME=VALUE; nothing written\n"},
    };
    for (const auto& c : bad) EXPECT_EQ(rampix(folder, c.arguments), c.error);
    EXPECT_EQ(readFile(prefs), expected);

    chmod(prefs.c_str(), 0444);
    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=3"}),
              "1||rampix: could not save Rampix.pref; it is as it was\n");
    EXPECT_EQ(readFile(prefs), expected);
    struct stat info {};
    EXPECT_EQ(stat(prefs.c_str(), &info) == 0 ? info.st_mode & 07777 : 0u, 0444u);

    chmod(prefs.c_str(), 0644);
    writeFile(prefs, Bytes(100, 'x'));
    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=3"}),
              "1||rampix: Rampix.pref is not a preference file; nothing written\n");
    EXPECT_EQ(readFile(prefs), Bytes(100, 'x'));
}
