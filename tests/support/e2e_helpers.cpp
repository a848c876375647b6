#include "support/e2e_helpers.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "ui/dialog_menus.h"

namespace {
using Clock = std::chrono::steady_clock;

bool before(Clock::time_point deadline) {
    return Clock::now() < deadline;
}

Clock::time_point inMs(int ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}

// The part of an area that lies on the screenshot.
Area within(const Screenshot& shot, const Area& area) {
    return {std::max(area.x0, 0), std::max(area.y0, 0), std::min(area.x1, shot.width),
            std::min(area.y1, shot.height)};
}

bool isPureGreen(const Screenshot::Rgb& c) {
    return c.g >= 250 && c.r <= 6 && c.b <= 6;
}
}  // namespace

::testing::AssertionResult ParkRun::launch() {
    if (!x.ok()) return ::testing::AssertionFailure() << "no X server";
    app = std::make_unique<RampixProcess>(x.displayName(), folder.path());
    if (!app->waitForOutput("Ready...\n\n", 20000))
        return ::testing::AssertionFailure() << "no \"Ready...\": " << app->output() << app->errors();
    if (!x.waitForWindow("Rampix", 20000)) return ::testing::AssertionFailure() << "no window";
    // Keys go to the window under the pointer: there is no window manager to give it the focus.
    x.moveTo(kScreenWidth / 2, kScreenHeight / 2);
    sleepMs(300);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ParkRun::passSplash() {
    x.key("space");
    if (!app->waitForOutput("Dialog Init...\n", 30000))
        return ::testing::AssertionFailure() << "start-up did not finish: " << app->output() << app->errors();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ParkRun::waitForPark() {
    // The first two seconds of game time fade the picture in, text included; game time runs slower
    // than real time when frames take long. The title crawl of those seconds is pure green only once
    // nothing is blended over it any more.
    const Area titleBand{0, 0, kScreenWidth, kPictureArea.y0};
    for (const auto deadline = inMs(40000); before(deadline); sleepMs(150)) {
        if (findColour(shot(), titleBand, isPureGreen).count >= 5) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the start-up fade-in did not end";
}

::testing::AssertionResult ParkRun::start() {
    ::testing::AssertionResult result = launch();
    if (result) result = passSplash();
    if (result) result = waitForPark();
    return result;
}

::testing::AssertionResult ParkRun::quit() {
    if (!app->running()) return ::testing::AssertionFailure() << "ended early: " << app->errors();
    x.key("q");
    return endsCleanly();
}

::testing::AssertionResult ParkRun::endsCleanly() {
    if (!app->waitForOutput("Fin\n\n", 30000))
        return ::testing::AssertionFailure() << "no \"Fin\": " << app->output() << app->errors();
    const int status = app->waitForExit(15000);
    if (status != 0) return ::testing::AssertionFailure() << "exit status " << status << app->errors();
    const std::string problems = findProblems(app->errors());
    if (!problems.empty()) return ::testing::AssertionFailure() << problems;
    return ::testing::AssertionSuccess();
}

int changedPixels(const Screenshot& a, const Screenshot& b, const Area& wanted, int threshold) {
    if (a.width != b.width || a.height != b.height) return wanted.pixels();
    const Area area = within(a, wanted);
    int count = 0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            const Screenshot::Rgb p = a.at(x, y), q = b.at(x, y);
            if (std::abs(p.r - q.r) > threshold || std::abs(p.g - q.g) > threshold ||
                std::abs(p.b - q.b) > threshold)
                ++count;
        }
    return count;
}

Screenshot waitForChange(XSession& x, const Screenshot& reference, const Area& area, int minPixels,
                         int timeoutMs) {
    Screenshot latest = x.screenshot();
    for (const auto deadline = inMs(timeoutMs);
         before(deadline) && changedPixels(reference, latest, area) <= minPixels;) {
        sleepMs(100);
        latest = x.screenshot();
    }
    return latest;
}

Screenshot waitForSteadyPicture(XSession& x, const Area& area, int maxPixels, int timeoutMs) {
    Screenshot previous = x.screenshot();
    for (const auto deadline = inMs(timeoutMs); before(deadline);) {
        sleepMs(400);
        Screenshot latest = x.screenshot();
        if (changedPixels(previous, latest, area) <= maxPixels) return latest;
        previous = std::move(latest);
    }
    return previous;
}

ColourRegion findColour(const Screenshot& shot, const Area& wanted, const ColourTest& test) {
    const Area area = within(shot, wanted);
    ColourRegion region;
    double sumX = 0.0, sumY = 0.0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            if (!test(shot.at(x, y))) continue;
            if (region.count == 0) {
                region.x0 = region.x1 = x;
                region.y0 = region.y1 = y;
            }
            region.x0 = std::min(region.x0, x);
            region.x1 = std::max(region.x1, x);
            region.y0 = std::min(region.y0, y);
            region.y1 = std::max(region.y1, y);
            sumX += x;
            sumY += y;
            ++region.count;
        }
    if (region.count > 0) {
        region.centreX = sumX / region.count;
        region.centreY = sumY / region.count;
    }
    return region;
}

bool isBlack(const Screenshot::Rgb& c) {
    return c.r <= 8 && c.g <= 8 && c.b <= 8;
}

bool isWhiteText(const Screenshot::Rgb& c) {
    return c.r >= 200 && c.g >= 200 && c.b >= 200;
}

bool isTitleGreen(const Screenshot::Rgb& c) {
    return c.g >= 40 && c.g > c.r + 30 && c.g > c.b + 30;
}

bool isSkyBlue(const Screenshot::Rgb& c) {
    // The sky is (0.3, 0.3, 1.0) times the light's height.
    return c.b >= 40 && c.b > 2 * c.r && c.b > 2 * c.g;
}

bool isStar(const Screenshot::Rgb& c) {
    // Grey-white points, brighter in red and green than even the brightest sky.
    return c.r >= 90 && c.g >= 90 && c.b >= 90 && std::abs(c.r - c.g) < 40 && std::abs(c.b - c.r) < 60;
}

void clickAt(XSession& x, ScreenPoint p, int button) {
    x.moveTo(p.x, p.y);
    sleepMs(250);
    x.buttonDown(button);
    sleepMs(350);
    x.buttonUp(button);
    sleepMs(350);
}

void dragFromTo(XSession& x, ScreenPoint from, ScreenPoint to) {
    x.moveTo(from.x, from.y);
    sleepMs(250);
    x.buttonDown(1);
    sleepMs(350);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        x.moveTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        sleepMs(80);
    }
    sleepMs(400);
    x.buttonUp(1);
    sleepMs(350);
}

