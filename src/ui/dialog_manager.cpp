// The pop-up dialog on screen: menu construction, the dialog stack and the per-frame run.
#include "ui/dialog_manager.h"

#include <GL/gl.h>

#include <cstdio>
#include <new>

#include "base/screen_view.h"
#include "input/keyboard_state.h"
#include "input/pointer_state.h"
#include "settings/prefs.h"
#include "ui/back_button_item.h"
#include "ui/button_item.h"
#include "ui/dialog_menus.h"
#include "ui/font_text.h"
#include "ui/slider_item.h"
#include "ui/title_bar_item.h"
#include "ui/toggle_item.h"

namespace {
void printLine(const char* line) {
    std::fputs(line, stdout);
    std::fflush(stdout);
}

DialogItem* createItem(int kind) {
    switch (kind) {
        case kSliderKind:
            return new (std::nothrow) SliderItem;
        case kToggleKind:
            return new (std::nothrow) ToggleItem;
        case kButtonKind:
            return new (std::nothrow) ButtonItem;
        case kBackButtonKind:
            return new (std::nothrow) BackButtonItem;
        case kTitleBarKind:
            return new (std::nothrow) TitleBarItem;
        default:
            return nullptr;
    }
}

int readFlag(const int* flag) {
    return flag ? *flag : 0;
}
}  // namespace

void DialogManager::reset() {
    for (auto& slot : items) slot.reset();
    currentDialog = -1;
    itemCount = 0;
    selectedId = -1;
    focusIndex = 0;
    selectedValue = 0.0f;
    originX = 0.0f;
    originY = 0.0f;
}

int DialogManager::addItem(int kind, const char* label, int id, int x, int y, int w, int h, float value,
                           float minValue, float maxValue, int integerSteps, int linear) {
    int slot = 0;
    while (slot < itemCount && items[slot]->id != id) ++slot;
    if (slot == itemCount) {
        if (itemCount >= kMaxItems) return -1;
        items[slot].reset(createItem(kind));
        if (!items[slot]) return -1;
        ++itemCount;
    }
    DialogItem& widget = *items[slot];
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    if (kind == kSliderKind)
        widget.init(label, id, fx, fy, fw, fh, value, minValue, maxValue, integerSteps, linear);
    else if (kind == kToggleKind)
        widget.init(label, id, fx, fy, fw, fh, value, 0.0f, 0.0f, 0, 0);
    else
        widget.init(label, id, fx, fy, fw, fh, 0.0f, 0.0f, 0.0f, 0, 0);
    return slot;
}

void DialogManager::pushDialog() {
    if (depth < kStackSize) {
        stack[depth] = currentDialog;
        ++depth;
    } else {
        printLine("** Attempt to push dialog beyond limits");
    }
}

void DialogManager::popDialog() {
    if (depth >= 1) {
        --depth;
        buildDialog(stack[depth], 1);
    } else {
        printLine("** Attempt to pop no dialog");
    }
}

void DialogManager::openDialog(int number, int push) {
    const float keptX = originX;
    const float keptY = originY;
    if (push) pushDialog();
    buildDialog(number, 1);
    originX = keptX;
    originY = keptY;
}

void DialogManager::buildDialog(int number, int resetItems) {
    if (!dialogInitShown) {
        printLine("Dialog Init...\n");
        dialogInitShown = 1;
    }
    if (text) {
        text->wobbleOn = 0;
        text->alphaTestOn = 0;
    }
    const int y0 = static_cast<int>((screen ? screen->height : 0) * 0.7);
    if (resetItems) {
        reset();
        currentDialog = number;
    }
    const Menu* menu = findMenu(number);
    if (menu == nullptr) return;
    DialogItem::textSize = menu->textSize;
    if (menu->wobble && text) {
        text->wobbleOn = 1;
        text->alphaTestOn = 1;
    }
    for (int i = 0; i < menu->rowCount; ++i) {
        const MenuRow& row = menu->rows[i];
        const bool slider = row.kind == kSliderKind;
        addItem(row.kind, row.label, row.id, row.x, y0 - row.below, slider ? kSliderWidth : kSquareSize,
                slider ? kSliderHeight : kSquareSize, boundValue(row), row.minValue, row.maxValue,
                row.integerSteps, row.linear);
    }
}

float DialogManager::boundValue(const MenuRow& row) const {
    if (row.intSetting) return prefs ? static_cast<float>(prefs->*row.intSetting) : 0.0f;
    if (row.floatSetting) return prefs ? prefs->*row.floatSetting : 0.0f;
    switch (row.flag) {
        case MenuFlag::Paused:
            return static_cast<float>(readFlag(pausedFlag));
        case MenuFlag::SoundOn:
            return static_cast<float>(readFlag(soundOnFlag));
        case MenuFlag::InfoVisible:
            return static_cast<float>(readFlag(infoVisibleFlag));
        default:
            return 0.0f;
    }
}

void DialogManager::moveFocus() {
    if (itemCount == 0 || keys == nullptr) return;
    if (keys->specialKey == kKeyUp) focusIndex = focusIndex <= 0 ? itemCount - 1 : focusIndex - 1;
    if (keys->key == 9 || keys->specialKey == kKeyDown)
        focusIndex = focusIndex >= itemCount - 1 ? 0 : focusIndex + 1;
}

void DialogManager::drawItems() {
    for (int i = 0; i < itemCount; ++i) {
        const int focused = i == focusIndex;
        if (focused)
            glColor3f(1.0f, 1.0f, 1.0f);
        else
            glColor3f(0.75f, 0.75f, 0.75f);
        items[i]->draw(originX, originY, focused);
    }
}

void DialogManager::handleItems() {
    selectedId = -1;
    selectedValue = 0.0f;
    if (pointer == nullptr || keys == nullptr) return;
    for (int i = 0; i < itemCount; ++i) {
        float value = 0.0f;
        const int result = items[i]->handleInput(*keys, *pointer, originX, originY, value, i == focusIndex);
        if (result == kInputIgnored) continue;
        if (pointer->leftButton == kButtonPressed) focusIndex = i;
        if (result == kInputActivated) {
            selectedId = items[i]->id;
            selectedValue = value;
            return;
        }
        if (result == kInputMoveDialog) {
            moveDialog();
            return;
        }
    }
}

void DialogManager::moveDialog() {
    switch (pointer->leftButton) {
        case kButtonPressed:
            pressX = pointer->x;
            pressY = pointer->y;
            break;
        case kButtonHeld:
            originX = restX + static_cast<float>(pointer->x - pressX);
            originY = restY + static_cast<float>(pointer->y - pressY);
            break;
        case kButtonReleased:
            restX = originX;
            restY = originY;
            break;
        default:
            break;
    }
    switch (keys->specialKey) {
        case kKeyLeft:
            originX -= 2.0f;
            break;
        case kKeyRight:
            originX += 2.0f;
            break;
        case kKeyPageUp:
            originY += 2.0f;
            break;
        case kKeyPageDown:
            originY -= 2.0f;
            break;
        default:
            break;
    }
}

void DialogManager::run() {
    moveFocus();
    drawItems();
    handleItems();
    if (selectedId > -1 && command) command();
}
