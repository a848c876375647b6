// The gamepad wired to the program's own key and mouse handlers.
#pragma once

// Once a frame, after the clock tick and before the frame's work.
void pollGamepad();
