// The program's global objects, in construction order (destroyed in the reverse order at exit).
#include "app/globals.h"

FontText StatusLine;
FontText TitleText;
FontText ErrorText;
FontText HelpText;
FontText DialogText;
FrameRateText FpsCounter;
PrefsRecord Prefs;
Rider Skater;
FrameClock Clock;
PointerState Pointer;
KeyboardState Keyboard;
WaveGenerator AngleWander;
WaveGenerator PositionWander;
WaveGenerator LightWander;
WaveGenerator TextWaves;
SpotLight Light;
SoundPlayer Sounds;
ScreenView Screen;
SplashScreen Splash;
SceneObject3D Sun;
Heightmap HeightGrid;
TerrainSurface Terrain;
DialogManager Dialogs;
StarField Stars;

// Every texture made at start-up, in loading order.
TextureCatalogue Catalogue;

// The terrain heights: storage for the largest grid, for the whole run.
float HeightCells[kHeightCells];

RunFlags Flags;

// Started on the first working frame; its destructor lets go of the game-controller layer.
Gamepad Pad;
EventQueue Events;
