// A drawing surface for text tests: an overlay projection of one unit per pixel, a synthetic
// 16 x 8 font texture (one texel per glyph cell), and the text objects wired to a hand-set clock.
#pragma once

#include <GL/gl.h>

#include "base/frame_clock.h"
#include "base/screen_view.h"
#include "motion/wave_generator.h"
#include "support/gl_context.h"
#include "support/gl_helpers.h"
#include "ui/font_text.h"

struct TextCanvas {
    enum class Font { White, CellCoded };

    // Cell-coded texels: red = column x 16, green = row x 32, blue 200 (row 0 is the top of the image).
    static GLuint makeFont(Font font) {
        unsigned char texels[8][16][4];
        for (int t = 0; t < 8; ++t) {
            const int row = 7 - t;
            for (int column = 0; column < 16; ++column) {
                const bool white = font == Font::White;
                texels[t][column][0] = static_cast<unsigned char>(white ? 255 : column * 16);
                texels[t][column][1] = static_cast<unsigned char>(white ? 255 : row * 32);
                texels[t][column][2] = static_cast<unsigned char>(white ? 255 : 200);
                texels[t][column][3] = 255;
            }
        }
        return nearestTexture(16, 8, &texels[0][0][0]);
    }

    explicit TextCanvas(const GlContext& gl, Font font = Font::White) : context(gl) {
        screen.width = gl.width();
        screen.height = gl.height();
        screen.setLetterbox(0);
        screen.applyViewport();
        screen.setOverlayProjection();
        waves.reset(8);
        fontTexture = makeFont(font);
        FontText::wire(fontTexture, &clock, &waves, &screen);
        clear();
    }

    void clear() const {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    bool lit(int px, int py) const {
        const GlContext::Pixel p = context.pixel(px, py);
        return p.r + p.g + p.b > 0;
    }

    int litCount() const {
        int count = 0;
        const auto rgba = context.readRgba();
        for (size_t i = 0; i < rgba.size(); i += 4) count += rgba[i] + rgba[i + 1] + rgba[i + 2] > 0;
        return count;
    }

    const GlContext& context;
    FrameClock clock;
    WaveGenerator waves;
    ScreenView screen;
    GLuint fontTexture = 0;
};
