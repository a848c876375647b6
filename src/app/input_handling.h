// The one place the park takes its input: the events queued since the last frame (by the GLUT
// callbacks, the game pad or a replayed ride), each handled in arrival order.
#pragma once

#include "input/input_event.h"

// Handles every waiting event, oldest first; a recorded ride keeps each one.
void takeInput();
void handleInputEvent(const InputEvent& event);
