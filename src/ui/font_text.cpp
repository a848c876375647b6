// Bitmap-font text with its effects, and the status-line timer.
#include "ui/font_text.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "base/frame_clock.h"
#include "base/random.h"
#include "base/screen_view.h"
#include "motion/wave_generator.h"

FontText::FontText() {
    size = 10.0f;
}

GlyphCell FontText::glyphCell(int code) {
    const int g = (code - 32) & 0xFF;
    const int column = g % 16;
    const int row = g / 16;
    return {column, row, column / 16.0f, 1.0f - 1.0f / 8.0f - row / 8.0f};
}

void FontText::wire(unsigned int fontTexture, const FrameClock* clock, const WaveGenerator* textWaves,
                    ScreenView* screen) {
    fontTexture_ = fontTexture;
    clock_ = clock;
    textWaves_ = textWaves;
    screen_ = screen;
}

float FontText::currentTime() const {
    return clock_ ? clock_->now : 0.0f;
}

// The source may lie inside the buffer itself (the object's own text, or a tail of it), hence memmove.
void FontText::storeText(const char* s) {
    if (s == nullptr) {
        text[0] = '\0';
        return;
    }
    if (s == text) return;
    const size_t length = strnlen(s, kTextCapacity - 1);
    std::memmove(text, s, length);
    text[length] = '\0';
}

void FontText::restartTimer() {
    expiryTime = currentTime() + displayDuration;
}

void FontText::setText(const char* message) {
    storeText(message);
    restartTimer();
}

// snprintf must not read its format or argument from the buffer it writes, so text taken from this
// object's own buffer goes through a copy first.
const char* FontText::outsideText(const char* s, char* scratch) const {
    if (s == nullptr) return "";
    const std::less<const char*> before;
    if (before(s, text) || !before(s, text + kTextCapacity)) return s;
    std::memcpy(scratch, text, kTextCapacity);
    return scratch + (s - text);
}

void FontText::showFloat(const char* format, float value) {
    char formatCopy[kTextCapacity];
    std::snprintf(text, sizeof text, outsideText(format, formatCopy), static_cast<double>(value));
    restartTimer();
}

void FontText::showInt(const char* format, int value) {
    char formatCopy[kTextCapacity];
    std::snprintf(text, sizeof text, outsideText(format, formatCopy), value);
    restartTimer();
}

void FontText::showInt(const char* format, const char* value) {
    char formatCopy[kTextCapacity];
    char valueCopy[kTextCapacity];
    std::snprintf(text, sizeof text, outsideText(format, formatCopy), outsideText(value, valueCopy));
    restartTimer();
}

void FontText::update() {
    if (expiryTime == 0.0f) return;
    if (currentTime() < expiryTime) {
        drawText(text, x, y, size);
        return;
    }
    expiryTime = 0.0f;
    if (screen_) screen_->clearPasses = 1;
}

void FontText::setColour(float r, float g, float b) {
    red = r;
    green = g;
    blue = b;
}

// Text drawn before the wave generator is wired keeps its place and its plain size.
float FontText::wave(int channel, float frequency) const {
    return textWaves_ ? textWaves_->wave(channel, frequency, 2.0f, -1.0f) : 0.0f;
}

float FontText::waveShifted(int channel, float frequency, float shift) const {
    return textWaves_ ? textWaves_->waveShifted(channel, frequency, shift, 2.0f, 0.5f) : 2.0f;
}

void FontText::beginText() const {
    if (alphaTestOn) {
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, alphaRef);
    }
    if (blendOn) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glDepthMask(GL_FALSE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, fontTexture_);
    glColor4d(red * brightness, green * brightness, blue * brightness, alpha);
    // Text stays solid in the wire-frame and point modes.
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void FontText::endText() const {
    glPopAttrib();
    if (alphaTestOn) {
        glDisable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.0f);
    }
    if (blendOn) {
        glDisable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
}

// The whole string's offsets this frame: the wobble skews each glyph (wx, wy); the sway and the
// jitter move the pen (sx, sy). The jitter's random numbers are drawn in this order.
FontText::Offsets FontText::effectOffsets() const {
    Offsets o;
    if (wobbleOn) {
        o.wx = static_cast<float>(wave(1, wobbleFreqX * 100.0f) * size * wobbleAmpX * 0.2);
        o.wy = static_cast<float>(wave(2, wobbleFreqY * 100.0f) * size * wobbleAmpY * 0.2);
    }
    if (swayOn) {
        o.sx = static_cast<float>(wave(3, swayFreqX * 100.0f) * size * swayAmpX * 0.5);
        o.sy = static_cast<float>(wave(4, swayFreqY * 100.0f) * size * swayAmpY * 0.5);
    }
    if (jitterOn) {
        const double r1 = randomRange(1.0);
        const double r2 = randomRange(1.0);
        if (jitterRateX * 0.005 > r1 * r2) {
            const double r3 = randomRange(1.0);
            o.sx = static_cast<float>(o.sx + 2.0 * (r3 - 0.5) * size * jitterAmpX);
        }
        const double r4 = randomRange(1.0);
        const double r5 = randomRange(1.0);
        if (jitterRateY * 0.005 > r4 * r5) {
            const double r6 = randomRange(1.0);
            o.sy = static_cast<float>(o.sy + 2.0 * (r6 - 0.5) * size * jitterAmpY);
        }
    }
    return o;
}

// Glyph i of the string as one textured quad around the pen, stretched by the travelling wave.
void FontText::drawGlyph(int code, int i, float penX, float penY, const Offsets& o, float now) const {
    float kx = 1.0f, ky = 1.0f;
    if (waveOn) {
        const float shift = i - now * 5.0f;
        kx = static_cast<float>(waveShifted(5, waveFreqX * 25.0f, shift) * waveAmpX * 0.5);
        ky = static_cast<float>(waveShifted(6, waveFreqY * 25.0f, shift) * waveAmpY * 0.5);
    }
    const float hw = static_cast<float>(size * 0.5 * kx);
    const float hh = static_cast<float>(size * 1.0 * ky);
    const GlyphCell cell = glyphCell(code);
    const float u2 = cell.u + 1.0f / 16.0f;
    const float v2 = cell.v + 1.0f / 8.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(cell.u, cell.v);
    glVertex2f(penX - hw + o.wx, penY - hh - o.wy);
    glTexCoord2f(u2, cell.v);
    glVertex2f(penX + hw - o.wx, penY - hh + o.wy);
    glTexCoord2f(u2, v2);
    glVertex2f(penX + hw + slant + o.wx, penY + hh - o.wy);
    glTexCoord2f(cell.u, v2);
    glVertex2f(penX - hw + slant - o.wx, penY + hh + o.wy);
    glEnd();
}

void FontText::drawText(const char* s, float px, float py, float glyphSize) {
    storeText(s);
    x = px;
    y = py;
    size = glyphSize;
    const Offsets offsets = effectOffsets();
    float penX = x + offsets.sx;
    const float penY = y + offsets.sy;
    const float now = currentTime();
    beginText();
    for (int i = 0; text[i] != '\0'; ++i) {
        const int code = static_cast<unsigned char>(text[i]);
        if (hasGlyph(code)) drawGlyph(code, i, penX, penY, offsets, now);
        penX += size * advance;
    }
    endText();
}
