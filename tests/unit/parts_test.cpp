// The small parts: random numbers, the frame pacer, the help layout, texture
// pixels, values at their edges, and the dialog manager's widget slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "base/frame_pacer.h"
#include "base/math_helpers.h"
#include "base/random.h"
#include "motion/camera.h"
#include "motion/rider.h"
#include "settings/prefs.h"
#include "support/fake_platform.h"
#include "textures/bmp_reader.h"
#include "textures/procedural_texture.h"
#include "textures/texture_catalogue.h"
#include "textures/texture_loader.h"
#include "ui/dialog_manager.h"
#include "ui/help_screens.h"
#include "ui/slider_item.h"

TEST(Random, RangeGivesEveryWholeNumberBelowIt) {
    int seen[2] = {0, 0};
    for (int i = 0; i < 2000; ++i) {
        const int value = static_cast<int>(randomRange(2.0));
        ASSERT_TRUE(value == 0 || value == 1);
        ++seen[value];
    }
    EXPECT_TRUE(seen[0] && seen[1]);
}

namespace {
// The pacer on a clock the test moves by hand: each frame takes some work time, then the pacer sleeps
// (the fake sleep moves the clock to the wake-up time).
int64_t fakeNow = 0;
std::vector<int64_t> wakeUps;
constexpr int64_t kMs = 1000000;

// Runs frames of the given work times (ms) and returns the wake-up times (ms), -1 for no sleep.
std::vector<double> pace(FramePacer& pacer, const std::vector<double>& workMs) {
    std::vector<double> result;
    for (const double work : workMs) {
        fakeNow += static_cast<int64_t>(work * kMs);
        const size_t sleeps = wakeUps.size();
        pacer.endFrame();
        result.push_back(wakeUps.size() > sleeps ? static_cast<double>(wakeUps.back()) / kMs : -1.0);
    }
    return result;
}
FramePacer fakePacer() {
    return FramePacer([] { return fakeNow; },
                      [](int64_t ns) {
                          wakeUps.push_back(ns);
                          fakeNow = std::max(fakeNow, ns);
                      });
}
}  // namespace

TEST(FramePacer, SleepsToAbsoluteDeadlinesAndNeverCatchesUp) {
    FramePacer pacer = fakePacer();
    fakeNow = 1000 * kMs;
    pacer.setRate(50.0, false);  // 20 ms
    // Deadlines 20 ms apart whatever the work; the 45 ms frame is late, so the next starts at once
    // and the deadlines go on from its end, one at a time.
    EXPECT_EQ(pace(pacer, {5, 5, 19, 45, 5, 0}), (std::vector<double>{1025, 1045, 1065, -1, 1130, 1150}));
    EXPECT_TRUE(pacer.sleeping());
    pacer.setRate(60.0, false);  // deadlines exactly 16 666 667 ns apart
    pace(pacer, std::vector<double>(61, 1.0));
    EXPECT_EQ(wakeUps.back() - wakeUps[wakeUps.size() - 61], 60 * 16666667);
    pacer.setRate(0.0, false);
    EXPECT_EQ(pace(pacer, {1, 1, 1}), (std::vector<double>{-1, -1, -1}));
    EXPECT_FALSE(pacer.sleeping());
}

TEST(FramePacer, TrustsAWaitingSwapUntilFramesComeTooFast) {
    FramePacer pacer = fakePacer();
    pacer.setRate(60.0, true);
    // 70 frames a second pass (the screen may run a little faster than it says) ...
    EXPECT_EQ(pace(pacer, std::vector<double>(150, 1000.0 / 70)), std::vector<double>(150, -1.0));
    EXPECT_FALSE(pacer.sleeping());
    // ... but a second of 200 frames shows the swap does not wait, and the pacer takes over.
    pace(pacer, std::vector<double>(201, 5.0));
    EXPECT_TRUE(pacer.sleeping());
    const int64_t lastWakeUp = wakeUps.back();
    pace(pacer, {5.0});
    EXPECT_EQ(wakeUps.back() - lastWakeUp, 16666667);
}

