// Settings stepped by keys stay finite however often a key is pressed, so the picture survives and
// a save never writes infinity into the preference file.
#include <gtest/gtest.h>

#include <cmath>

#include "app/globals.h"
#include "input/key_commands.h"
#include "input/keyboard_state.h"

TEST(StepLimits, RepeatedStepKeysStopAtTheLargestFiniteValue) {
    Prefs.setDefaults();
    for (int i = 0; i < 3000; ++i) {
        for (int key : {'+', '=', ')', ']'}) runKeyCommand(key);
        for (int key : {int{kKeyF2}, 4, 8, 10, int{kKeyHome}}) runSpecialKeyCommand(key);
    }
    for (const float value :
         {Prefs.moveSpeed, Prefs.rotateSpeed, Prefs.lightRotateSpeed, Prefs.objectSize, Prefs.damping,
          Prefs.textureMag, Prefs.fogEnd, Prefs.bumpResponse, Prefs.heightScale}) {
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_GT(value, 1.0e36f) << "the keys still drive the value as far as the float range goes";
    }

    const float largest = Prefs.moveSpeed;
    runKeyCommand('+');
    EXPECT_EQ(Prefs.moveSpeed, largest);
    runKeyCommand('_');
    EXPECT_EQ(Prefs.moveSpeed, static_cast<float>(largest * 0.9)) << "and back down from there";
}
