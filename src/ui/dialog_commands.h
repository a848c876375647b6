// What the menu widgets do when activated, and the name messages of the terrain image and the
// bump option (shared with their keys).
#pragma once

void executeDialogCommand();
void showImageName();
void showBumpOptionName();

extern const char* const kImageNames[12];
extern const char* const kBumpOptionNames[5];