TEST(HelpScreens, LayoutFromTheWindowSizeAndLinesThatFitTheirColumns) {
    const HelpLayout tall = helpLayout(600), low = helpLayout(200);
    const InfoLayout info = infoLayout(1024, 768);
    const int lastOffset = kStandardControlLines[std::size(kStandardControlLines) - 1].yOffset;
    // The second block of a low window starts below it; divisions truncate towards zero.
    EXPECT_EQ(
        (std::vector<int>{tall.titleY, tall.firstBlockY, tall.secondBlockY, tall.secondBlockY + lastOffset,
                          low.titleY, low.firstBlockY, low.secondBlockY, info.x, info.y, info.linesY}),
        (std::vector<int>{552, 529, 254, -91, 184, 161, -113, 256, 729, 687}));
    const auto check = [](const char* text, bool key) {
        const std::string line = text, column = line.substr(0, kHelpKeyColumn);
        EXPECT_LT(line.size(), 80u) << text;
        EXPECT_TRUE(!key ||
                    (column.find_first_not_of(' ') != std::string::npos && column.back() == ' ' &&
                     line.size() > static_cast<size_t>(kHelpKeyColumn) && line[kHelpKeyColumn] != ' '))
            << text;
    };
    for (const HelpLine& line : kSpecialControlLines) check(line.text, line.kind == HelpLineKind::Key);
    for (const HelpLine& line : kStandardControlLines) check(line.text, line.kind == HelpLineKind::Key);
    for (const InfoLine& line : kInfoLines) check(line.text, false);
}

