// The small parts: the frame pacer, the texture catalogue and the dialog
// manager's widget slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "base/frame_pacer.h"
#include "support/fake_platform.h"
#include "textures/texture_catalogue.h"
#include "ui/dialog_manager.h"
#include "ui/slider_item.h"

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

// A failed load keeps its slot; slots past the count or the capacity hold no texture.
TEST(TextureCatalogue, SlotsInOrderUpToItsCapacity) {
    TextureCatalogue catalogue;
    EXPECT_EQ(catalogue.catalogueTexture(0), 0u);
    for (unsigned name : {7u, 0u, 9u}) catalogue.addToCatalogue(name);
    EXPECT_EQ(std::make_pair(catalogue.textureCount, catalogue.catalogueTexture(2)), std::make_pair(3, 9u));
    for (int slot : {3, -1, 1000000}) EXPECT_EQ(catalogue.catalogueTexture(slot), 0u) << slot;
    for (unsigned name = 100; name < 130; ++name) catalogue.addToCatalogue(name);
    EXPECT_EQ(catalogue.textureCount, TextureCatalogue::kCapacity);
    EXPECT_EQ(std::make_pair(catalogue.catalogueTexture(19), catalogue.catalogueTexture(20)),
              std::make_pair(116u, 0u));
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
