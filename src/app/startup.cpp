#include "app/startup.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/frame_loop.h"
#include "app/globals.h"
#include "base/platform.h"
#include "base/random.h"
#include "input/input_callbacks.h"
#include "input/key_commands.h"
#include "textures/procedural_texture.h"
#include "textures/texture_loader.h"
#include "ui/dialog_commands.h"
#include "ui/dialog_item.h"
#include "ui/dialog_menus.h"

namespace {
int prefsLoadedOnce = 0;

// The catalogue's images after the two early ones, in slot order. A slot that repeats an earlier
// slot's texture names that slot in `repeatSlot` instead of a file.
struct CatalogueImage {
    const char* fileName;
    int mipmapped;
    int repeatSlot;
};

constexpr CatalogueImage kCatalogueImages[] = {
    {"controls_128.bmp", 1, -1},
    {"sand.bmp", 0, -1},
    {"cloud2128.bmp", 1, -1},
    {"dirt128.bmp", 1, -1},
    {"marblewhite128.bmp", 1, -1},
    {"metalplate128.bmp", 1, -1},
    {"metalrough128.bmp", 1, -1},
    {"nuclear128.bmp", 1, -1},
    {"rocks128.bmp", 1, -1},
    {nullptr, 0, 2},
    {"water128.bmp", 1, -1},
    {"wood128.bmp", 1, -1},
    {nullptr, 0, 3},
    {"sun_256.bmp", 0, -1},
};
constexpr int kControlsSlot = 4;
constexpr int kSunSlot = 17;

void loadCatalogueImages() {
    catalogue.addToCatalogue(makeProceduralTexture(kGridKind, 0));
    catalogue.addToCatalogue(makeProceduralTexture(kCheckerboardKind, 0));
    for (const CatalogueImage& image : kCatalogueImages) {
        if (image.fileName)
            catalogue.addToCatalogue(loadBmpTexture(image.fileName, -1, 0, image.mipmapped));
        else
            catalogue.addToCatalogue(catalogue.catalogueTexture(image.repeatSlot));
        if (catalogue.textureCount == kControlsSlot + 1) catalogue.firstImageTexture = catalogue.textureCount;
    }
}

void setUpStarField() {
    starField.blendOn = 1;
    starField.depthTestOn = 0;
    starField.depthWriteOn = 0;
    starField.layers = 2;
    starField.shape = 1;
    starField.outerRadius = 4.0f;
    starField.innerRadius = 3.0f;
    starField.colourBase = 0.2f;
    starField.colourRange = 0.5f;
    starField.build(2000 / starField.layers);
}

void placeTextObjects() {
    DialogItem::skinTexture = static_cast<int>(catalogue.catalogueTexture(kControlsSlot));
    DialogItem::dialogText = &DialogText;
    DialogText.x = 0.0f;
    DialogText.y = 0.0f;
    DialogText.alphaRef = 0.05f;
    DialogText.blendOn = 0;
    FontText::wire(catalogue.catalogueTexture(0), &Clock, &textWaves, &Screen);
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
    rider.prefs = &Prefs;
    rider.clock = &Clock;
    rider.pointer = &Pointer;
    rider.keys = &Keyboard;
    rider.ground = &terrainSurface;
}

void setUpWaveGenerators() {
    positionWander.reset(10);
    angleWander.reset(4);
    rider.positionWander = &positionWander;
    rider.angleWander = &angleWander;
    rider.wanderRange = 3.0f;
    lightWander.reset(4);
    lightWander.held[1] = 1;
    textWaves.reset(8);
}

void setUpSunSprite() {
    sunSprite.texture = static_cast<int>(catalogue.catalogueTexture(kSunSlot));
    sunSprite.width = sunSprite.height = sunSprite.depth = 0.1f;
    sunSprite.depthTest = 1;
    sunSprite.depthWrite = 1;
    sunSprite.billboard = 1;
}

void wireDialogManager() {
    dialogManager.pointer = &Pointer;
    dialogManager.keys = &Keyboard;
    dialogManager.prefs = &Prefs;
    dialogManager.screen = &Screen;
    dialogManager.pausedFlag = &paused;
    dialogManager.soundOnFlag = &soundPlayer.enabled;
    dialogManager.infoVisibleFlag = &infoVisible;
    dialogManager.text = &DialogText;
    dialogManager.command = executeDialogCommand;
}

void installWorkingCallbacks() {
    glutKeyboardFunc(onKey);
    glutSpecialFunc(onSpecialKey);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutMouseFunc(onMouseButton);
    glutPassiveMotionFunc(onPointerMotion);
    glutMotionFunc(onPointerMotion);
}
}  // namespace

