// The splash emblem: key-frame easing and its drawing.
#include "app/splash_screen.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "base/frame_clock.h"
#include "base/math_helpers.h"

namespace {
// The four sides of a square tube of side 0.4 x s along x from -1 to 1; no end caps.
void drawBar(float s) {
    const float half = 0.2f * s;
    for (int turn = 0; turn < 2; ++turn) {
        glPushMatrix();
        glRotatef(90.0f * turn, 1.0f, 0.0f, 0.0f);
        for (float faceZ : {half, -half}) {
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 0.0f);
            glVertex3f(-1.0f, -half, faceZ);
            glTexCoord2f(2.0f, 0.0f);
            glVertex3f(1.0f, -half, faceZ);
            glTexCoord2f(2.0f, 1.0f);
            glVertex3f(1.0f, half, faceZ);
            glTexCoord2f(0.0f, 1.0f);
            glVertex3f(-1.0f, half, faceZ);
            glEnd();
        }
        glPopMatrix();
    }
}

// Two level bars joined by a diagonal one from lower left to upper right.
void drawEmblem() {
    glPushMatrix();
    glTranslatef(0.0f, -0.7f, 0.0f);
    drawBar(1.0f);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0.0f, 0.7f, 0.0f);
    drawBar(1.0f);
    glPopMatrix();
    glPushMatrix();
    glRotatef(45.0f, 0.0f, 0.0f, 1.0f);
    drawBar(0.9f);
    glPopMatrix();
}

int keyIndex(float t, int count) {
    if (!(t >= 0.0f)) return 0;
    if (t >= static_cast<float>(count)) return count - 1;
    return static_cast<int>(t);
}
}  // namespace

void SplashScreen::advance(float dt) {
    animationTime += dt * speed;
    if (animationTime >= keyCount) animationTime -= keyCount;
}

SplashKey SplashScreen::keyState(float t) const {
    const int count = std::clamp(keyCount, 1, kSplashKeyCount);
    float n = t + 1.0f;
    if (n >= count) n -= count;
    // Times outside the loop (a huge step, a negative one) are held at its ends rather than read
    // past the key table.
    const SplashKey& a = kSplashKeys[keyIndex(t, count)];
    const SplashKey& b = kSplashKeys[keyIndex(n, count)];
    const float f = t - std::trunc(t);
    return {linearInterpolate(a.x, b.x, f),         linearInterpolate(a.y, b.y, f),
            linearInterpolate(a.z, b.z, f),         cosineInterpolate(a.turnY, b.turnY, f),
            cosineInterpolate(a.turnZ, b.turnZ, f), cosineInterpolate(a.red, b.red, f),
            cosineInterpolate(a.green, b.green, f), cosineInterpolate(a.blue, b.blue, f)};
}

void SplashScreen::draw(float x, float y, float size, const FrameClock& clock) {
    advance(clock.dt);
    const SplashKey state = keyState(animationTime);
    glColor3f(state.red, state.green, state.blue);

    glViewport(static_cast<int>(x), static_cast<int>(y), static_cast<int>(size), static_cast<int>(size));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, 1.0, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

    glEnable(GL_DEPTH_TEST);
    glFogf(GL_FOG_START, fogStart);
    glFogf(GL_FOG_END, fogEnd);
    glEnable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);

    glPushMatrix();
    glTranslatef(state.x, state.y, state.z);
    glRotatef(state.turnY, 0.0f, 1.0f, 0.0f);
    glRotatef(state.turnZ, 0.0f, 0.0f, 1.0f);
    drawEmblem();
    glPopMatrix();

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
}
