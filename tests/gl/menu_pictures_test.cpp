// The two control menus over the park, against stored pictures: every slider, toggle and button with
// its skin, label and value.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/park_actions.h"
#include "support/fake_platform.h"
#include "support/park_start.h"
#include "support/picture_check.h"
#include "ui/dialog_menus.h"

TEST(MenuPictures, StandardAndCustomControls) {
    GlContext gl(400, 600);
    ASSERT_TRUE(gl.ok());
    FakePlatform fake;
    TempFolder folder(true);
    ASSERT_TRUE(startPark(gl));
    passFadeIn(fake, 20.0f);
    Flags.paused = 1;
    togglePopupMenu(MenuToggleSource::Key);
    for (const int menu : {kStandardMenu, kCustomMenu}) {
        Dialogs.openDialog(menu, 1);
        runFrames(fake, 3);
        EXPECT_LE(pixelsUnlikeStored(gl, menu == kStandardMenu ? "standard_menu" : "custom_menu"), 6) << menu;
    }
}