// The procedural patterns; alpha from the brightness ((r + g + b) / 3 truncated) or, with a key, 0 only
// where every channel is below the threshold; the texture catalogue's slots.
TEST(Textures, PatternsPixelsAndTheCatalogue) {
    const int texels[][4] = {{kCheckerboardKind, 0, 0, 0}, {kCheckerboardKind, 8, 0, 255},
                             {kCheckerboardKind, 8, 8, 0}, {kCheckerboardKind, 7, 15, 255},
                             {kGridKind, 0, 5, 255},       {kGridKind, 5, 4, 255},
                             {kGridKind, 5, 5, 0},         {kGridKind, 124, 127, 255}};
    for (const auto& t : texels) EXPECT_EQ(proceduralPattern(t[0], t[1], t[2]), t[3]) << t[1] << "," << t[2];

    BmpImage image;
    std::tie(image.width, image.height) = std::make_pair(4, 1);
    image.rgb = {255, 0, 0, 255, 255, 255, 0, 0, 0, 1, 2, 2};
    const auto luma = makeRgbaPixels(image, -1, 0);
    ASSERT_EQ(luma.size(), 16u);
    EXPECT_EQ(std::make_pair(luma[0], luma[2]), std::make_pair(uint8_t{255}, uint8_t{0}));
    const int expected[3][4] = {{85, 255, 0, 1}, {200, 200, 0, 200}, {200, 200, 0, 0}};
    const auto keyed = makeRgbaPixels(image, 200, 2), keyed3 = makeRgbaPixels(image, 200, 3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(std::make_tuple(luma[i * 4 + 3], keyed[i * 4 + 3], keyed3[i * 4 + 3]),
                  std::make_tuple(expected[0][i], expected[1][i], expected[2][i]))
            << i;

    TextureCatalogue catalogue;
    EXPECT_EQ(catalogue.catalogueTexture(0), 0u);
    for (unsigned name : {7u, 0u, 9u}) catalogue.addToCatalogue(name);  // a failed load keeps its slot
    EXPECT_EQ(std::make_pair(catalogue.textureCount, catalogue.catalogueTexture(2)), std::make_pair(3, 9u));
    for (int slot : {3, -1, 1000000}) EXPECT_EQ(catalogue.catalogueTexture(slot), 0u) << slot;
    for (unsigned name = 100; name < 130; ++name) catalogue.addToCatalogue(name);
    EXPECT_EQ(catalogue.textureCount, TextureCatalogue::kCapacity);
    EXPECT_EQ(std::make_pair(catalogue.catalogueTexture(19), catalogue.catalogueTexture(20)),
              std::make_pair(116u, 0u));
}

// Huge vectors, wrapped angles, the narrowed field of view and shininess from a file.
TEST(EdgeValues, ClampLengthFieldOfViewAndShininess) {
    const float vectors[][7] = {
        {3, 4, 0, 2.5f, 1.5f, 2, 0},
        {0.3f, -0.4f, 0, 10, 0.3f, -0.4f, 0},
        {3e38f, -2e38f, 0, 3.6055513f, 3, -2, 0},
        {FLT_MAX, FLT_MAX, FLT_MAX, 100, 57.735027f, 57.735027f, 57.735027f},
        {0, 0, -2e20f, 10, 0, 0, -10}};  // x, y, z, the limit, and the expected x, y, z
    for (const auto& c : vectors) {
        float x = c[0], y = c[1], z = c[2];
        clampLength(x, y, z, c[3]);
        EXPECT_TRUE(std::fabs(x - c[4]) < 1e-4 && std::fabs(y - c[5]) < 1e-4 && std::fabs(z - c[6]) < 1e-4)
            << c[0] << " gives " << x << "," << y << "," << z;
    }
    const float fovs[][3] = {{100, 3, 89}, {1, 0, 1},  {1, 6, 1},     {30, 6, 1},
                             {44, 6, 1},   {46, 6, 2}, {179, 0, 179}, {400, 0, 179}};
    for (const auto& f : fovs)
        EXPECT_FLOAT_EQ(letterboxedFieldOfView(f[0], static_cast<int>(f[1])), f[2]) << f[0] << " " << f[1];
    EXPECT_EQ((std::vector<float>{wrapAngle(360.0f), wrapAngle(-1.0f), wrapAngle(NAN), wrapAngle(7.2e2f)}),
              (std::vector<float>{360.0f, 359.0f, 0.0f, 360.0f}));
    EXPECT_LE(wrapAngle(3.0e30f), 360.0f);
    for (const auto& [from, to] :
         {std::pair{1e30f, 128.0f}, {129.0f, 128.0f}, {-0.5f, 0.0f}, {-FLT_MAX, 0.0f}, {64.5f, 64.5f}}) {
        PrefsRecord prefs;
        prefs.setDefaults();
        prefs.shininess = from;
        prefs.makeSafe();
        EXPECT_FLOAT_EQ(prefs.shininess, to) << from;
    }
}

TEST(DialogManager, AddItemRefreshesByIdAndStopsAtFifty) {
    DialogManager m;
    EXPECT_EQ(m.addItem(kButtonKind, "A", 5, 0, 0, 30, 30, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(m.addItem(kSliderKind, "B", 6, 0, 0, 140, 24, 1, 0, 2, 0, 1), 1);
    DialogItem* slider = m.item(1);
    EXPECT_EQ(m.addItem(kSliderKind, "B2", 6, 10, 10, 140, 24, 1.5f, 0, 2, 0, 1), 1);
    EXPECT_EQ(m.item(1), slider);
    EXPECT_STREQ(slider->label, "B2");
    EXPECT_FLOAT_EQ(static_cast<SliderItem*>(slider)->value, 1.5f);
    EXPECT_EQ(m.addItem(7, "bad kind", 7, 0, 0, 30, 30, 0, 0, 0, 0, 0), -1);
    for (int id = 100, slot = 2; m.itemCount < DialogManager::kMaxItems; ++id, ++slot)
        ASSERT_EQ(m.addItem(kToggleKind, "T", id, 0, 0, 30, 30, 0, 0, 0, 0, 0), slot);
    EXPECT_EQ(m.addItem(kToggleKind, "T", 999, 0, 0, 30, 30, 0, 0, 0, 0, 0), -1);
    EXPECT_EQ(m.itemCount, 50);
    m.reset();
    EXPECT_EQ(m.item(0), nullptr);
}
