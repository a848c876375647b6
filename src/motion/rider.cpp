// The rider's motion over the terrain and its look.
#include "motion/rider.h"

#include <GL/gl.h>

#include <cmath>

#include "base/frame_clock.h"
#include "base/math_helpers.h"
#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "motion/wave_generator.h"
#include "settings/prefs.h"
#include "terrain/terrain_surface.h"

float wrapAngle(float degrees) {
    if (!std::isfinite(degrees)) return 0.0f;
    if (std::fabs(degrees) > 720.0f) degrees = std::fmod(degrees, 360.0f);
    while (degrees > 360.0f) degrees -= 360.0f;
    while (degrees < 0.0f) degrees += 360.0f;
    return degrees;
}

namespace {
// The rider bounces off the border of the terrain, keeping a fifth of its speed.
void bounceAtBorder(float& position, float& velocity, float half) {
    if (position < -half) {
        position = -half;
        velocity = -velocity * 0.2f;
    }
    if (position > half) {
        position = half;
        velocity = -velocity * 0.2f;
    }
}

// Extreme but finite settings can overflow a step: a velocity that is no number any more stops,
// and a position that is none stays where the step began.
void keepFinite(float& position, float& velocity, float startPosition) {
    if (!std::isfinite(velocity)) velocity = 0.0f;
    if (!std::isfinite(position)) position = startPosition;
}
}  // namespace

void Rider::resetRide(const PrefsRecord& prefsRecord) {
    moveTo(-3.0f, 0.0f, 0.0f);
    vx = vy = vz = 0.0f;
    pitch = 0.0f;
    heading = 90.0f;
    fieldOfView = static_cast<float>(prefsRecord.fovDegrees);
    damping = prefsRecord.damping;
}

void Rider::look(int paused) {
    switch (prefs->cameraMode) {
        case kCameraAuto:
            pointer->moved = 0;
            if (!paused) {
                pitch = angleWander->wave(0, wanderAngleRate, 40.0f, -20.0f);
                heading = angleWander->wave(1, wanderAngleRate, 400.0f, -200.0f);
                const float offset = -wanderRange * 0.5f;
                x = positionWander->wave(0, wanderPositionRate, wanderRange, offset);
                y = positionWander->wave(1, wanderPositionRate, wanderRange, offset);
                z = positionWander->wave(2, wanderPositionRate, wanderRange, offset);
            }
            break;
        case kCameraManual:
            if (pointer->moved) {
                pitch = static_cast<float>(pitch + pointer->y * 0.15 * prefs->mouseSensitivity);
                heading = static_cast<float>(heading + pointer->x * 0.15 * prefs->mouseSensitivity);
                pitch = wrapAngle(pitch);
                heading = wrapAngle(heading);
                pointer->warpToCentre();
                pointer->moved = 0;
            }
            break;
        case kCameraHold:
            pointer->moved = 0;
            break;
        default:
            break;
    }
}

void Rider::readViewAxes() {
    glGetFloatv(GL_MODELVIEW_MATRIX, viewMatrix);
    const float* m = viewMatrix;
    for (int i = 0; i < 3; ++i) {
        leftAxis[i] = -m[i * 4];
        downAxis[i] = -m[i * 4 + 1];
        forwardAxis[i] = -m[i * 4 + 2];
    }
}

void Rider::kick() {
    const float t = 2 * clock->dt * prefs->moveSensitivity;
    vx += t * forwardAxis[0];
    vy += t * forwardAxis[1];
    vz += t * forwardAxis[2];
    clampLength(vx, vy, vz, 2 * maxSpeed);
}

void Rider::thrust(const KeyboardState& keyState) {
    float t = 2 * clock->dt * prefs->moveSensitivity;
    if (keyState.altDown) t *= 10;
    const struct {
        int bit;
        const float* axis;
        float sign;
    } pushes[] = {{kMoveLeft, leftAxis, 1.0f},       {kMoveRight, leftAxis, -1.0f},
                  {kMoveForward, forwardAxis, 1.0f}, {kMoveBack, forwardAxis, -1.0f},
                  {kMoveUp, downAxis, -1.0f},        {kMoveDown, downAxis, 1.0f}};
    for (const auto& push : pushes) {
        if (!(keyState.moveKeys & push.bit)) continue;
        vx += push.sign * t * push.axis[0];
        vy += push.sign * t * push.axis[1];
        vz += push.sign * t * push.axis[2];
    }
    clampLength(vx, vy, vz, keyState.altDown ? 10 * maxSpeed : maxSpeed);
}

void Rider::applyDrag(float factor) {
    const float k = factor == 1.0f ? static_cast<float>(1.0 - damping * 0.2 * clock->dt)
                                   : static_cast<float>(1.0 - factor * clock->dt);
    vx *= k;
    vy *= k;
    vz *= k;
}

void Rider::stepRider(int paused, int menuActive) {
    const int manual = prefs->cameraMode == kCameraManual;
    const float dt = clock->dt;
    look(paused);
    const float startX = x, startY = y, startZ = z;
    glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    readViewAxes();
    if (pointer->leftButton != 0 && !menuActive) kick();
    if (manual && keys->moveKeys != 0 && !menuActive) thrust(*keys);
    clampLength(vx, vy, vz, keys->altDown ? 10 * maxSpeed : maxSpeed);
    if (!paused && manual) integrate(dt, *prefs);

    const float extent = ground->extent;
    bounceAtBorder(x, vx, extent * 0.5f);
    bounceAtBorder(z, vz, extent * 0.5f);

    const float u = static_cast<float>(x * (1 / extent) + 0.5);
    const float v = static_cast<float>(z * (1 / extent) + 0.5);
    const float groundHeight = static_cast<float>(ground->heightAt(u, v) * prefs->heightScale + 0.15);
    float sx = 0.0f, sz = 0.0f;
    ground->slopeAt(u, v, sx, sz);
    if (y < groundHeight && manual) {
        const float k = prefs->heightScale * 30 * prefs->bumpResponse * dt;
        y = groundHeight;
        vx += sx * k;
        vz += sz * k;
    } else if (!paused && y > groundHeight && manual) {
        vy -= prefs->lightRotateSpeed * 10 * dt;
    }

    applyDrag(pointer->middleButton != 0 ? 5.0f : 1.0f);
    keepFinite(x, vx, startX);
    keepFinite(y, vy, startY);
    keepFinite(z, vz, startZ);
    glTranslatef(-x, -y, -z);
}
