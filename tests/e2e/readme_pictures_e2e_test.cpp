// The README's two pictures, taken from the real game on its X server: the park ridden for a moment
// and the pop-up menu over it. With RAMPIX_README_PICTURES=<folder> they are also kept there as
// park.png and menu.png, which is how the README's own pictures in docs/ are renewed:
//   RAMPIX_README_PICTURES=docs build/tests/e2e_tests --gtest_filter='ReadmePictures.*'
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/prefs.h"
#include "support/e2e.h"

namespace {
constexpr int kWidth = 1024, kHeight = 768;

// The whole screen as RGB bytes, top row first.
Bytes screenRgb(XSession& x) {
    Bytes rgb;
    XImage* image =
        XGetImage(x.display(), DefaultRootWindow(x.display()), 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
    if (!image) return rgb;
    for (int y = 0; y < kHeight; ++y)
        for (int col = 0; col < kWidth; ++col) {
            const unsigned long pixel = XGetPixel(image, col, y);
            for (int shift : {16, 8, 0}) rgb.push_back(static_cast<uint8_t>(pixel >> shift));
        }
    XDestroyImage(image);
    return rgb;
}

// How many pixels are near white (the menu's words and frames) in the left part where the menu opens.
int whiteInMenuColumn(const Bytes& rgb) {
    int white = 0;
    for (int y = 200; y < 480; ++y)
        for (int col = 30; col < 260; ++col) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + col) * 3];
            white += p[0] > 200 && p[1] > 200 && p[2] > 200;
        }
    return white;
}

}  // namespace

TEST(ReadmePictures, TheParkRiddenAndThePopUpMenuOverIt) {
    XSession x;
    ScratchFolder folder;
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.imageIndex = 0;  // sand over the playground
    Bytes bytes(PrefsRecord::kFileSize);
    prefs.toBytes(bytes.data());
    writeFile(folder.file("Rampix.pref"), bytes);

    Rampix app(x, folder.path());
    ASSERT_EQ(app.passSplash(), "");
    sleepMs(2500);  // past the fade-in
    x.keyDown("Up");
    sleepMs(1500);
    x.keyUp("Up");
    const Bytes park = screenRgb(x);
    x.key("grave");
    sleepMs(1000);
    const Bytes menu = screenRgb(x);
    EXPECT_EQ(app.quit(), "");

    ASSERT_EQ(park.size(), static_cast<size_t>(kWidth * kHeight * 3));
    ASSERT_EQ(menu.size(), park.size());
    EXPECT_GT(whiteInMenuColumn(menu), 1500) << "the menu's words show";
    EXPECT_LT(whiteInMenuColumn(park) * 10, whiteInMenuColumn(menu)) << "only with the menu open";
    if (const char* pictures = std::getenv("RAMPIX_README_PICTURES")) {
        const std::string out = pictures;
        EXPECT_TRUE(writeFile(out + "/park.png", encodePng(kWidth, kHeight, 3, park)));
        EXPECT_TRUE(writeFile(out + "/menu.png", encodePng(kWidth, kHeight, 3, menu)));
    }
}
