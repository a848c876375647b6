// The screenshot key: the frame being drawn, as a PNG in the player's pictures folder, under
// "Rampix", named by the date and time.
#pragma once

#include <string>

// The key asks; the picture is taken once the frame is drawn, before its buffer swap.
void requestScreenshot();
void takeScreenshotIfAsked();
