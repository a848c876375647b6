// Rampix: a virtual skatepark on a heightmap. Entry point: opens the window, sets the fixed
// graphics state and hands over to GLUT; the splash runs until the first key or click.
#include <GL/freeglut.h>

#include <cstdio>

#include "app/command_line.h"
#include "app/globals.h"
#include "app/glut_callbacks.h"
#include "app/renderer_warm_up.h"
#include "app/ride_recording.h"
#include "app/settings_commands.h"
#include "app/startup.h"
#include "app/terrain_images.h"
#include "app/window_identity.h"
#include "base/driver_pin.h"
#include "base/file_places.h"
#include "base/platform.h"

int main(int argc, char** argv) {
    decideFilePlaces();
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.settingsAction != SettingsAction::None) takeOverOldSettingsFile();
    if (commandLine.settingsAction == SettingsAction::Show) return showSettings();
    if (commandLine.settingsAction == SettingsAction::Set) return setSettings(commandLine.assignments);
    if (commandLine.exitStatus >= 0) return reportCommandLine(commandLine);
    if (const int refused = prepareRide(commandLine.ride, commandLine.ridePath); refused >= 0) return refused;
    settleFilePlaces(commandLine.ride == RideMode::Live || commandLine.ride == RideMode::Record);
    pinGraphicsDriver();
    glutInit(&argc, argv);
    installGlutPlatform();
    wrapPlatformForRide();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(Screen.width, Screen.height);
    // Without a window manager nothing places the window: put it at the origin so pointer
    // coordinates match the screen.
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Rampix");
    nameWindow();
    // A timing run draws as fast as it can; its simulation keeps the ride's clock.
    startFramePacing(commandLine.ride == RideMode::Timedemo ? 0 : commandLine.maxFps);
    glutFullScreen();
    installSplashCallbacks();
    initGraphicsState();
    warmUpRenderer(Catalogue.catalogueTexture(kFontSlot), Catalogue.catalogueTexture(kSplashSlot));
    printProgress("Ready...\n\n");
    glutMainLoop();
    return 0;
}
