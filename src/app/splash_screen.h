// The animated emblem shown until the first key or click: three textured square tubes that move,
// turn and change colour along a loop of seven key frames.
#pragma once

class FrameClock;

// One key frame: position, turns about y and then z (degrees), colour.
struct SplashKey {
    float x, y, z;
    float turnY, turnZ;
    float red, green, blue;
};

constexpr int kSplashKeyCount = 7;
constexpr SplashKey kSplashKeys[kSplashKeyCount] = {
    {0.0f, 0.0f, -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f},    // white, far back
    {0.0f, 0.0f, -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f},    // resting there
    {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f},     // red, close up
    {0.0f, 0.0f, -2.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f},    // white, far back
    {0.0f, 0.0f, -0.7f, 90.0f, 90.0f, 0.0f, 1.0f, 0.0f},  // green, turned on its side
    {0.0f, 0.0f, -2.0f, 0.0f, 180.0f, 1.0f, 1.0f, 1.0f},  // white, upside down
    {0.0f, 0.0f, 0.0f, 0.0f, 90.0f, 0.0f, 0.0f, 1.0f},    // blue, close up, a quarter turn
};

class SplashScreen {
  public:
    virtual ~SplashScreen() = default;

    // One splash frame into the square viewport at (x, y) of side size, in window pixels. Leaves the
    // depth test, fog and texturing off; the viewport and matrices stay as the splash set them.
    void draw(float x, float y, float size, const FrameClock& clock);
    // Moves the animation on by dt seconds, wrapping once at the end of the loop.
    void advance(float dt);
    // The key state at animation time t: position eased linearly, turns and colour along a cosine.
    SplashKey keyState(float t) const;

    float fogStart = 0.5f;
    float fogEnd = 3.0f;
    float speed = 2.5f;  // key frames per second
    float nearPlane = 0.1f;
    float farPlane = 4.0f;
    int keyCount = kSplashKeyCount;
    int fieldOfView = 100;
    unsigned texture = 0;
    float animationTime = 0.0f;  // in key frames, 0 up to keyCount
};
