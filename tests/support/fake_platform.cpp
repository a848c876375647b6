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
                [] { ++active->fullScreenCalls; },
                [](int width, int height) { active->reshapes.emplace_back(width, height); },
                [] {},
                [] { ++active->swaps; },
                [](int status) { active->exits.push_back(status); }};
}

FakePlatform::~FakePlatform() {
    platform = previous_;
    active = outer_;
}
