// The offscreen picture against a stored one in tests/data, under a small tolerance. With
// RAMPIX_UPDATE_PICTURES=1 the picture is stored anew first (look at it before keeping it).
#pragma once

#include <cstdlib>
#include <string>

#include "support/gl_context.h"
#include "support/test_files.h"

// How many pixels differ by more than 12 in a channel; -1 when the stored picture is unreadable.
inline int pixelsUnlikeStored(const GlContext& gl, const std::string& name) {
    const Bytes rgba = gl.readRgba();
    Bytes picture;  // RGB, top row first
    for (int y = gl.height() - 1; y >= 0; --y)
        for (int x = 0; x < gl.width(); ++x)
            for (int c = 0; c < 3; ++c)
                picture.push_back(rgba[(static_cast<size_t>(y) * gl.width() + x) * 4 + c]);
    const std::string path = std::string(RAMPIX_SOURCE_DIR) + "/tests/data/" + name + ".png";
    if (std::getenv("RAMPIX_UPDATE_PICTURES"))
        writeFile(path, encodePng(gl.width(), gl.height(), 3, picture));
    Bytes stored;
    int width = 0, height = 0;
    if (!decodeStoredPng(path, &width, &height, &stored) || stored.size() != picture.size()) return -1;
    int differing = 0;
    for (size_t i = 0; i < picture.size(); i += 3) {
        bool differs = false;
        for (size_t c = i; c < i + 3; ++c) differs |= std::abs(picture[c] - stored[c]) > 12;
        differing += differs;
    }
    return differing;
}
