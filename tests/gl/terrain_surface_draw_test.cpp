#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings/prefs.h"
#include "support/gl_context.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"

namespace {
float cells[kHeightCells];
constexpr int kSide = 64;

struct TerrainDrawing : ::testing::Test {
    GlContext gl{kSide, kSide};
    PrefsRecord prefs;
    Heightmap map;
    std::unique_ptr<TerrainSurface> surface = std::make_unique<TerrainSurface>();

    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        prefs.setDefaults();
        prefs.texturesOn = 0;
        map.heights = cells;
        fillGrid(0.0f);
    }
    void fillGrid(float height) {
        map.size = 128;
        for (float& h : cells) h = height;
    }
    // Looking straight down on the park: world x to the right, world height towards the viewer.
    void drawFromAbove() {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4.0, 4.0, -4.0, 4.0, -10.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        surface->draw(prefs);
    }
    float depthAtCentre() const {
        float depth = -1.0f;
        glReadPixels(kSide / 2, kSide / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    }
    // Changes between black and white texels along a row or a column, the blue background skipped.
    int texelChanges(bool alongRow) const {
        const std::vector<uint8_t> rgba = gl.readRgba();
        int changes = 0;
        int last = -1;
        for (int k = 0; k < kSide; ++k) {
            const int px = alongRow ? k : kSide / 2;
            const int py = alongRow ? kSide / 2 : k;
            const uint8_t* p = &rgba[(static_cast<size_t>(py) * kSide + px) * 4];
            if (p[2] > 128 && p[0] < 128) continue;
            const int white = p[0] > 128;
            if (last >= 0 && white != last) ++changes;
            last = white;
        }
        return changes;
    }
};

GLuint blackWhiteTexture() {
    const uint8_t texels[] = {0, 0, 0, 255, 255, 255, 255, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}
}  // namespace

TEST_F(TerrainDrawing, HeightScaleZeroDrawsFlatAndKeepsTheMesh) {
    surface->setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    surface->build(map);
    drawFromAbove();
    const float ground = depthAtCentre();
    EXPECT_EQ(gl.pixel(kSide / 2, kSide / 2).r, 255);

    fillGrid(10.0f);
    surface->build(map);
    drawFromAbove();
    const float raised = depthAtCentre();
    EXPECT_NEAR(ground, 0.5f, 1e-3);
    EXPECT_NEAR(raised, 0.45f, 1e-3);

    prefs.heightScale = 0.0f;
    drawFromAbove();
    EXPECT_NEAR(depthAtCentre(), ground, 1e-6);
    EXPECT_FLOAT_EQ(surface->heightAt(0.5f, 0.5f), 1.0f);

    prefs.heightScale = 2.0f;
    drawFromAbove();
    EXPECT_NEAR(depthAtCentre(), 0.4f, 1e-3);
}

TEST_F(TerrainDrawing, TextureRepeatAndAnglesActOnTheNextDraw) {
    prefs.texturesOn = 1;
    const GLuint texture = blackWhiteTexture();
    surface->texture = static_cast<int>(texture);
    surface->build(map);
    drawFromAbove();
    EXPECT_EQ(texelChanges(true), 1);
    surface->textureRepeat = 2.0f;
    drawFromAbove();
    EXPECT_EQ(texelChanges(true), 3);
    surface->textureRepeat = 3.0f;
    drawFromAbove();
    EXPECT_EQ(texelChanges(true), 5);

    // Turned a quarter about the vertical, the stripes run across the other screen axis.
    surface->heading = 90.0f;
    drawFromAbove();
    EXPECT_EQ(texelChanges(true), 0);
    EXPECT_EQ(texelChanges(false), 5);

    // Moved away, nothing of it is left on screen.
    surface->x = 100.0f;
    drawFromAbove();
    const GlContext::Pixel centre = gl.pixel(kSide / 2, kSide / 2);
    EXPECT_EQ(centre.b, 255);
    EXPECT_EQ(centre.r, 0);
    glDeleteTextures(1, &texture);
}

TEST_F(TerrainDrawing, LeavesTheRestingStateAndTheMatrix) {
    prefs.texturesOn = 1;
    surface->depthWrite = 0;
    surface->build(map);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.5f, 0.0f, 0.0f);
    float before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    surface->heading = 30.0f;
    surface->pitch = 10.0f;
    surface->draw(prefs);
    float after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(before[k], after[k]) << k;
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
