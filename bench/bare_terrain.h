// The bare terrain draw of the game's scene, for the benchmarks: one frame that clears, sets the
// game's camera, rider step, light and fog, and draws only the terrain with the look of its image.
// It needs the game's globals started as the game starts them (initOnce, initVars).
#pragma once

void drawBareTerrainFrame();
