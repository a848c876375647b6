// The rider: the skater who is also the camera. Kicks, key thrust, drag, gravity, the push of the
// slopes and the bounce at the border of the terrain, and the view angles of the three camera modes.
#pragma once

#include "scene/scene_object.h"

class FrameClock;
class KeyboardState;
class PointerState;
class PrefsRecord;
class TerrainSurface;
class WaveGenerator;

class Rider : public SceneObject3D {
  public:
    // Back to the start of a ride: at the western edge looking east, at rest.
    void resetRide(const PrefsRecord& prefsRecord);

    // One frame: camera look, view rotation, kick, thrust, movement, border, ground and drag, and
    // finally the view translation. Runs with the camera's modelview matrix current.
    void stepRider(int paused, int menuActive);
    void look(int paused);
    void readViewAxes();
    void kick();
    void thrust(const KeyboardState& keyState);
    void applyDrag(float factor);

    WaveGenerator* positionWander = nullptr;
    WaveGenerator* angleWander = nullptr;
    float fieldOfView = 90.0f;
    float damping = 1.0f;
    float maxSpeed = 10.0f;
    float forwardAxis[3] = {0.0f, 0.0f, 0.0f};
    float leftAxis[3] = {0.0f, 0.0f, 0.0f};
    float downAxis[3] = {0.0f, 0.0f, 0.0f};
    float wanderPositionRate = 20.0f;
    float wanderAngleRate = 2.0f;
    float wanderRange = 1.0f;
    const PrefsRecord* prefs = nullptr;
    const FrameClock* clock = nullptr;
    PointerState* pointer = nullptr;
    const KeyboardState* keys = nullptr;
    const TerrainSurface* ground = nullptr;
    float viewMatrix[16] = {};
};

// Brings an angle into 0..360 (360 itself stays); a non-finite angle becomes 0.
float wrapAngle(float degrees);
