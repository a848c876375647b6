// Rides with the real program: one recorded from real X input and played back, the same with one
// event changed, bad ride files refused, and the screenshot key.
#include <gtest/gtest.h>

#include <cstring>

#include "app/ride_recording.h"
#include "input/pointer_state.h"
#include "input/ride_file.h"
#include "support/e2e.h"

namespace {
// A home of its own in the folder, so that screenshots stay there.
std::vector<std::string> homeIn(const std::string& folder) {
    std::filesystem::create_directories(folder + "/home");
    return {"HOME=" + folder + "/home", "XDG_CONFIG_HOME"};
}

// Plays a ride file to its end; "status|standard output|standard error".
std::string replay(XSession& x, const std::string& folder, const std::string& ride) {
    Rampix app(x, folder, homeIn(folder), "", {"--replay", ride});
    const int status = app.waitForExit(120000);
    return std::to_string(status) + "|" + app.output() + "|" + app.errors();
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
}  // namespace

TEST(Rides, ReplayMatchesTheRecordedRideAndSeesAChangedEvent) {
    XSession x;
    ScratchFolder folder;
    const std::string ride = folder.file("first.ride");
    {
        Rampix app(x, folder.path(), homeIn(folder.path()), "", {"--record", ride});
        // Keys typed while the park starts wait for it, and are kept in the ride too.
        ASSERT_EQ(app.passSplash("a"), "");
        x.keyDown("Up");
        for (int step = 0; step < 8; ++step) x.moveTo(520 + 30 * step, 400 - 10 * step), sleepMs(60);
        x.keyUp("Up");
        // Saved, changed, loaded back: the load reads the file that the save wrote.
        pressKeys(x, "exclam minus minus at", 200);
        // The menu: open it, move its focus and change a setting, close it.
        pressKeys(x, "grave Down Right Right grave", 200);
        pressKeys(x, "Left Left k", 100);
        EXPECT_EQ(app.quit(), "");
    }
    Ride recorded;
    std::string why;
    ASSERT_TRUE(readRideFile(ride, recorded, why)) << why;
    // The start found no preference file; then the save, the load of the 172 bytes it wrote, and
    // the screenshot.
    ASSERT_EQ(recorded.outcomes.size(), 4u);
    EXPECT_EQ(std::tie(recorded.outcomes[3].kind, recorded.outcomes[3].status),
              std::tuple(RideOutcomeKind::Screenshot, 0));
    EXPECT_EQ(recorded.outcomes[0].status, 1);
    EXPECT_EQ(recorded.outcomes[1].kind, RideOutcomeKind::PrefsSave);
    EXPECT_EQ(recorded.outcomes[2].kind, RideOutcomeKind::PrefsLoad);
    EXPECT_EQ(recorded.outcomes[2].bytes, readFile(folder.file("Rampix.pref")));
    // Compact: a 10-minute ride of 60 frames a second stays well under 1 MB at this rate.
    EXPECT_LT(readFile(ride).size(), recorded.frames.size() * 16) << recorded.frames.size() << " frames";

    // The preference file is gone: the replay loads what the ride stored and writes nothing.
    std::remove(folder.file("Rampix.pref").c_str());
    const std::string played = replay(x, folder.path(), ride);
    EXPECT_TRUE(has(played, "0|")) << played;
    EXPECT_TRUE(has(played, "\nReplay matches\n")) << played;
    EXPECT_FALSE(std::filesystem::exists(folder.file("Rampix.pref")));
    const auto pictures = std::filesystem::directory_iterator(folder.file("home/Pictures/Rampix"));
    EXPECT_EQ(std::distance(pictures, std::filesystem::directory_iterator()), 1);
    {
        // A live exit key stops a replay; other live keys are ignored.
        Rampix stopped(x, folder.path(), {}, "", {"--replay", ride});
        ASSERT_EQ(stopped.passSplash(nullptr), "");
        pressKeys(x, "r v Escape", 300);
        EXPECT_EQ(stopped.waitForExit(20000), 3);
        EXPECT_TRUE(has(stopped.output(), "\nReplay stopped at frame ")) << stopped.output();
        EXPECT_EQ(stopped.errors(), "");
    }

    // The first '-' becomes '=': the rotation speed goes up instead, and the world soon differs.
    Ride changed = recorded;
    int frame = -1;
    for (size_t f = 0; f < changed.frames.size() && frame < 0; ++f)
        for (int k = 0; k < changed.frames[f].eventCount; ++k) {
            InputEvent& event = changed.events[static_cast<size_t>(changed.frames[f].firstEvent + k)];
            if (event.kind == InputKind::Key && event.code == '-' && frame < 0) {
                event.code = '=';
                frame = static_cast<int>(f);
            }
        }
    ASSERT_GE(frame, 0);
    writeFile(folder.file("changed.ride"), encodeRide(changed));
    const std::string diverged = replay(x, folder.path(), folder.file("changed.ride"));
    const int reported = has(diverged, "Replay diverged at frame ")
                             ? std::stoi(diverged.substr(diverged.find("at frame ") + 9))
                             : -1;
    EXPECT_TRUE(has(diverged, "1|")) << diverged;
    EXPECT_GE(reported, frame) << diverged;
    EXPECT_LE(reported, frame + kDigestFrames) << diverged;
}

namespace {
const std::string kStoredRide = std::string(RAMPIX_SOURCE_DIR) + "/tests/data/rides/park_tour.ride";

// The stored ride anew, from a fixed script of keys and mouse look (no clicks, so the ride plays the
// same in a window of any size): about 25 seconds around the park with the picture, bumps, wire
// frame, letterbox, frame-rate clock and menu changed on the way.
void recordStoredRide(XSession& x) {
    ScratchFolder folder;
    Rampix app(x, folder.path(), {}, "", {"--record", kStoredRide});
    ASSERT_EQ(app.passSplash("space"), "");
    sleepMs(2500);
    for (int lap = 0; lap < 2; ++lap) {
        x.keyDown("Up");
        for (int step = 0; step < 120; ++step) x.moveTo(lap ? 470 : 530, 500), sleepMs(50);
        x.keyUp("Up");
        pressKeys(x, lap ? "w w w l l c" : "i o o c u u d", 300);
    }
    pressKeys(x, "grave Down Down Right grave F12 F11", 300);
    EXPECT_EQ(app.quit(), "");
}
}  // namespace

// With RAMPIX_RENEW_RIDES=1 the stored ride is recorded anew first.
TEST(Rides, TheStoredRideTimesItselfUnpaced) {
    XSession x;
    if (updateRequested("RAMPIX_RENEW_RIDES")) recordStoredRide(x);
    Ride stored;
    std::string why;
    ASSERT_TRUE(readRideFile(kStoredRide, stored, why)) << why;
    ScratchFolder folder;
    Rampix app(x, folder.path(), {}, "", {"--timedemo", kStoredRide});
    ASSERT_EQ(app.waitForExit(120000), 0) << app.output() << app.errors();
    const std::string figures = "Timedemo: " + std::to_string(stored.frames.size()) + " frames in ";
    EXPECT_TRUE(has(app.output(), figures)) << app.output();
    EXPECT_TRUE(has(app.output(), " frames a second; frame time median ")) << app.output();
    // The same ride, not merely a ride: a stored ride that no longer matches the build is renewed.
    EXPECT_TRUE(has(app.output(), "\nReplay matches\n")) << app.output();
    EXPECT_EQ(app.errors(), "");
}

TEST(Rides, BadRideFilesAreRefusedWithOneLine) {
    ScratchFolder folder;  // every kind of bad file is in the ride file's own table test
    Bytes later = readFile(kStoredRide);
    ASSERT_GT(later.size(), 8u);
    later[8] = 9;
    const std::string path = folder.file("later.ride");
    writeFile(path, later);
    EXPECT_EQ(runToTheEnd({RAMPIX_BINARY, "--replay", path}),
              "2||rampix: " + path + ": was made by a later Rampix (its ride version is too new)\n");
    const std::string nowhere = folder.file("none/ride");
    EXPECT_EQ(runToTheEnd({RAMPIX_BINARY, "--record", nowhere}),
              "2||rampix: cannot record into " + nowhere + ": No such file or directory\n");
}

// k writes the frame as a PNG into <pictures>/Rampix, the pictures folder named in the user-dirs
// file; keys typed while the park starts (k among them) act once it has, and standard error stays
// silent (no complaint about modifiers asked for outside an input callback). Where the folder
// cannot be made, the picture fails with its reason on standard error.
TEST(Screenshots, TheKeyWritesAPngIntoThePicturesFolder) {
    XSession x;
    ScratchFolder folder;
    const std::string home = folder.file("home");
    std::filesystem::create_directories(home + "/settings");
    const std::string dirs = "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    writeFile(home + "/settings/user-dirs.dirs", Bytes(dirs.begin(), dirs.end()));
    for (const bool blocked : {false, true}) {
        SCOPED_TRACE(blocked ? "Bilder is a file" : "Bilder can be made");
        if (blocked) std::filesystem::remove_all(home + "/Bilder"), writeFile(home + "/Bilder", Bytes{1});
        Rampix app(x, folder.path(), {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/settings"});
        ASSERT_EQ(app.passSplash(nullptr), "");
        pressKeys(x, "space Alt_L c k", 0);
        ASSERT_TRUE(app.waitForOutput("Dialog Init...\n", 30000));
        sleepMs(1000);
        EXPECT_EQ(app.quit(), "");
        if (blocked) {
            EXPECT_EQ(app.errors(),
                      "rampix: could NOT save the picture: " + home + "/Bilder/Rampix: Not a directory\n");
            continue;
        }
        EXPECT_EQ(app.errors(), "");
        std::vector<std::string> pictures;
        for (const auto& entry : std::filesystem::directory_iterator(home + "/Bilder/Rampix"))
            pictures.push_back(entry.path().string());
        ASSERT_EQ(pictures.size(), 1u);
        EXPECT_TRUE(has(app.output(), "Saved picture " + pictures[0] + "\n")) << app.output();
        const std::string type = runToTheEnd({"/usr/bin/file", "-b", pictures[0]});
        EXPECT_TRUE(has(type, "|PNG image data, 1024 x 768, 8-bit/color RGB")) << type;
    }
}

// A pad button ends the splash as a click does and does nothing else; later its keys act with the
// keyboard's modifiers last seen, and standard error stays silent. The ride shows what reached the
// park.
TEST(Pads, AButtonEndsTheSplashAndPadKeysStaySilent) {
    XSession x;
    ScratchFolder folder;
    const std::string controls = folder.file("pad.txt");
    const auto press = [&controls](const char* line) {
        writeFile(controls + ".new", Bytes(line, line + std::strlen(line)));
        std::rename((controls + ".new").c_str(), controls.c_str());
    };
    const std::string ride = folder.file("pad.ride");
    std::vector<std::string> environment = {"LD_PRELOAD=" RAMPIX_VIRTUAL_PAD_LIBRARY,
                                            "RAMPIX_VIRTUAL_PAD=" + controls};
#ifdef RAMPIX_SANITIZE
    environment.push_back("ASAN_OPTIONS=verify_asan_link_order=0");  // the pad comes before the runtime
#endif
    Rampix app(x, folder.path(), environment, "", {"--record", ride});
    ASSERT_EQ(app.passSplash(nullptr), "");
    sleepMs(500);
    press("a 1\n");  // a kick in the park; here only the end of the splash
    ASSERT_TRUE(app.waitForOutput("Dialog Init...\n", 30000)) << app.output() << app.errors();
    sleepMs(500);
    press("a 0\n");
    sleepMs(300);
    x.keyDown("Alt_L");
    x.key("c");  // the keyboard's Alt seen with a key
    sleepMs(300);
    press("y 1\n");
    sleepMs(300);
    press("y 0\n");
    x.keyUp("Alt_L");
    sleepMs(300);
    EXPECT_EQ(app.quit(), "");
    EXPECT_EQ(app.errors(), "");
    Ride recorded;
    std::string why;
    ASSERT_TRUE(readRideFile(ride, recorded, why)) << why;
    std::string keys;
    for (const InputEvent& event : recorded.events)
        if (event.kind == InputKind::Key)
            keys +=
                std::string(1, static_cast<char>(event.code)) + " " + std::to_string(event.modifiers) + ", ";
    // c with Alt from the keyboard, i from the pad with the modifiers last seen, then q; no kick.
    EXPECT_EQ(keys, "c 4, i -1, q 0, ");
    for (const InputEvent& event : recorded.events)
        EXPECT_FALSE(event.kind == InputKind::PadButton && event.state == kButtonDownEvent);
}
