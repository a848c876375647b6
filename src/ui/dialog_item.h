// The common part of every dialog widget: label, command id, rectangle relative to the dialog origin,
// the hit test and the textured skin rectangle, plus the settings all widgets share.
#pragma once

#include <cstddef>

class FontText;
class KeyboardState;
class PointerState;

// The kind number chooses the widget class when a menu is built.
enum DialogItemKind {
    kSliderKind = 0,
    kToggleKind = 1,
    kButtonKind = 2,
    kBackButtonKind = 3,
    kTitleBarKind = 4,
};

// What handleInput reports to the manager.
enum DialogInputResult {
    kInputIgnored = 0,
    kInputActivated = 1,
    kInputPressed = 2,
    kInputMoveDialog = 3,
};

enum HitBits { kHitHorizontal = 1, kHitVertical = 2, kHitInside = 3 };

class DialogItem {
  public:
    DialogItem(float cellS, float cellT) : skinS(cellS), skinT(cellT) {}
    virtual ~DialogItem() = default;
    DialogItem(const DialogItem&) = delete;
    DialogItem& operator=(const DialogItem&) = delete;

    // Arguments a kind does not take are passed as 0.
    virtual void init(const char* text, int itemId, float left, float lower, float width, float height,
                      float value, float minimum, float maximum, int intSteps, int isLinear);
    // Returns a DialogInputResult; value receives the new value when the widget was activated.
    virtual int handleInput(const KeyboardState& keys, const PointerState& pointer, float originX,
                            float originY, float& value, int focused);
    virtual void draw(float originX, float originY, int focused);

    // Bit 1: the pointer lies within the horizontal extent, bit 2: within the vertical extent; both
    // edges count as inside. The origin is truncated to whole pixels first.
    int hitTest(const PointerState& pointer, float originX, float originY) const;

    char label[80] = {};
    int id = 0;
    int state = 0;  // toggle on/off, button pressed, title bar dragging
    float x = 0.0f, y = 0.0f, w = 0.0f, h = 0.0f;
    float right = 0.0f, bottom = 0.0f;  // x + w and y + h; bottom is the upper edge on screen
    float skinS;                        // lower-left corner of this class's cell in the 4 x 4 skin atlas
    float skinT;

    // Shared by all widgets: the skin texture (-1 = untextured), the text size of the current menu
    // and the text object every label and value is drawn with.
    static int skinTexture;
    static int textSize;
    static FontText* dialogText;

  protected:
    // Truncation towards zero that stays defined for any value a preference file may carry.
    static int truncateToInt(float v);
    // A textured quad over the skin cell (s1, t1)-(s2, t2); leaves blending alone.
    static void drawSkinRect(float x1, float y1, float x2, float y2, float s1, float t1, float s2, float t2);
    // The class's own cell, or the one to its right (the second look) when alternate is set.
    void drawSkinCell(float x1, float y1, float x2, float y2, int alternate) const;
    static void drawLabel(const char* text, float textX, float centreY);
    // The vertical centre of this widget's texts.
    float textY(float originY) const { return originY + y + 15.0f; }
};
