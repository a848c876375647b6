// The perspective projection and the view from the rider.
#include "motion/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <limits>

#include "base/screen_view.h"
#include "motion/rider.h"
#include "settings/prefs.h"

float letterboxedFieldOfView(float fieldOfView, int letterboxLevel) {
    const double level = letterboxLevel / 6.0;
    const float shrink = static_cast<float>(level * level);
    const float narrowed = fieldOfView - 44 * shrink;
    // Zero, negative or straight angles would freeze the picture or turn it upside down.
    if (!(narrowed >= 1.0f)) return 1.0f;
    return narrowed > 179.0f ? 179.0f : narrowed;
}

void setProjection(const Rider& rider, const PrefsRecord& prefs, const ScreenView& screen) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect =
        static_cast<double>(screen.width) / (screen.visibleHeight > 0 ? screen.visibleHeight : 1);
    float farPlane = screen.farPlane + prefs.cameraZ + prefs.objectSize;
    if (!(farPlane >= screen.nearPlane + 0.01f)) farPlane = screen.nearPlane + 0.01f;
    if (farPlane > std::numeric_limits<float>::max()) farPlane = std::numeric_limits<float>::max();
    gluPerspective(letterboxedFieldOfView(rider.fieldOfView, screen.letterboxLevel), aspect, screen.nearPlane,
                   farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The eye sits at the closeness setting, looking down -z with y up. A plain translation, not a
    // look-at: a huge closeness would make a look-at's eye and centre equal and its view degenerate.
    glTranslated(0.0, 0.0, -static_cast<double>(prefs.cameraZ));
}
