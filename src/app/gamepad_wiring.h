// The gamepad wired into the program's input: its presses become queued input events.
#pragma once

// Once a frame, after the clock tick and before the frame takes its input.
void pollGamepad();
// During the splash: whether a pad button was pressed, which ends the splash as a click does and
// does nothing else.
bool pollGamepadOnSplash();
