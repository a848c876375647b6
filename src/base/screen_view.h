// The window as a whole: its size, the letterbox bars, the clear colour, the projections of the
// 2-D passes, the per-frame clearing with its trail mode, and the full-picture fade.
#pragma once

class ScreenView {
  public:
    virtual ~ScreenView() = default;

    void setClearColour(float r, float g, float b);
    void setLetterbox(int level);
    // Viewport over the picture area; selects the projection matrix and resets it.
    void applyViewport() const;
    // Orthographic x 0..width, y barHeight..topEdge; then selects the modelview matrix, reset.
    void setOverlayProjection() const;
    // Blends one rectangle of the clear colour over the picture area.
    void fade(float alpha) const;
    void drawLetterboxBars() const;
    void clearScreen(int screenClear, int letterbox) const;

    int width = 640;
    int height = 480;
    int barHeight = 0;
    int topEdge = 480;
    int visibleHeight = 480;
    int letterboxLevel = 0;
    int clearPasses = 0;  // screen-clear request: 1 and 2 are the pending black clears
    float nearPlane = 0.1f;
    float farPlane = 100.0f;
    float clearColour[3] = {0.0f, 0.0f, 0.0f};
};

extern const float fogColour[4];

void applyPolygonMode(int polygonMode);
