// The one-key commands of the keyboard and the function keys, and the follow-up that keeps the
// terrain, the surface texture and an open menu in step after a key.
#pragma once

void runKeyCommand(int key);
void afterKeyCommand(char key);
void runSpecialKeyCommand(int key);
// The right mouse button's pop-up toggle.
void togglePopupMenu();
// The b, B and n counters back to their start values (a settings reset).
void resetKeyCounters();
