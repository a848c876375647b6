// The 3-D part of every frame: the tumbling universe, the light circling the park with its sun,
// the sky colour that follows the light, the fog and the terrain with the look of its image.
#pragma once

void drawWorld();
void drawSceneObjects();
void updateSkyColour();
