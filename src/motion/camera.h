// The camera's projection: perspective from the rider's field of view, narrowed by the letterbox,
// and the eye placed at the closeness setting behind the rider.
#pragma once

class PrefsRecord;
class Rider;
class ScreenView;

// The far plane stays at least 0.01 beyond the near plane.
void setProjection(const Rider& rider, const PrefsRecord& prefs, const ScreenView& screen);
// The vertical field of view after the letterbox narrowing, kept within 1..179 degrees.
float letterboxedFieldOfView(float fieldOfView, int letterboxLevel);
