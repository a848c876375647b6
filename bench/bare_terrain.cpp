// The bare terrain frame shared by the terrain loop and the offscreen frame-cost benchmark.
#include "bare_terrain.h"

#include <GL/gl.h>

#include "app/globals.h"
#include "app/world_drawing.h"
#include "motion/camera.h"

namespace {
void lightTheTerrain() {
    lightWander.advance(Clock.dt, Prefs.lightRotateSpeed);
    spotLight.moveTo(lightWander.wave(1, 5.0f, 8.0f, -4.0f),
                     lightWander.waveShifted(1, 5.0f, 1.5707964f, 8.0f, -4.0f), 0.0f);
    spotLight.ambient = Prefs.ambient;
    spotLight.diffuse = Prefs.diffuse;
    spotLight.specular = Prefs.specular;
    spotLight.reflective = Prefs.reflective;
    spotLight.shininess = Prefs.shininess;
    spotLight.apply();
    updateSkyColour();
}
}  // namespace

void drawBareTerrainFrame() {
    Clock.tick();
    Screen.setLetterbox(Prefs.letterbox);
    Screen.applyViewport();
    glClearColor(Screen.clearColour[0], Screen.clearColour[1], Screen.clearColour[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyPolygonMode(Prefs);
    setProjection(rider, Prefs, Screen);
    rider.stepRider(0, 0);
    lightTheTerrain();
    glFogf(GL_FOG_START, Prefs.fogStart);
    glFogf(GL_FOG_END, Prefs.fogEnd);
    glEnable(GL_FOG);
    glEnable(GL_LIGHTING);
    const TerrainLook& look = kTerrainLooks[Prefs.imageIndex];
    terrainSurface.textureRepeat = look.repeat * Prefs.textureMag;
    terrainSurface.setRGBA(look.red, look.green, look.blue, look.alpha);
    terrainSurface.texture =
        static_cast<int>(catalogue.catalogueTexture(catalogue.firstImageTexture + Prefs.imageIndex));
    terrainSurface.draw(Prefs);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    Keyboard.key = 0;
    Keyboard.specialKey = 0;
    Pointer.ageButtons();
}
