// A drawing surface for text tests: an overlay projection of one unit per pixel, a synthetic 16 x 8 font
// texture (one texel per glyph cell), and the text objects wired to a hand-set clock.
#pragma once

#include <GL/gl.h>

#include "base/frame_clock.h"
#include "base/screen_view.h"
#include "motion/wave_generator.h"
#include "support/gl_context.h"
#include "ui/font_text.h"

struct TextCanvas {
    // Cell-coded texels: red = column x 16, green = row x 32, blue 200 (row 0 is the top of the image),
    // read with nearest filtering, so every texel shows as it is.
    static GLuint makeFont() {
        unsigned char texels[8][16][4];
        for (int t = 0; t < 8; ++t)
            for (int column = 0; column < 16; ++column) {
                const int colour[4] = {column * 16, (7 - t) * 32, 200, 255};
                for (int c = 0; c < 4; ++c) texels[t][column][c] = static_cast<unsigned char>(colour[c]);
            }
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, &texels[0][0][0]);
        glBindTexture(GL_TEXTURE_2D, 0);
        return name;
    }

    explicit TextCanvas(const GlContext& gl) : context(gl) {
        screen.width = gl.width();
        screen.height = gl.height();
        screen.setLetterbox(0);
        screen.applyViewport();
        screen.setOverlayProjection();
        waves.reset(8);
        fontTexture = makeFont();
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
