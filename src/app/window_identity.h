// The window's identity for docks, task switchers and window managers: its class (matching the
// desktop entry's StartupWMClass), the process id and the icon in several sizes.
#pragma once

// Called once after the window is made, with its GL context current.
void nameWindow();