std::vector<uint8_t> readPrefsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool waitForPrefsFile(const std::string& path, int timeoutMs) {
    for (const auto deadline = inMs(timeoutMs); before(deadline); sleepMs(50)) {
        if (readPrefsFile(path).size() == PrefsRecord::kFileSize) return true;
    }
    return false;
}

int32_t prefsInt(const std::vector<uint8_t>& bytes, int word) {
    const size_t at = static_cast<size_t>(word) * 4;
    if (bytes.size() < at + 4) return INT32_MIN;
    return static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                (static_cast<uint32_t>(bytes[at + 3]) << 24));
}

float prefsFloat(const std::vector<uint8_t>& bytes, int word) {
    const int32_t bits = prefsInt(bytes, word);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool writePrefsFile(const std::string& path, const PrefsRecord& prefs) {
    uint8_t bytes[PrefsRecord::kFileSize];
    prefs.toBytes(bytes);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    return static_cast<bool>(out);
}

PrefsRecord stillParkPrefs() {
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.cameraMode = 1;
    prefs.imageIndex = 0;
    prefs.lightRotateSpeed = 0.0f;
    prefs.rotateSpeed = 0.0f;
    prefs.moveSpeed = 0.0f;
    return prefs;
}

ScreenPoint MenuWidget::centre() const {
    return {static_cast<int>(left + width / 2), screenRow(lower + height / 2)};
}

int MenuWidget::columnAt(double fraction) const {
    return static_cast<int>(left + fraction * width);
}

float MenuWidget::valueAt(int column) const {
    const float f = (static_cast<float>(column) - left) / width;
    const float range = maxValue - minValue;
    return linear ? f * range + minValue : f * f * range + minValue;
}

MenuWidget menuWidget(int menuNumber, int id) {
    const Menu* menu = findMenu(menuNumber);
    const int y0 = static_cast<int>(kScreenHeight * 0.7);
    for (int i = 0; menu && i < menu->rowCount; ++i) {
        const MenuRow& row = menu->rows[i];
        if (row.id != id) continue;
        const bool slider = row.kind == kSliderKind;
        return {row.kind,
                static_cast<float>(row.x),
                static_cast<float>(y0 - row.below),
                static_cast<float>(slider ? kSliderWidth : kSquareSize),
                static_cast<float>(slider ? kSliderHeight : kSquareSize),
                row.minValue,
                row.maxValue,
                row.integerSteps,
                row.linear};
    }
    ADD_FAILURE() << "menu " << menuNumber << " has no widget " << id;
    return {};
}
