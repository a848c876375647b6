// The program's global objects, in construction order (destroyed in the reverse order at exit).
#include "app/globals.h"

FontText StatusLine;
FontText TitleText;
FontText ErrorText;
FontText HelpText;
FontText DialogText;
FrameRateText FpsCounter;
PrefsRecord Prefs;
Rider rider;
FrameClock Clock;
PointerState Pointer;
KeyboardState Keyboard;
WaveGenerator angleWander;
WaveGenerator positionWander;
WaveGenerator lightWander;
WaveGenerator textWaves;
SpotLight spotLight;
SoundPlayer soundPlayer;
ScreenView Screen;
SplashScreen Splash;
SceneObject3D sunSprite;
Heightmap terrainHeightmap;
TerrainSurface terrainSurface;
DialogManager dialogManager;
StarField starField;

// Every texture made at start-up, in loading order.
TextureCatalogue catalogue;

// The terrain heights: storage for the largest grid, for the whole run.
float heightCells[kHeightCells];

int paused = 0;
int menuActive = 0;
int helpVisible = 0;
int infoVisible = 0;
float exitStartTime = 0.0f;
