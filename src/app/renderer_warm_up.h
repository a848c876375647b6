// Shader warm-up for the software renderer: Mesa's llvmpipe compiles machine code for every new
// combination of drawing state the first time it is drawn, which would otherwise stall the first
// game frame after the splash-ending key for a few hundred milliseconds.
#pragma once

// Draws, invisibly, one primitive of every kind the first game frame draws at the default settings
// (the fade, the stars, the sun sprite, the lit and fogged terrain with a plain and with a
// mipmapped texture, and text), then puts every piece of OpenGL state back as it was. The two
// textures only lend their kind (plain or mipmapped RGBA); nothing is drawn with them.
// Called once from main while the window is still hidden.
void warmUpRenderer(unsigned plainTexture, unsigned mipmappedTexture);
