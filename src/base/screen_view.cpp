// The window: letterbox bars, clearing, fades and the overlay projection.
#include "base/screen_view.h"

#include <GL/gl.h>

const float fogColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void ScreenView::setClearColour(float r, float g, float b) {
    clearColour[0] = r;
    clearColour[1] = g;
    clearColour[2] = b;
}

void ScreenView::setLetterbox(int level) {
    letterboxLevel = level;
    barHeight = static_cast<int>(level * 0.05 * height);
    topEdge = static_cast<int>((1.0 - level * 0.05) * height);
    visibleHeight = topEdge - barHeight;
}

void ScreenView::applyViewport() const {
    glViewport(0, barHeight, width, visibleHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void ScreenView::setOverlayProjection() const {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, barHeight, topEdge, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

namespace {
void fillRect(float x1, float y1, float x2, float y2) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBegin(GL_QUADS);
    glVertex3f(x1, y1, 0.0f);
    glVertex3f(x2, y1, 0.0f);
    glVertex3f(x2, y2, 0.0f);
    glVertex3f(x1, y2, 0.0f);
    glEnd();
}
}  // namespace

void ScreenView::fade(float alpha) const {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4f(clearColour[0], clearColour[1], clearColour[2], alpha);
    fillRect(0.0f, static_cast<float>(barHeight), static_cast<float>(width), static_cast<float>(topEdge));
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

void ScreenView::drawLetterboxBars() const {
    glColor3f(0.0f, 0.0f, 0.0f);
    fillRect(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(barHeight));
    fillRect(0.0f, static_cast<float>(topEdge), static_cast<float>(width), static_cast<float>(height));
}

void ScreenView::clearScreen(int screenClear, int letterbox) const {
    glClear(GL_DEPTH_BUFFER_BIT);
    if (screenClear == 0) return;
    glClearColor(clearColour[0], clearColour[1], clearColour[2], 1.0f);
    if (letterbox != 0) {
        // The same pixels as an opaque fade over the picture area, at a fraction of the cost.
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, barHeight, width, visibleHeight);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    } else if (clearPasses == 0) {
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

void applyPolygonMode(int polygonMode) {
    static constexpr GLenum kModes[] = {GL_FILL, GL_LINE, GL_POINT};
    if (polygonMode >= 0 && polygonMode <= 2) glPolygonMode(GL_FRONT_AND_BACK, kModes[polygonMode]);
}
