// The 3-D part of every frame.
#include "app/world_drawing.h"

#include <GL/gl.h>

#include <cmath>

#include "app/globals.h"
#include "app/park_actions.h"
#include "app/terrain_images.h"
#include "base/random.h"

namespace {
void drawUniverse() {
    glPushMatrix();
    glTranslatef(0.0f, -0.4f, 0.0f);
    const float a1 = AngleWander.wave(1, 0.5f, 720.0f, -360.0f);
    const float a2 = AngleWander.wave(2, 0.5f, 720.0f, -360.0f);
    const float a3 = AngleWander.wave(3, 0.5f, 720.0f, -360.0f);
    glRotatef(a1, 0.0f, 1.0f, 0.0f);
    glRotatef(a2, 1.0f, 0.0f, 0.0f);
    glRotatef(a3, 0.0f, 0.0f, 1.0f);
    Stars.draw();
    glPopMatrix();
}

void copyMaterialSettings() {
    Material& material = Light;
    material.ambient = Prefs.ambient;
    material.diffuse = Prefs.diffuse;
    material.specular = Prefs.specular;
    material.reflective = Prefs.reflective;
    material.shininess = Prefs.shininess;
}

// The wind sounds again a little over 20 s after the last sound of any kind ended.
void maybeBlowWind() {
    const float sinceLastSound = Clock.now - Sounds.lastEndTime;
    const double r = randomRange(20.0);
    if (r + 20.0 < sinceLastSound) Sounds.play("WIND2.wav", 0.1f, 0);
}

void applyTerrainLook() {
    const TerrainImage* look = findTerrainImage(Prefs.imageIndex);
    if (look == nullptr) return;
    Terrain.textureRepeat = look->repeat * Prefs.textureMag;
    Terrain.setRGBA(look->red, look->green, look->blue, look->alpha);
}
}  // namespace

void drawWorld() {
    if (Prefs.universeOn) drawUniverse();
    LightWander.advance(Clock.dt, Prefs.lightRotateSpeed);
    const float lx = LightWander.wave(1, 5.0f, 8.0f, -4.0f);
    const float ly = LightWander.waveShifted(1, 5.0f, 1.5707964f, 8.0f, -4.0f);
    Light.moveTo(lx, ly, 0.0f);
    copyMaterialSettings();
    if (Prefs.spotlightsOn) Light.apply();
    maybeBlowWind();
    drawSceneObjects();
}

void drawSceneObjects() {
    Sun.moveTo(Light.x, Light.y, Light.z);
    updateSkyColour();
    Sun.draw(Skater, Prefs);
    if (Prefs.depthCueFog) {
        glFogf(GL_FOG_START, Prefs.fogStart);
        glFogf(GL_FOG_END, Prefs.fogEnd);
        glEnable(GL_FOG);
    }
    if (Prefs.spotlightsOn) glEnable(GL_LIGHTING);
    applyTerrainLook();
    if (Keyboard.specialKey == kKeyF1 || Keyboard.specialKey == kKeyF2) Skater.damping = Prefs.damping;
    selectTerrainImage();
    Terrain.draw(Prefs);
    if (Prefs.depthCueFog) glDisable(GL_FOG);
    if (Prefs.spotlightsOn) glDisable(GL_LIGHTING);
}

void updateSkyColour() {
    const float t = static_cast<float>((Light.y + 3.0) / 7.0);
    const float b = static_cast<float>(std::sin(t * 1.5707964f));
    Screen.setClearColour(static_cast<float>(0.3 * b), static_cast<float>(0.3 * b), b);
}
