#include "font_atlas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

namespace {
// Ink may come this close to a cell's edge, so that neighbouring glyphs never bleed into each other
// when the atlas is filtered.
constexpr int kMargin = 1;
// Glyphs are drawn into a cell twice as high as wide; a font's natural letters are narrower than
// that, so they are stretched vertically by up to this much to use the height.
constexpr float kMaxStretch = 1.3f;

struct Extent {
    int width = 0;    // widest ink
    int ascent = 0;   // highest ink above the baseline
    int descent = 0;  // lowest ink below the baseline
    int left = 0;     // leftmost ink relative to a centred advance
    int right = 0;    // rightmost ink relative to a centred advance
};

bool loadGlyph(FT_Face face, int code) {
    return FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) == 0;
}

// Pen position that centres the glyph's advance in the cell.
int penX(FT_Face face) {
    return (kFontCellWidth - static_cast<int>(face->glyph->advance.x >> 6)) / 2;
}

bool measure(FT_Face face, Extent* e) {
    *e = Extent{};
    e->left = kFontCellWidth;
    for (int code = kFontFirstCode + 1; code <= kFontLastCode; ++code) {
        if (!loadGlyph(face, code)) return false;
        const FT_GlyphSlot g = face->glyph;
        const int rows = static_cast<int>(g->bitmap.rows), cols = static_cast<int>(g->bitmap.width);
        if (rows == 0) continue;
        e->width = std::max(e->width, cols);
        e->ascent = std::max(e->ascent, g->bitmap_top);
        e->descent = std::max(e->descent, rows - g->bitmap_top);
        e->left = std::min(e->left, penX(face) + g->bitmap_left);
        e->right = std::max(e->right, penX(face) + g->bitmap_left + cols);
    }
    return true;
}

bool fits(const Extent& e) {
    return e.left >= kMargin && e.right <= kFontCellWidth - kMargin &&
           e.ascent + e.descent <= kFontCellHeight - 2 * kMargin;
}

// The largest pixel size (and vertical stretch) at which every glyph fits its cell.
bool chooseSize(FT_Face face, Extent* extent) {
    int width = 8;
    for (int w = 8; w <= 24; ++w) {
        if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(w), static_cast<FT_UInt>(w)) != 0) return false;
        Extent e;
        if (!measure(face, &e)) return false;
        if (!fits(e)) break;
        width = w;
    }
    int height = width;
    for (int h = width; h <= static_cast<int>(width * kMaxStretch); ++h) {
        if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(width), static_cast<FT_UInt>(h)) != 0) return false;
        Extent e;
        if (!measure(face, &e)) return false;
        if (!fits(e)) break;
        height = h;
    }
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(width), static_cast<FT_UInt>(height)) != 0)
        return false;
    return measure(face, extent);
}

void drawGlyph(FT_Face face, int code, int baseline, Image* atlas) {
    const int cell = code - kFontFirstCode;
    const int cellX = (cell % 16) * kFontCellWidth, cellY = (cell / 16) * kFontCellHeight;
    const FT_GlyphSlot g = face->glyph;
    const int originX = cellX + penX(face) + g->bitmap_left;
    const int originY = cellY + baseline - g->bitmap_top;
    for (unsigned row = 0; row < g->bitmap.rows; ++row) {
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
            const float v = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0f;
            atlas->at(originX + static_cast<int>(col), originY + static_cast<int>(row)) = grey(v);
        }
    }
}
}  // namespace

bool makeFontAtlas(const std::string& fontPath, Image* atlas) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "FreeType failed to start\n");
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "cannot load font %s\n", fontPath.c_str());
        FT_Done_FreeType(library);
        return false;
    }
    *atlas = Image(kFontAtlasSize, kFontAtlasSize);
    Extent extent;
    bool ok = chooseSize(face, &extent);
    // Centre the tallest ink vertically; every glyph shares this baseline.
    const int baseline = (kFontCellHeight - extent.ascent - extent.descent) / 2 + extent.ascent;
    for (int code = kFontFirstCode + 1; ok && code <= kFontLastCode; ++code) {
        ok = loadGlyph(face, code);
        if (ok) drawGlyph(face, code, baseline, atlas);
    }
    if (!ok) std::fprintf(stderr, "FreeType failed to render %s\n", fontPath.c_str());
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ok;
}
