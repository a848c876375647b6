#include "app/world_drawing.h"

#include <GL/gl.h>

#include <cmath>

#include "app/globals.h"
#include "app/startup.h"
#include "base/random.h"

const TerrainLook kTerrainLooks[12] = {
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Sand
    {6.0f, 1.0f, 1.0f, 1.0f, 1.0f},    // Cloud
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Dirt
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Marble
    {10.0f, 1.0f, 0.6f, 0.5f, 1.0f},   // MetalPlate
    {15.0f, 1.0f, 0.85f, 0.7f, 1.0f},  // MetalGrain
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Flame
    {20.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Rock
    {10.0f, 0.0f, 0.0f, 1.0f, 1.0f},   // Grid
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Water
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // Wood
    {10.0f, 1.0f, 1.0f, 1.0f, 1.0f},   // CheckerBoard
};

namespace {
void drawUniverse() {
    glPushMatrix();
    glTranslatef(0.0f, -0.4f, 0.0f);
    const float a1 = angleWander.wave(1, 0.5f, 720.0f, -360.0f);
    const float a2 = angleWander.wave(2, 0.5f, 720.0f, -360.0f);
    const float a3 = angleWander.wave(3, 0.5f, 720.0f, -360.0f);
    glRotatef(a1, 0.0f, 1.0f, 0.0f);
    glRotatef(a2, 1.0f, 0.0f, 0.0f);
    glRotatef(a3, 0.0f, 0.0f, 1.0f);
    starField.draw();
    glPopMatrix();
}

void copyMaterialSettings() {
    Material& material = spotLight;
    material.ambient = Prefs.ambient;
    material.diffuse = Prefs.diffuse;
    material.specular = Prefs.specular;
    material.reflective = Prefs.reflective;
    material.shininess = Prefs.shininess;
}

// The wind sounds again a little over 20 s after the last sound of any kind ended.
void maybeBlowWind() {
    const float sinceLastSound = Clock.now - soundPlayer.lastEndTime;
    const double r = randomRange(20.0);
    if (r + 20.0 < sinceLastSound) soundPlayer.play("WIND2.wav", 0.1f, 0);
}

void applyTerrainLook() {
    if (Prefs.imageIndex < 0 || Prefs.imageIndex > 11) return;
    const TerrainLook& look = kTerrainLooks[Prefs.imageIndex];
    terrainSurface.textureRepeat = look.repeat * Prefs.textureMag;
    terrainSurface.setRGBA(look.red, look.green, look.blue, look.alpha);
}
}  // namespace

void drawWorld() {
    if (Prefs.universeOn) drawUniverse();
    lightWander.advance(Clock.dt, Prefs.lightRotateSpeed);
    const float lx = lightWander.wave(1, 5.0f, 8.0f, -4.0f);
    const float ly = lightWander.waveShifted(1, 5.0f, 1.5707964f, 8.0f, -4.0f);
    spotLight.moveTo(lx, ly, 0.0f);
    copyMaterialSettings();
    if (Prefs.spotlightsOn) spotLight.apply();
    maybeBlowWind();
    drawSceneObjects();
}

void drawSceneObjects() {
    sunSprite.moveTo(spotLight.x, spotLight.y, spotLight.z);
    updateSkyColour();
    sunSprite.draw(rider, Prefs);
    if (Prefs.depthCueFog) {
        glFogf(GL_FOG_START, Prefs.fogStart);
        glFogf(GL_FOG_END, Prefs.fogEnd);
        glEnable(GL_FOG);
    }
    if (Prefs.spotlightsOn) glEnable(GL_LIGHTING);
    applyTerrainLook();
    if (Keyboard.specialKey == kKeyF1 || Keyboard.specialKey == kKeyF2) rider.damping = Prefs.damping;
    selectTerrainImage();
    terrainSurface.draw(Prefs);
    if (Prefs.depthCueFog) glDisable(GL_FOG);
    if (Prefs.spotlightsOn) glDisable(GL_LIGHTING);
}

void updateSkyColour() {
    const float t = static_cast<float>((spotLight.y + 3.0) / 7.0);
    const float b = static_cast<float>(std::sin(t * 1.5707964f));
    Screen.setClearColour(static_cast<float>(0.3 * b), static_cast<float>(0.3 * b), b);
}
