// Every primitive here has no area or lies outside the view volume, and the fade has alpha 0, so
// neither the colour nor the depth buffer changes. The drawing code is the program's own, so the
// state combinations are exactly those of the game.
#include "app/renderer_warm_up.h"

#include <GL/gl.h>

#include <initializer_list>
#include <memory>

#include "base/screen_view.h"
#include "scene/scene_object.h"
#include "scene/spot_light.h"
#include "settings/prefs.h"
#include "terrain/terrain_surface.h"
#include "ui/font_text.h"

namespace {
void warmUpPoints() {
    glEnable(GL_BLEND);
    for (const float size : {1.0f, 2.0f}) {
        glPointSize(size);
        glBegin(GL_POINTS);
        glColor3f(0.0f, 0.0f, 0.0f);
        glVertex3d(0.0, 0.0, 2.0);  // beyond the far plane of the identity projection
        glEnd();
    }
    glDisable(GL_BLEND);
}

void warmUpTerrain(const PrefsRecord& prefs, unsigned plainTexture, unsigned mipmappedTexture) {
    SpotLight light;
    light.apply();
    // Two by two vertices, all at the origin: the strip has no area.
    auto surface = std::make_unique<TerrainSurface>();
    surface->setResolution(2);
    for (const unsigned texture : {plainTexture, mipmappedTexture}) {
        surface->texture = static_cast<int>(texture);
        glEnable(GL_FOG);
        glEnable(GL_LIGHTING);
        surface->draw(prefs);
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
    }
}

// The font wiring is shared by every text object and unset until start-up sets it.
void warmUpText(unsigned plainTexture) {
    FontText::wire(plainTexture, nullptr, nullptr, nullptr);
    FontText text;
    text.drawText(" ", 0.0f, 0.0f, 0.0f);
    FontText::wire(0, nullptr, nullptr, nullptr);
}
}  // namespace

void warmUpRenderer(unsigned plainTexture, unsigned mipmappedTexture) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    PrefsRecord prefs;
    prefs.setDefaults();
    ScreenView screen;
    screen.width = screen.height = 0;
    screen.setLetterbox(0);
    screen.fade(0.0f);
    warmUpPoints();
    SceneObject3D sprite;
    sprite.texture = static_cast<int>(plainTexture);
    sprite.width = sprite.height = 0.0f;
    sprite.draw(sprite, prefs);
    warmUpTerrain(prefs, plainTexture, mipmappedTexture);
    warmUpText(plainTexture);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}
