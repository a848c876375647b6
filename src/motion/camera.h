// The camera's projection: perspective from the rider's field of view, narrowed by the letterbox,
// and the eye placed at the closeness setting behind the rider.
#pragma once

class PrefsRecord;
class Rider;
class ScreenView;

void setProjection(const Rider& rider, const PrefsRecord& prefs, const ScreenView& screen);
// The vertical field of view after the letterbox narrowing.
float letterboxedFieldOfView(float fieldOfView, int letterboxLevel);
