// The real program's window after `f` and a resize, with the pointer the look puts back; its refusal of
// frame rates below ten; and its preference file changed and shown from the command line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
bool waitForSize(XSession& x, int width, int height) {
    int w = 0, h = 0;
    for (const long long end = monotonicMs() + 10000; monotonicMs() < end; sleepMs(50))
        if (x.windowSize("Rampix", w, h) && w == width && h == height) return true;
    return false;
}

// Where the look leaves the pointer (in window coordinates) after it is moved to (toX, toY) of the screen.
std::pair<int, int> pointerAfterLook(XSession& x, int toX, int toY) {
    x.moveTo(toX, toY);
    int px = toX, py = toY;
    for (const long long end = monotonicMs() + 5000; monotonicMs() < end; sleepMs(50))
        if (x.pointerInWindow("Rampix", px, py) && (px != toX || py != toY)) break;
    return {px, py};
}

// "status|standard output|standard error" of the real program run in the folder.
std::string rampix(const ScratchFolder& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), RAMPIX_BINARY);
    Process process(folder.path(), {}, arguments);
    const int status = process.waitForExit(20000);
    return std::to_string(status) + "|" + process.output() + "|" + process.errors();
}
}  // namespace

// A preference file that says "window" while the window is full screen: the first f already shows the
// 600 x 600 window, and a save records that state. In a window smaller than the old fixed warp point
// (500, 500) the look keeps the pointer in the middle, so the keys still reach the game; full screen
// again, the middle of the screen.
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
    x.key("exclam");
    x.key("f");
    ASSERT_TRUE(waitForSize(x, 1024, 768));
    EXPECT_EQ(pointerAfterLook(x, 100, 90), std::make_pair(512, 384));
    EXPECT_EQ(readFile(folder.file("Rampix.pref")).at(8), 0) << "fullScreen after leaving full screen";
    EXPECT_EQ(app.quit(), "");
}

// Below ten frames a second the game would run in slow motion: refused like any bad value.
TEST(CommandLine, FrameRatesFromOneToNineAreRefused) {
    ScratchFolder folder(false);
    for (const std::string rate : {"1", "9"})
        EXPECT_EQ(rampix(folder, {"--max-fps=" + rate}).substr(0, 72),
                  "2||rampix: --max-fps takes 0 or a whole number from 10 to 1000, not '" + rate + "'\n");
}

// --set changes exactly the words named through the game's own save (a longer file is cut to its 172
// bytes); a bad name or value, a read-only file (for root too) or a file that is no preference file
// changes nothing. --show-settings prints all 42 fields the game would read.
TEST(SettingsFromTheCommandLine, SetChangesTheNamedWordsAndShowPrintsThemAll) {
    ScratchFolder folder(false);
    const std::string prefs = folder.file("Rampix.pref");
    EXPECT_NE(
        rampix(folder, {"--show-settings"}).find("\n|rampix: Rampix.pref does not exist; these are the"),
        std::string::npos);
    PrefsRecord record;
    record.setDefaults();
    Bytes old(PrefsRecord::kFileSize);
    record.toBytes(old.data());
    Bytes longer = old;
    longer.resize(200, 0xEE);
    writeFile(prefs, longer);
    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=2.5", "fovDegrees=90"}),
              "0|rampix: wrote Rampix.pref with mainSpeed = 2.5, fovDegrees = 90\n|");
    const Bytes expected = patched(patched(old, 92, 0x40200000), 4, 90);
    EXPECT_EQ(readFile(prefs), expected);
    const std::string shown = rampix(folder, {"--show-settings"});
    EXPECT_EQ(shown.substr(0, 20), "0|fovDegrees = 90\nfu");
    EXPECT_NE(shown.find("\nmainSpeed = 2.5\nheightScale = 1\n"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 17), "\nshininess = 10\n|");

    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=3", "speed=1"}),
              "2||rampix: no setting is called 'speed'; nothing written\n");
    EXPECT_EQ(rampix(folder, {"--set", "fovDegrees=180"}),
              "2||rampix: fovDegrees takes a whole number from 1 to 179, not '180'; nothing written\n");
    chmod(prefs.c_str(), 0444);
    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=3"}),
              "1||rampix: could not save Rampix.pref; it is as it was\n");
    struct stat info {};
    EXPECT_EQ(stat(prefs.c_str(), &info) == 0 ? info.st_mode & 07777 : 0u, 0444u);
    EXPECT_EQ(readFile(prefs), expected);
    chmod(prefs.c_str(), 0644);
    writeFile(prefs, Bytes(100, 'x'));
    EXPECT_EQ(rampix(folder, {"--set", "mainSpeed=3"}),
              "1||rampix: Rampix.pref is not a preference file; nothing written\n");
    EXPECT_EQ(readFile(prefs), Bytes(100, 'x'));
}
