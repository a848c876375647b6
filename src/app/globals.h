// Every long-lived object of the program. They are defined in one file, in construction order,
// and only set defaults when constructed; start-up wires them to one another.
#pragma once

#include "app/splash_screen.h"
#include "base/frame_clock.h"
#include "base/screen_view.h"
#include "input/event_queue.h"
#include "input/gamepad.h"
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

// The flags that input, dialogs and the frame share, and the hidden counters of a few keys. A test
// resets them all with `Flags = RunFlags();`.
struct RunFlags {
    int paused = 0;
    int menuActive = 0;
    int helpVisible = 0;
    int infoVisible = 0;
    float exitStartTime = 0.0f;  // game time at which the exit fade began; 0 = not exiting
    int letterboxCycle = 0;      // -5..6 behind the letterbox ping-pong; its absolute value is the level
    int counterB = 1;
    int counterSmallB = 2;
    int counterN = 2;

    // The b, B and n counters back to their start values (a settings reset).
    void resetKeyCounters() {
        const RunFlags fresh;
        counterB = fresh.counterB;
        counterSmallB = fresh.counterSmallB;
        counterN = fresh.counterN;
    }
};

extern FontText StatusLine;
extern FontText TitleText;
extern FontText ErrorText;
extern FontText HelpText;
extern FontText DialogText;
extern FrameRateText FpsCounter;
extern PrefsRecord Prefs;
extern Rider Skater;
extern FrameClock Clock;
extern PointerState Pointer;
extern KeyboardState Keyboard;
extern WaveGenerator AngleWander;
extern WaveGenerator PositionWander;
extern WaveGenerator LightWander;
extern WaveGenerator TextWaves;
extern SpotLight Light;
extern SoundPlayer Sounds;
extern ScreenView Screen;
extern SplashScreen Splash;
extern SceneObject3D Sun;
extern Heightmap HeightGrid;
extern TerrainSurface Terrain;
extern DialogManager Dialogs;
extern StarField Stars;
extern TextureCatalogue Catalogue;
extern float HeightCells[kHeightCells];
extern RunFlags Flags;
extern Gamepad Pad;
extern EventQueue
    Events;  // the input waiting for the next frame  // the game controller that drives, if one is plugged in
