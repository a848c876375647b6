// Shared steps of the end-to-end tests: one program run with its X server and working folder, the way
// past the splash into the running park, preference files read and prepared, menu widget positions,
// and measures on screenshots (changed pixels, coloured regions).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/prefs.h"
#include "support/rampix_process.h"
#include "support/x_session.h"

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Screen pixels, y counted down from the top; the right and lower edges are excluded.
struct Area {
    int x0, y0, x1, y1;
    constexpr int pixels() const { return (x1 - x0) * (y1 - y0); }
};

// Everything below the title crawl and the status line, which move on their own.
constexpr Area kPictureArea{0, 130, kScreenWidth, kScreenHeight};
// The ground right in front of the rider.
constexpr Area kLowerThird{0, kScreenHeight * 2 / 3, kScreenWidth, kScreenHeight};

struct ScreenPoint {
    int x, y;
};

// The 2-D overlay counts y upwards from the lower window edge.
inline int screenRow(double overlayY) {
    return kScreenHeight - 1 - static_cast<int>(overlayY);
}

// The program on its own X server, in a working folder that outlives restarts.
class ParkRun {
  public:
    // Starts the program and waits for its window (the splash is showing).
    ::testing::AssertionResult launch();
    // Ends the splash with a key and waits for the last start-up line.
    ::testing::AssertionResult passSplash();
    // Waits until the start-up fade-in is over.
    ::testing::AssertionResult waitForPark();
    ::testing::AssertionResult start();
    // q, the exit fade, "Fin", status 0 and a standard error free of sanitizer and OpenGL reports.
    ::testing::AssertionResult quit();
    // The same checks for a program that was told to end some other way.
    ::testing::AssertionResult endsCleanly();

    std::string prefsPath() const { return folder.file("Rampix.pref"); }
    Screenshot shot() { return x.screenshot(); }

    XSession x;
    ScratchFolder folder;
    std::unique_ptr<RampixProcess> app;
};

// Number of pixels in the area whose colour differs by more than the threshold in some channel.
int changedPixels(const Screenshot& a, const Screenshot& b, const Area& area, int threshold = 40);

// Polls screenshots until the area differs from the reference in more than minPixels pixels; returns
// the last screenshot taken.
Screenshot waitForChange(XSession& x, const Screenshot& reference, const Area& area, int minPixels,
                         int timeoutMs);
// Polls screenshots until two in a row, some time apart, differ in at most maxPixels pixels.
Screenshot waitForSteadyPicture(XSession& x, const Area& area, int maxPixels, int timeoutMs);

using ColourTest = std::function<bool(const Screenshot::Rgb&)>;
struct ColourRegion {
    int count = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // bounding box, inclusive
    double centreX = 0.0, centreY = 0.0;
};
ColourRegion findColour(const Screenshot& shot, const Area& area, const ColourTest& test);

bool isBlack(const Screenshot::Rgb& c);
bool isWhiteText(const Screenshot::Rgb& c);
bool isTitleGreen(const Screenshot::Rgb& c);
bool isSkyBlue(const Screenshot::Rgb& c);
bool isStar(const Screenshot::Rgb& c);

// Pointer actions slow enough for a program that runs a few frames per second: the button is held
// over several frames, so the press and the release land in different frames.
void clickAt(XSession& x, ScreenPoint p, int button = 1);
void dragFromTo(XSession& x, ScreenPoint from, ScreenPoint to);

// The raw preference file (empty when missing) and its words, little-endian.
std::vector<uint8_t> readPrefsFile(const std::string& path);
bool waitForPrefsFile(const std::string& path, int timeoutMs);
int32_t prefsInt(const std::vector<uint8_t>& bytes, int word);
float prefsFloat(const std::vector<uint8_t>& bytes, int word);
bool writePrefsFile(const std::string& path, const PrefsRecord& prefs);
// The defaults, sand, and nothing that moves by itself: light, universe and wander all stand still.
PrefsRecord stillParkPrefs();

// Menu widgets on a 1024 x 768 screen with the dialog at its first place, found by menu and id.
struct MenuWidget {
    int kind;
    float left, lower, width, height;  // overlay pixels
    float minValue, maxValue;
    int integerSteps, linear;
    ScreenPoint centre() const;
    // The pointer column at a fraction of the slider's length.
    int columnAt(double fraction) const;
    // The value a slider takes from a press or drag at a pointer column.
    float valueAt(int column) const;
};
MenuWidget menuWidget(int menuNumber, int id);
