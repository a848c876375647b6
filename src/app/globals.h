// Every long-lived object of the program. They are defined in one file, in construction order,
// and only set defaults when constructed; start-up wires them to one another.
#pragma once

#include "app/splash_screen.h"
#include "base/frame_clock.h"
#include "base/screen_view.h"
#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "motion/rider.h"
#include "motion/wave_generator.h"
#include "scene/scene_object.h"
#include "scene/spot_light.h"
#include "scene/star_field.h"
#include "settings/prefs.h"
#include "sound/sound_player.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"
#include "textures/texture_catalogue.h"
#include "ui/dialog_manager.h"
#include "ui/font_text.h"
#include "ui/frame_rate_text.h"

extern FontText StatusLine;
extern FontText TitleText;
extern FontText ErrorText;
extern FontText HelpText;
extern FontText DialogText;
extern FrameRateText FpsCounter;
extern PrefsRecord Prefs;
extern Rider rider;
extern FrameClock Clock;
extern PointerState Pointer;
extern KeyboardState Keyboard;
extern WaveGenerator angleWander;
extern WaveGenerator positionWander;
extern WaveGenerator lightWander;
extern WaveGenerator textWaves;
extern SpotLight spotLight;
extern SoundPlayer soundPlayer;
extern ScreenView Screen;
extern SplashScreen Splash;
extern SceneObject3D sunSprite;
extern Heightmap terrainHeightmap;
extern TerrainSurface terrainSurface;
extern DialogManager dialogManager;
extern StarField starField;
extern TextureCatalogue catalogue;
extern float heightCells[kHeightCells];

// Flags shared by input, dialogs and the frame.
extern int paused;
extern int menuActive;
extern int helpVisible;
extern int infoVisible;
extern float exitStartTime;  // game time at which the exit fade began; 0 = not exiting
