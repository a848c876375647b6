// The perspective projection and the view from the rider.
#include "motion/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "base/screen_view.h"
#include "motion/rider.h"
#include "settings/prefs.h"

float letterboxedFieldOfView(float fieldOfView, int letterboxLevel) {
    const double level = letterboxLevel / 6.0;
    const float shrink = static_cast<float>(level * level);
    return fieldOfView - 44 * shrink;
}

void setProjection(const Rider& rider, const PrefsRecord& prefs, const ScreenView& screen) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect =
        static_cast<double>(screen.width) / (screen.visibleHeight > 0 ? screen.visibleHeight : 1);
    const float farPlane = screen.farPlane + prefs.cameraZ + prefs.objectSize;
    gluPerspective(letterboxedFieldOfView(rider.fieldOfView, screen.letterboxLevel), aspect, screen.nearPlane,
                   farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, prefs.cameraZ, 0.0, 0.0, prefs.cameraZ - 1.0, 0.0, 1.0, 0.0);
}
