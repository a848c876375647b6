#include "support/fake_platform.h"

namespace {
FakePlatform* active = nullptr;

int fakeElapsed() {
    return active ? active->elapsedMs : 0;
}
void fakeWarp(int x, int y) {
    if (active) active->warps.emplace_back(x, y);
}
void fakeCursor(CursorShape shape) {
    if (active) active->cursors.push_back(shape);
}
int fakeModifiers() {
    return active ? active->modifiers : 0;
}
void fakeFullScreen() {
    if (active) ++active->fullScreenCalls;
}
void fakeReshape(int width, int height) {
    if (active) active->reshapes.emplace_back(width, height);
}
void fakeRedisplay() {
    if (active) ++active->redisplays;
}
void fakeSwap() {
    if (active) ++active->swaps;
}
}  // namespace

FakePlatform::FakePlatform() : previous_(platform) {
    active = this;
    platform = {fakeElapsed,    fakeWarp,    fakeCursor,    fakeModifiers,
                fakeFullScreen, fakeReshape, fakeRedisplay, fakeSwap};
}

FakePlatform::~FakePlatform() {
    platform = previous_;
    active = nullptr;
}
