#include "input/key_commands.h"

#include "app/globals.h"

namespace {
void requestExit() {
    exitStartTime = exitStartTime == 0.0f ? Clock.now : Clock.now - 5.0f;
    helpVisible = 0;
}
}  // namespace

void runKeyCommand(int key) {
    switch (key) {
        case 27:
        case 'q':
        case 'Q':
            requestExit();
            break;
        default:
            break;
    }
}

void afterKeyCommand(char) {}

void runSpecialKeyCommand(int) {}

void togglePopupMenu() {}

void resetKeyCounters() {}
