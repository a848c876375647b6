#include "support/fake_platform.h"

namespace {
FakePlatform* active = nullptr;  // the innermost fake alive
}  // namespace

FakePlatform::FakePlatform() : previous_(platform), outer_(active) {
    active = this;
    platform = {[] { return active->elapsedMs; },
                [](int x, int y) { active->warps.emplace_back(x, y); },
                [](CursorShape shape) { active->cursors.push_back(shape); },
                [] { return active->modifiers; },
                [] {
                    ++active->fullScreenCalls;
                    active->windowFullScreen = 1;
                },
                [](int width, int height) {
                    active->reshapes.emplace_back(width, height);
                    active->windowFullScreen = 0;
                },
                [] {},
                [] { ++active->swaps; },
                [](int status) { active->exits.push_back(status); },
                [] { return active->windowFullScreen; }};
}

FakePlatform::~FakePlatform() {
    platform = previous_;
    active = outer_;
}
