#include "icon.h"

#include <cmath>
#include <cstdio>

namespace {
// Everything is laid out on a 512 x 512 canvas, y down, as in the SVG.
constexpr float kCanvas = 512.0f;
constexpr int kSamples = 4;  // per pixel and axis, for smooth edges at every size

struct Colour {
    uint8_t r, g, b;
};
constexpr Colour kSky{0x3a, 0x8f, 0xd6}, kGround{0x5c, 0x61, 0x69}, kRamp{0xd0, 0x93, 0x52},
    kCoping{0xe3, 0xe6, 0xea}, kDeck{0xe2, 0x4b, 0x3a}, kWheel{0xf4, 0xe8, 0xc8};

// The board's own frame: turned 30 degrees up to the right about its middle.
constexpr float kBoardX = 224.0f, kBoardY = 170.0f, kBoardTurn = -30.0f;

bool inRoundedSquare(float x, float y, float x0, float y0, float x1, float y1, float radius) {
    const float dx = std::fmax(std::fmax(x0 + radius - x, x - (x1 - radius)), 0.0f);
    const float dy = std::fmax(std::fmax(y0 + radius - y, y - (y1 - radius)), 0.0f);
    return x >= x0 && x <= x1 && y >= y0 && y <= y1 && dx * dx + dy * dy <= radius * radius;
}
bool inCircle(float x, float y, float cx, float cy, float radius) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// The colour of the canvas point, or false where it is transparent; later shapes lie on top.
bool paint(float x, float y, Colour* colour) {
    if (!inRoundedSquare(x, y, 16, 16, 496, 496, 96)) return false;
    *colour = y >= 416 ? kGround : kSky;
    if (x >= 112 && x <= 448 && y >= 128 && y <= 416 && !inCircle(x, y, 112, 128, 288)) *colour = kRamp;
    if (inCircle(x, y, 400, 128, 16)) *colour = kCoping;
    const float turn = -kBoardTurn * 3.14159265f / 180.0f;
    const float bx = std::cos(turn) * (x - kBoardX) - std::sin(turn) * (y - kBoardY) + kBoardX;
    const float by = std::sin(turn) * (x - kBoardX) + std::cos(turn) * (y - kBoardY) + kBoardY;
    if (inRoundedSquare(bx, by, 104, 156, 344, 184, 14)) *colour = kDeck;
    if (inCircle(bx, by, 150, 196, 16) || inCircle(bx, by, 298, 196, 16)) *colour = kWheel;
    return true;
}
}  // namespace

std::string makeIconSvg() {
    char svg[2048];
    std::snprintf(
        svg, sizeof svg,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"512\" height=\"512\" viewBox=\"0 0 512 512\">\n"
        "  <clipPath id=\"tile\"><rect x=\"16\" y=\"16\" width=\"480\" height=\"480\" "
        "rx=\"96\"/></clipPath>\n"
        "  <g clip-path=\"url(#tile)\">\n"
        "    <rect x=\"16\" y=\"16\" width=\"480\" height=\"480\" fill=\"#%02x%02x%02x\"/>\n"
        "    <rect x=\"16\" y=\"416\" width=\"480\" height=\"80\" fill=\"#%02x%02x%02x\"/>\n"
        "  </g>\n"
        "  <path d=\"M 112 416 A 288 288 0 0 0 400 128 L 448 128 L 448 416 Z\" fill=\"#%02x%02x%02x\"/>\n"
        "  <circle cx=\"400\" cy=\"128\" r=\"16\" fill=\"#%02x%02x%02x\"/>\n"
        "  <g transform=\"rotate(%g %g %g)\">\n"
        "    <rect x=\"104\" y=\"156\" width=\"240\" height=\"28\" rx=\"14\" fill=\"#%02x%02x%02x\"/>\n"
        "    <circle cx=\"150\" cy=\"196\" r=\"16\" fill=\"#%02x%02x%02x\"/>\n"
        "    <circle cx=\"298\" cy=\"196\" r=\"16\" fill=\"#%02x%02x%02x\"/>\n"
        "  </g>\n"
        "</svg>\n",
        kSky.r, kSky.g, kSky.b, kGround.r, kGround.g, kGround.b, kRamp.r, kRamp.g, kRamp.b, kCoping.r,
        kCoping.g, kCoping.b, kBoardTurn, kBoardX, kBoardY, kDeck.r, kDeck.g, kDeck.b, kWheel.r, kWheel.g,
        kWheel.b, kWheel.r, kWheel.g, kWheel.b);
    return svg;
}

Bytes makeIconRgba(int size) {
    Bytes rgba;
    rgba.reserve(static_cast<size_t>(size) * size * 4);
    const float step = kCanvas / size / kSamples;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int sum[3] = {0, 0, 0}, covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    Colour c;
                    if (!paint((x * kSamples + sx + 0.5f) * step, (y * kSamples + sy + 0.5f) * step, &c))
                        continue;
                    sum[0] += c.r, sum[1] += c.g, sum[2] += c.b, ++covered;
                }
            for (int k = 0; k < 3; ++k)
                rgba.push_back(static_cast<uint8_t>(covered ? (sum[k] + covered / 2) / covered : 0));
            rgba.push_back(
                static_cast<uint8_t>((covered * 255 + kSamples * kSamples / 2) / (kSamples * kSamples)));
        }
    }
    return rgba;
}

std::string makeWindowIconSource() {
    std::string source =
        "// Made by rampix_datagen: the window's icons as _NET_WM_ICON takes them.\n"
        "const unsigned long kWindowIcon[] = {\n";
    char number[16];
    for (int size : kWindowIconSizes) {
        const Bytes rgba = makeIconRgba(size);
        std::snprintf(number, sizeof number, "%d,%d,\n", size, size);
        source += number;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            const unsigned long argb = static_cast<unsigned long>(rgba[i + 3]) << 24 | rgba[i] << 16 |
                                       rgba[i + 1] << 8 | rgba[i + 2];
            std::snprintf(number, sizeof number, "0x%08lx,", argb);
            source += number;
            if (i % 32 == 28) source += "\n";
        }
    }
    return source + "};\n";
}
