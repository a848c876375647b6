// The common part of every dialog widget: hit test, skin rectangle and label drawing.
#include "ui/dialog_item.h"

#include <GL/gl.h>

#include <climits>
#include <cstdio>

#include "input/pointer_state.h"
#include "ui/font_text.h"

int DialogItem::skinTexture = -1;
int DialogItem::textSize = 10;
FontText* DialogItem::dialogText = nullptr;

void DialogItem::init(const char* text, int itemId, float left, float lower, float width, float height, float,
                      float, float, int, int) {
    std::snprintf(label, sizeof label, "%s", text ? text : "");
    id = itemId;
    x = left;
    y = lower;
    w = width;
    h = height;
    right = x + w;
    bottom = y + h;
}

int DialogItem::handleInput(const KeyboardState&, const PointerState&, float, float, float&, int) {
    return kInputIgnored;
}

void DialogItem::draw(float, float, int) {}

int DialogItem::hitTest(const PointerState& pointer, float originX, float originY) const {
    const float ox = static_cast<float>(static_cast<int>(originX));
    const float oy = static_cast<float>(static_cast<int>(originY));
    const float px = static_cast<float>(pointer.x);
    const float py = static_cast<float>(pointer.y);
    int bits = 0;
    if (ox + x <= px && px <= ox + right) bits |= kHitHorizontal;
    if (oy + y <= py && py <= oy + bottom) bits |= kHitVertical;
    return bits;
}

void DialogItem::drawSkinRect(float x1, float y1, float x2, float y2, float s1, float t1, float s2,
                              float t2) {
    glAlphaFunc(GL_GREATER, 0.05f);
    glEnable(GL_ALPHA_TEST);
    glDepthMask(GL_FALSE);
    if (skinTexture > -1) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(skinTexture));
    }
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBegin(GL_QUADS);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s2, t1);
    glVertex2f(x2, y1);
    glTexCoord2f(s2, t2);
    glVertex2f(x2, y2);
    glTexCoord2f(s1, t2);
    glVertex2f(x1, y2);
    glEnd();
    glPopAttrib();
    glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
}

void DialogItem::drawSkinCell(float x1, float y1, float x2, float y2, int alternate) const {
    const float s = alternate ? skinS + 0.25f : skinS;
    drawSkinRect(x1, y1, x2, y2, s, skinT, s + 0.25f, skinT + 0.25f);
}

void DialogItem::drawLabel(const char* text, float textX, float centreY) {
    if (dialogText == nullptr) return;
    dialogText->drawText(text, textX, centreY, static_cast<float>(textSize));
}

int DialogItem::truncateToInt(float v) {
    if (!(v > static_cast<float>(INT_MIN))) return INT_MIN;
    if (!(v < static_cast<float>(INT_MAX))) return INT_MAX;
    return static_cast<int>(v);
}
