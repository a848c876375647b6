// All text on screen: a string drawn glyph by glyph from the 16 x 8 bitmap font, with optional wobble,
// sway, jitter and wave effects, and a three-second timer that makes it a transient message line.
#pragma once

#include "scene/scene_object.h"

class FrameClock;
class ScreenView;
class WaveGenerator;

// Where a character's glyph lies in the font image; row 0 is the top row of the image.
struct GlyphCell {
    int column;
    int row;
    float u;  // left edge in texture coordinates
    float v;  // lower edge in texture coordinates
};

class FontText : public SceneObject {
  public:
    static constexpr int kTextCapacity = 80;  // including the terminator

    FontText();
    ~FontText() override = default;

    // Only printable ASCII (32..126) has a glyph; other codes draw nothing but still advance the pen.
    static bool hasGlyph(int code) { return code >= 32 && code <= 126; }
    static GlyphCell glyphCell(int code);

    // Shared by every text object; set once at start-up before anything is shown or drawn.
    static void wire(unsigned int fontTexture, const FrameClock* clock, const WaveGenerator* textWaves,
                     ScreenView* screen);

    // The three message calls restart the display timer; text beyond 79 characters is cut.
    void setText(const char* message);
    void showFloat(const char* format, float value);
    void showInt(const char* format, int value);
    void showInt(const char* format, const char* value);  // for "%s" formats
    // Once per frame: draws the message while it lasts; at expiry asks for a screen clear once.
    void update();
    // Keeps the string, position and size, then draws the string at (px, py), the vertical centre
    // of the line. Passing the object's own text is allowed.
    void drawText(const char* s, float px, float py, float glyphSize);
    void setColour(float r, float g, float b);

    int alphaTestOn = 1;
    int blendOn = 1;
    float advance = 0.9f;  // pen advance per character, in glyph sizes
    float brightness = 1.0f;
    float alphaRef = 0.01f;
    float slant = 3.0f;       // shift of every glyph's upper edge, in overlay units
    float expiryTime = 0.0f;  // game time at which the message goes; 0 = none shown
    float displayDuration = 3.0f;
    int wobbleOn = 0;
    int swayOn = 0;
    int jitterOn = 0;
    int waveOn = 0;
    float wobbleFreqX = 1.0f, wobbleFreqY = 1.0f;
    float wobbleAmpX = 1.0f, wobbleAmpY = 1.0f;
    float swayFreqX = 1.0f, swayFreqY = 1.0f;
    float swayAmpX = 1.0f, swayAmpY = 1.0f;
    float jitterRateX = 1.0f, jitterRateY = 1.0f;
    float jitterAmpX = 1.0f, jitterAmpY = 1.0f;
    float waveFreqX = 1.0f, waveFreqY = 1.0f;
    float waveAmpX = 1.0f, waveAmpY = 1.0f;
    char text[kTextCapacity] = {};

  private:
    void storeText(const char* s);
    const char* outsideText(const char* s, char* scratch) const;
    void restartTimer();
    float currentTime() const;
    float wave(int channel, float frequency) const;
    float waveShifted(int channel, float frequency, float shift) const;
    void beginText() const;
    void endText() const;
    struct Offsets {
        float wx = 0.0f, wy = 0.0f, sx = 0.0f, sy = 0.0f;
    };
    Offsets effectOffsets() const;
    void drawGlyph(int code, int i, float penX, float penY, const Offsets& o, float now) const;

    inline static unsigned int fontTexture_ = 0;
    inline static const FrameClock* clock_ = nullptr;
    inline static const WaveGenerator* textWaves_ = nullptr;
    inline static ScreenView* screen_ = nullptr;
};