void selectTerrainImage() {
    terrainSurface.texture =
        static_cast<int>(catalogue.catalogueTexture(catalogue.firstImageTexture + Prefs.imageIndex));
}

void rebuildTerrainSurface() {
    terrainSurface.setResolution(Prefs.tessellation);
    terrainSurface.build(terrainHeightmap);
}

int savePrefsOnCommand() {
    const int result = Prefs.savePrefs("Rampix");
    StatusLine.setText(result == 0 ? "Saved Prefs" : "Could NOT Save Prefs");
    return result;
}

int loadPrefsOnCommand() {
    const int cameraMode = Prefs.cameraMode;
    const int result = Prefs.loadPrefs("Rampix");
    if (result == 0) {
        rider.fieldOfView = static_cast<float>(Prefs.fovDegrees);
        Prefs.cameraMode = cameraMode;
    }
    StatusLine.setText(result == 0 ? "Loaded Prefs" : "Could NOT Load Prefs");
    return result;
}

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
    catalogue.addToCatalogue(loadBmpTexture("font_256.bmp", -1, 0, 0));
    catalogue.addToCatalogue(loadBmpTexture("metalplate128.bmp", -1, 0, 1));
    Splash.texture = catalogue.catalogueTexture(1);
    Screen.nearPlane = 0.01f;
    Screen.farPlane = 9.0f;
    platform.setCursor(CursorShape::None);
}

void firstDisplay() {
    if (Keyboard.key == 0 && Pointer.leftButton == 0) {
        Clock.tick();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Splash.draw(static_cast<float>(Screen.width * 0.5 - Screen.height * 0.4),
                    static_cast<float>(Screen.height * 0.1), static_cast<float>(Screen.height * 0.8), Clock);
        platform.swapBuffers();
        return;
    }
    seedRandom(static_cast<unsigned>(Clock.rawMs));
    initOnce();
    initVars();
    installWorkingCallbacks();
    Keyboard.key = 0;
    Pointer.leftButton = 0;
    Clock.restart();
    while (const int key = Keyboard.takeHeldKey()) onKey(static_cast<unsigned char>(key), 0, 0);
    glutDisplayFunc(displayFrame);
}

void displayFrame() {
    runFrame();
    platform.swapBuffers();
}

void reshapeWindow(int width, int height) {
    Screen.width = width;
    Screen.height = height;
    glViewport(0, 0, width, height);
}

void requestRedisplay() {
    platform.postRedisplay();
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
    soundPlayer.output.start();
    soundPlayer.play("WIND2.wav", 2.0f, 1);
    terrainHeightmap.heights = heightCells;
    terrainHeightmap.generate(Heightmap::kPlayground, 128);
}

void initVars() {
    printProgress("Init Vars...\n");
    seedRandom(static_cast<unsigned>(Clock.rawMs));
    Prefs.setDefaults();
    Prefs.imageIndex = static_cast<int>(randomRange(2.0)) * 11;
    rider.resetRide(Prefs);
    resetKeyCounters();
    menuActive = 0;
    paused = 0;
    exitStartTime = 0.0f;
    if (prefsLoadedOnce == 0) {
        printProgress(Prefs.loadPrefs("Rampix") == 0 ? "Loaded Prefs.\n" : "No Prefs found.\n");
    }
    rider.fieldOfView = static_cast<float>(Prefs.fovDegrees);
    selectTerrainImage();
    terrainHeightmap.applyBumpOption(Prefs.bumpOption);
    Prefs.cameraMode = 1;
    wireDialogManager();
    dialogManager.buildDialog(kMainMenu, 1);
    terrainSurface.moveTo(0.0f, 0.0f, 0.0f);
    rebuildTerrainSurface();
    rider.damping = Prefs.damping;
    Pointer.updateCursor(Prefs, menuActive);
    prefsLoadedOnce = 1;
}

void shutdown() {
    printProgress("\nShutting down...\n");
    starField.release();
    catalogue.release();
    soundPlayer.output.shutdown();
}
