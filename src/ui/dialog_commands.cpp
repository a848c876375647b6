#include "ui/dialog_commands.h"

#include "app/globals.h"

const char* const kImageNames[12] = {
    "Image 0/11: Sand",       "Image 1/11: Cloud",      "Image 2/11: Dirt",  "Image 3/11: Marble",
    "Image 4/11: MetalPlate", "Image 5/11: MetalGrain", "Image 6/11: Flame", "Image 7/11: Rock",
    "Image 8/11: Grid",       "Image 9/11: Water",      "Image 10/11: Wood", "Image 11/11: CheckerBoard",
};

const char* const kBumpOptionNames[5] = {
    "Option 0/4: Mounds", "Option 1/4: Rings", "Option 2/4: Rocks", "Option 3/4: Pyramids", "Option 4/4: Playground",
};

void showImageName() {
    if (Prefs.imageIndex >= 0 && Prefs.imageIndex < 12) StatusLine.setText(kImageNames[Prefs.imageIndex]);
}

void showBumpOptionName() {
    if (Prefs.bumpOption >= 0 && Prefs.bumpOption < 5) StatusLine.setText(kBumpOptionNames[Prefs.bumpOption]);
}

void executeDialogCommand() {}
