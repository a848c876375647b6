// The bare terrain frame shared by the terrain loop and the offscreen frame-cost benchmark.
#include "bare_terrain.h"

#include <GL/gl.h>

#include "app/globals.h"
#include "app/park_actions.h"
#include "app/terrain_images.h"
#include "app/world_drawing.h"
#include "motion/camera.h"

namespace {
void lightTheTerrain() {
    LightWander.advance(Clock.dt, Prefs.lightRotateSpeed);
    Light.moveTo(LightWander.wave(1, 5.0f, 8.0f, -4.0f),
                 LightWander.waveShifted(1, 5.0f, 1.5707964f, 8.0f, -4.0f), 0.0f);
    Light.ambient = Prefs.ambient;
    Light.diffuse = Prefs.diffuse;
    Light.specular = Prefs.specular;
    Light.reflective = Prefs.reflective;
    Light.shininess = Prefs.shininess;
    Light.apply();
    updateSkyColour();
}
}  // namespace

void drawBareTerrainFrame() {
    Clock.tick();
    Screen.setLetterbox(Prefs.letterbox);
    Screen.applyViewport();
    glClearColor(Screen.clearColour[0], Screen.clearColour[1], Screen.clearColour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyPolygonMode(Prefs.polygonMode);
    setProjection(Skater, Prefs, Screen);
    Skater.stepRider(0, 0);
    lightTheTerrain();
    glFogf(GL_FOG_START, Prefs.fogStart);
    glFogf(GL_FOG_END, Prefs.fogEnd);
    glEnable(GL_FOG);
    glEnable(GL_LIGHTING);
    const TerrainImage& look = kTerrainImages[Prefs.imageIndex];
    Terrain.textureRepeat = look.repeat * Prefs.textureMag;
    Terrain.setRGBA(look.red, look.green, look.blue, look.alpha);
    selectTerrainImage();
    Terrain.draw(Prefs);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    Keyboard.key = 0;
    Keyboard.specialKey = 0;
    Pointer.ageButtons();
}
