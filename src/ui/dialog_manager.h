// The one pop-up dialog on screen: its widgets, position and keyboard focus, the widget activated in
// this frame, and the stack of dialogs the back buttons return to.
#pragma once

#include <memory>

#include "ui/dialog_item.h"

class FontText;
class KeyboardState;
class PointerState;
class PrefsRecord;
class ScreenView;
struct MenuRow;

class DialogManager {
  public:
    static constexpr int kMaxItems = 50;
    static constexpr int kStackSize = 19;

    DialogManager() { reset(); }
    virtual ~DialogManager() = default;
    DialogManager(const DialogManager&) = delete;
    DialogManager& operator=(const DialogManager&) = delete;

    // Destroys every widget and forgets the dialog on screen; the stack stays.
    void reset();
    // Refreshes the widget with this id in place, or creates one of the given kind in the next slot.
    // Returns the slot, or -1 when the widget is not added.
    int addItem(int kind, const char* label, int id, int x, int y, int w, int h, float value, float minValue,
                float maxValue, int integerSteps, int linear);
    void pushDialog();
    void popDialog();
    // Builds a menu with reset but keeps the dialog where it is on screen.
    void openDialog(int number, int push);
    // Builds menu 0..4, or refreshes the values of its widgets when reset is 0.
    void buildDialog(int number, int resetItems);
    // One frame while the pop-up is shown: focus keys, drawing, input, then the activated command.
    void run();

    DialogItem* item(int slot) const { return slot >= 0 && slot < itemCount ? items[slot].get() : nullptr; }

    int currentDialog = -1;
    int itemCount = 0;
    int selectedId = -1;
    int focusIndex = 0;
    int savedCameraMode = 0;
    float selectedValue = 0.0f;
    float originX = 0.0f;
    float originY = 0.0f;
    int stack[kStackSize] = {};
    int depth = 0;
    std::unique_ptr<DialogItem> items[kMaxItems];

    // Wiring made at start-up. Any of them may be null: values then read as 0 and nothing is drawn
    // with the missing part.
    PointerState* pointer = nullptr;
    KeyboardState* keys = nullptr;
    const PrefsRecord* prefs = nullptr;
    const ScreenView* screen = nullptr;
    const int* pausedFlag = nullptr;
    const int* soundOnFlag = nullptr;
    const int* infoVisibleFlag = nullptr;
    FontText* text = nullptr;
    // The dialog command; it reads selectedId, selectedValue and currentDialog.
    void (*command)() = nullptr;

    // Where the last drag started and where the dialog rested after it; kept across dialogs.
    int pressX = 0;
    int pressY = 0;
    float restX = 0.0f;
    float restY = 0.0f;

  private:
    // The setting or flag a menu row shows, as the widget takes it.
    float boundValue(const MenuRow& row) const;
    void moveFocus();
    void drawItems();
    void handleItems();
    void moveDialog();
    int dialogInitShown = 0;
};
