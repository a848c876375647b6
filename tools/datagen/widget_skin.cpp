#include "widget_skin.h"

#include <functional>

#include "shapes.h"

namespace {
using Distance = std::function<float(float, float)>;

constexpr float kCentre = kSkinCell / 2.0f;

// Fills a cell from a per-pixel shader that is given the pixel centre.
Image drawCell(const std::function<Rgb(float, float)>& shade) {
    Image cell(kSkinCell, kSkinCell);
    for (int y = 0; y < kSkinCell; ++y)
        for (int x = 0; x < kSkinCell; ++x) cell.at(x, y) = shade(x + 0.5f, y + 0.5f);
    return cell;
}

// A bevelled shape: a face whose brightness runs from faceTop to faceBottom, a lit or shadowed rim
// (raised or sunken) and a thin dark outline, fading out over the shape's antialiased edge.
float bevel(const Distance& shape, float x, float y, float faceTop, float faceBottom, bool raised) {
    const float d = shape(x, y);
    float v = lerp(faceTop, faceBottom, clamp01(y / kSkinCell));
    v += (raised ? 0.28f : -0.22f) * rimLight(shape, x, y, 3.0f);
    if (d > -1.2f) v = lerp(v, 0.28f, clamp01(d + 1.2f));  // outline
    return clamp01(v) * coverage(d);
}

Image sliderTrack() {
    // Uniform across x: the program stretches a narrow strip of this cell along the whole track.
    return drawCell([](float, float y) {
        const float rows[] = {0.30f, 0.38f, 0.42f, 0.45f, 0.48f, 0.50f, 0.52f, 0.56f, 0.88f, 0.55f};
        const int row = static_cast<int>(y) - 11;
        return grey(row >= 0 && row < 10 ? rows[row] : 0.0f);
    });
}

Image sliderKnob() {
    const Distance body = [](float x, float y) {
        return boxDistance(x, y, kCentre, kCentre, 13.0f, 14.5f, 5.0f);
    };
    return drawCell([&](float x, float y) {
        float v = bevel(body, x, y, 0.92f, 0.66f, true);
        // Three grip grooves across the middle, each a shadow with a highlight beside it.
        if (y > 9.0f && y < 23.0f) {
            for (float gx : {10.5f, 16.0f, 21.5f}) {
                if (std::fabs(x - gx) < 0.6f) v = 0.35f;
                if (std::fabs(x - gx - 1.0f) < 0.6f) v = 1.0f;
            }
        }
        return grey(v);
    });
}

Image toggle(bool on) {
    const Distance track = [](float x, float y) {
        return boxDistance(x, y, kCentre, kCentre, 14.5f, 8.5f, 8.5f);
    };
    const float knobX = on ? 23.0f : 9.0f;
    const Distance knob = [knobX](float x, float y) { return circleDistance(x, y, knobX, kCentre, 6.5f); };
    return drawCell([&](float x, float y) {
        const float trackShade = bevel(track, x, y, on ? 0.62f : 0.30f, on ? 0.78f : 0.40f, false);
        const float k = coverage(knob(x, y));
        const float knobShade =
            clamp01(lerp(1.0f, 0.78f, (y - 9.0f) / 14.0f) + 0.2f * rimLight(knob, x, y, 2.5f));
        return grey(lerp(trackShade, knobShade, k));
    });
}

Image button(bool pressed) {
    const Distance body = [](float x, float y) {
        return boxDistance(x, y, kCentre, kCentre, 14.5f, 14.5f, 5.0f);
    };
    return drawCell([&](float x, float y) {
        return grey(pressed ? bevel(body, x, y, 0.52f, 0.64f, false) : bevel(body, x, y, 0.84f, 0.62f, true));
    });
}

Image titleBar() {
    const Distance body = [](float x, float y) {
        return boxDistance(x, y, kCentre, kCentre, 14.5f, 14.5f, 4.0f);
    };
    return drawCell([&](float x, float y) {
        float v = bevel(body, x, y, 0.66f, 0.50f, true);
        // A 3 x 3 grid of raised grip dots says "drag me".
        for (int j = -1; j <= 1; ++j) {
            for (int i = -1; i <= 1; ++i) {
                const float cx = kCentre + 7.0f * i, cy = kCentre + 7.0f * j;
                const float shadow = coverage(circleDistance(x, y, cx + 0.8f, cy + 0.8f, 2.2f));
                const float dot = coverage(circleDistance(x, y, cx, cy, 2.2f));
                v = lerp(lerp(v, 0.25f, shadow), 0.98f, dot);
            }
        }
        return grey(v);
    });
}

Image backButton(bool pressed) {
    const Distance body = [](float x, float y) { return circleDistance(x, y, kCentre, kCentre, 14.5f); };
    const float shift = pressed ? 0.8f : 0.0f;
    const Distance arrow = [shift](float x, float y) {
        x -= shift;
        y -= shift;
        const float head = triangleDistance(x, y, 6.5f, kCentre, 16.0f, 7.0f, 16.0f, 25.0f);
        const float shaft = boxDistance(x, y, 19.0f, kCentre, 6.0f, 3.2f, 0.8f);
        return std::min(head, shaft);
    };
    return drawCell([&](float x, float y) {
        const float face =
            pressed ? bevel(body, x, y, 0.36f, 0.48f, false) : bevel(body, x, y, 0.62f, 0.42f, true);
        const float shadow = pressed ? 0.0f : coverage(arrow(x - 1.0f, y - 1.0f));
        const float a = coverage(arrow(x, y));
        return grey(lerp(lerp(face, 0.18f, shadow), pressed ? 0.88f : 1.0f, a));
    });
}
}  // namespace

Image makeWidgetSkin() {
    Image skin(kSkinSize, kSkinSize);
    const auto place = [&skin](SkinCell cell, const Image& picture) {
        blit(skin, picture, cell.column * kSkinCell, cell.row * kSkinCell);
    };
    place(kSliderTrackCell, sliderTrack());
    place(kSliderKnobCell, sliderKnob());
    place(kToggleOffCell, toggle(false));
    place(kToggleOnCell, toggle(true));
    place(kButtonCell, button(false));
    place(kButtonPressedCell, button(true));
    place(kTitleBarCell, titleBar());
    place(kBackButtonCell, backButton(false));
    place(kBackButtonPressedCell, backButton(true));
    return skin;
}
