// Start-up: the fixed graphics state, the splash frames, the one-time initialisation, the settings
// reset and the orderly stop.
#include "app/startup.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/globals.h"
#include "app/park_actions.h"
#include "app/ride_recording.h"
#include "app/terrain_images.h"
#include "base/platform.h"
#include "base/random.h"
#include "textures/procedural_texture.h"
#include "textures/texture_loader.h"
#include "ui/dialog_item.h"
#include "ui/dialog_menus.h"

namespace {
int prefsLoadedOnce = 0;

// The catalogue after the font and the splash texture, in slot order: the two generated patterns,
// the widget skin, the ground pictures (a generated one repeats its pattern's slot) and the sun.
void loadCatalogueImages() {
    Catalogue.addToCatalogue(makeProceduralTexture(kGridKind, 0));
    Catalogue.addToCatalogue(makeProceduralTexture(kCheckerboardKind, 0));
    Catalogue.addToCatalogue(loadBmpTexture("controls_128.bmp", -1, 0, 1));
    Catalogue.firstImageTexture = Catalogue.textureCount;
    for (const TerrainImage& image : kTerrainImages) {
        if (image.fileName)
            Catalogue.addToCatalogue(loadBmpTexture(image.fileName, -1, 0, image.mipmapped));
        else
            Catalogue.addToCatalogue(Catalogue.catalogueTexture(image.patternSlot));
    }
    Catalogue.addToCatalogue(loadBmpTexture("sun_256.bmp", -1, 0, 0));
}

void setUpStarField() {
    Stars.blendOn = 1;
    Stars.depthTestOn = 0;
    Stars.depthWriteOn = 0;
    Stars.layers = 2;
    Stars.shape = 1;
    Stars.outerRadius = 4.0f;
    Stars.innerRadius = 3.0f;
    Stars.colourBase = 0.2f;
    Stars.colourRange = 0.5f;
    Stars.build(2000 / Stars.layers);
}

void placeTextObjects() {
    DialogItem::skinTexture = static_cast<int>(Catalogue.catalogueTexture(kControlsSlot));
    DialogItem::dialogText = &DialogText;
    DialogText.x = 0.0f;
    DialogText.y = 0.0f;
    DialogText.alphaRef = 0.05f;
    DialogText.blendOn = 0;
    FontText::wire(Catalogue.catalogueTexture(kFontSlot), &Clock, &TextWaves, &Screen);
    StatusLine.size = 10.0f;
    StatusLine.x = 20.0f;
    StatusLine.y = static_cast<float>(Screen.height - 20);
    ErrorText.x = static_cast<float>(0.4 * Screen.width);
    ErrorText.y = static_cast<float>(Screen.height - 20);
    ErrorText.setColour(1.0f, 1.0f, 0.0f);
    TitleText.swayOn = 1;
    TitleText.waveOn = 1;
    TitleText.setColour(0.0f, 1.0f, 0.0f);
}

void wireRider() {
    Skater.prefs = &Prefs;
    Skater.clock = &Clock;
    Skater.pointer = &Pointer;
    Pointer.screen = &Screen;
    Skater.keys = &Keyboard;
    Skater.ground = &Terrain;
}

void setUpWaveGenerators() {
    PositionWander.reset(10);
    AngleWander.reset(4);
    Skater.positionWander = &PositionWander;
    Skater.angleWander = &AngleWander;
    Skater.wanderRange = 3.0f;
    LightWander.reset(4);
    LightWander.held[1] = 1;
    TextWaves.reset(8);
}

void setUpSunSprite() {
    Sun.texture = static_cast<int>(Catalogue.catalogueTexture(kSunSlot));
    Sun.width = Sun.height = Sun.depth = 0.1f;
    Sun.depthTest = 1;
    Sun.depthWrite = 1;
    Sun.billboard = 1;
}

void wireDialogManager() {
    Dialogs.pointer = &Pointer;
    Dialogs.keys = &Keyboard;
    Dialogs.prefs = &Prefs;
    Dialogs.screen = &Screen;
    Dialogs.pausedFlag = &Flags.paused;
    Dialogs.soundOnFlag = &Sounds.enabled;
    Dialogs.infoVisibleFlag = &Flags.infoVisible;
    Dialogs.text = &DialogText;
}

}  // namespace

void printProgress(const char* line) {
    std::fputs(line, stdout);
    std::fflush(stdout);
}

void initGraphicsState() {
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 50.0f);
    glShadeModel(GL_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.0f);
    glDisable(GL_DITHER);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_START, 0.1f);
    glFogf(GL_FOG_END, 2.0f);
    glHint(GL_FOG_HINT, GL_NICEST);
    Catalogue.addToCatalogue(loadBmpTexture("font_256.bmp", -1, 0, 0));
    Catalogue.addToCatalogue(loadBmpTexture("metalplate128.bmp", -1, 0, 1));
    Splash.texture = Catalogue.catalogueTexture(kSplashSlot);
    Screen.nearPlane = 0.01f;
    Screen.farPlane = 9.0f;
    platform.setCursor(CursorShape::None);
}

void drawSplashFrame() {
    Clock.tick();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Splash.draw(static_cast<float>(Screen.width * 0.5 - Screen.height * 0.4),
                static_cast<float>(Screen.height * 0.1), static_cast<float>(Screen.height * 0.8), Clock);
}

void initOnce() {
    printProgress("Init Once...\n");
    loadCatalogueImages();
    setUpStarField();
    placeTextObjects();
    wireRider();
    setUpWaveGenerators();
    printProgress("Particle Init...\n");
    setUpSunSprite();
    // The park's time begins with its first sound, the start-up wind, on the clock the later gusts
    // are timed by; the splash before it does not count.
    Clock.restart();
    Sounds.clock = &Clock;
    Sounds.output.start();
    Sounds.play("WIND2.wav", 2.0f, 1);
    HeightGrid.heights = HeightCells;
    HeightGrid.generate(Heightmap::kPlayground, 128);
}

void initVars() {
    printProgress("Init Vars...\n");
    seedRandom(static_cast<unsigned>(Clock.rawMs));
    Prefs.setDefaults();
    Prefs.imageIndex = static_cast<int>(randomRange(2.0)) * (kTerrainImageCount - 1);
    Skater.resetRide(Prefs);
    Flags.resetKeyCounters();
    Flags.menuActive = 0;
    Flags.paused = 0;
    Flags.exitStartTime = 0.0f;
    if (prefsLoadedOnce == 0) {
        printProgress(loadPrefsFile() == 0 ? "Loaded Prefs.\n" : "No Prefs found.\n");
    }
    Skater.fieldOfView = static_cast<float>(Prefs.fovDegrees);
    selectTerrainImage();
    HeightGrid.applyBumpOption(Prefs.bumpOption);
    Prefs.cameraMode = kCameraManual;
    wireDialogManager();
    Dialogs.buildDialog(kMainMenu, 1);
    Terrain.moveTo(0.0f, 0.0f, 0.0f);
    rebuildTerrainSurface();
    Skater.damping = Prefs.damping;
    Pointer.updateCursor(Prefs, Flags.menuActive);
    prefsLoadedOnce = 1;
}

void shutdown() {
    printProgress("\nShutting down...\n");
    Stars.release();
    Catalogue.release();
    Sounds.output.shutdown();
}
