// The README's two pictures, park.png and menu.png, taken by the game's own picture key; renewed with
//   RAMPIX_README_PICTURES=docs build/tests/e2e_tests --gtest_filter='ReadmePictures.*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/e2e.h"

TEST(ReadmePictures, TheParkRiddenAndThePopUpMenuOverIt) {
    XSession x;
    ScratchFolder folder;
    const std::string home = folder.file("home");
    std::filesystem::create_directories(home);
    // Sand over the playground, not a ground picture drawn at random.
    ASSERT_EQ(Process(folder.path(), {}, {RAMPIX_BINARY, "--set", "imageIndex=0"}).waitForExit(20000), 0);
    Rampix app(x, folder.path(), {"HOME=" + home, "XDG_CONFIG_HOME"});
    ASSERT_EQ(app.passSplash(), "");
    sleepMs(2500);  // past the fade-in
    x.keyDown("Up");
    sleepMs(1500);
    x.keyUp("Up");
    pressKeys(x, "grave k grave", 1000);  // the menu's picture
    sleepMs(2500);                        // the park's, once the first one's message is gone
    pressKeys(x, "k", 1000);
    EXPECT_EQ(app.quit(), "");
    std::vector<std::string> pictures;
    for (const auto& entry : std::filesystem::directory_iterator(home + "/Pictures/Rampix"))
        pictures.push_back(entry.path().string());
    std::sort(pictures.begin(), pictures.end());
    ASSERT_EQ(pictures.size(), 2u);  // what the picture key writes is checked with the key
    if (const char* keep = std::getenv("RAMPIX_README_PICTURES")) {
        std::filesystem::copy_file(pictures[0], std::string(keep) + "/menu.png",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(pictures[1], std::string(keep) + "/park.png",
                                   std::filesystem::copy_options::overwrite_existing);
    }
}
