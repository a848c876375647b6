// The terrain strips go to OpenGL as vertex arrays; the picture must be the one that one glVertex
// call per vertex drew, to the last bit, whatever the resolution, height scale, repeat or mode.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/spot_light.h"
#include "settings/prefs.h"
#include "support/gl_context.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"
#include "textures/texture_loader.h"

namespace {
float cells[kHeightCells];
constexpr int kWidth = 200;
constexpr int kHeight = 150;

// The drawing as it was before the vertex arrays: one call per normal, texture coordinate and vertex.
void drawOneCallPerVertex(TerrainSurface& surface, const PrefsRecord& prefs) {
    const int columnCount = surface.columns;
    const int rowCount = surface.rows;
    const float sStep = columnCount / surface.textureRepeat;
    const float tStep = rowCount / surface.textureRepeat;
    surface.beginDraw(prefs);
    glPushMatrix();
    glTranslatef(surface.x, surface.y, surface.z);
    glRotatef(surface.heading, 0.0f, 1.0f, 0.0f);
    glRotatef(surface.pitch, 1.0f, 0.0f, 0.0f);
    for (int r = 0; r + 1 < rowCount; ++r) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int c = 0; c < columnCount; ++c) {
            for (int row = r; row <= r + 1; ++row) {
                const SurfaceVertex& vertex = surface.vertices[c][row];
                glNormal3f(vertex.nx, vertex.ny, vertex.nz);
                glTexCoord2f(c / sStep, row / tStep);
                glVertex3f(vertex.x, vertex.y * prefs.heightScale, vertex.z);
            }
        }
        glEnd();
    }
    glPopMatrix();
    surface.endDraw(prefs);
}

struct Picture {
    std::vector<uint8_t> rgba;
    std::vector<float> depth;
    float normal[4] = {};
    float texCoord[4] = {};
};

struct TerrainPictures : ::testing::Test {
    GlContext gl{kWidth, kHeight};
    PrefsRecord prefs;
    Heightmap map;
    std::unique_ptr<TerrainSurface> surface = std::make_unique<TerrainSurface>();
    GLuint texture = 0;

    void SetUp() override {
        ASSERT_TRUE(gl.ok());
        prefs.setDefaults();
        map.heights = cells;
        map.generate(Heightmap::kPlayground, 128);
        std::vector<uint8_t> pixels(32 * 32 * 4);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 53) % 251);
        texture = uploadRgbaTexture(pixels.data(), 32, 32, 1);
        surface->texture = static_cast<int>(texture);
        surface->setRGBA(1.0f, 0.85f, 0.7f, 1.0f);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogf(GL_FOG_START, 0.1f);
        glFogf(GL_FOG_END, 5.0f);
        glHint(GL_FOG_HINT, GL_NICEST);
    }

    // The rider's view from the edge of the park, the light high up, fog and lighting on.
    template <typename Draw>
    Picture take(Draw draw) {
        glClearColor(0.2f, 0.2f, 0.7f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.0119, 0.0119, -0.0089, 0.0089, 0.01, 9.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(12.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(2.9f, -0.5f, 0.3f);
        SpotLight light;
        light.moveTo(1.0f, 3.5f, 0.0f);
        light.apply();
        glNormal3f(0.3f, 0.4f, 0.5f);
        glTexCoord2f(0.7f, 0.9f);
        glEnable(GL_FOG);
        glEnable(GL_LIGHTING);
        draw();
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
        glFinish();
        Picture picture;
        picture.rgba = gl.readRgba();
        picture.depth.resize(kWidth * kHeight);
        glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, picture.depth.data());
        glGetFloatv(GL_CURRENT_NORMAL, picture.normal);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, picture.texCoord);
        return picture;
    }

    void expectSamePictures(const char* what) {
        const Picture reference = take([&] { drawOneCallPerVertex(*surface, prefs); });
        const Picture arrays = take([&] { surface->draw(prefs); });
        EXPECT_TRUE(arrays.rgba == reference.rgba) << what;
        EXPECT_TRUE(arrays.depth == reference.depth) << what;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(arrays.normal[i], reference.normal[i]) << what;
        for (int i = 0; i < 2; ++i) EXPECT_EQ(arrays.texCoord[i], reference.texCoord[i]) << what;
        for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY})
            EXPECT_FALSE(glIsEnabled(array)) << what;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << what;
    }
};
}  // namespace

TEST_F(TerrainPictures, VertexArraysDrawTheSamePictureAsOneCallPerVertex) {
    const struct {
        int resolution;
        float heightScale;
        float textureRepeat;
        float heading;
        float pitch;
        int texturesOn;
    } cases[] = {{63, 1.0f, 10.0f, 0.0f, 0.0f, 1},
                 {99, 1.0f, 15.0f, 0.0f, 0.0f, 1},
                 {31, 2.5f, 6.0f, 20.0f, -5.0f, 1},
                 {63, 0.37f, 13.3f, 0.0f, 0.0f, 0},
                 {100, 1.0f, 20.0f, 0.0f, 0.0f, 1}};
    for (const auto& c : cases) {
        surface->setResolution(c.resolution);
        surface->build(map);
        prefs.heightScale = c.heightScale;
        surface->textureRepeat = c.textureRepeat;
        surface->heading = c.heading;
        surface->pitch = c.pitch;
        prefs.texturesOn = c.texturesOn;
        expectSamePictures(("resolution " + std::to_string(c.resolution)).c_str());
    }
    // The picture is a real one: the terrain covers the lower part and shows many shades.
    const Picture picture = take([&] { surface->draw(prefs); });
    int shades[256] = {};
    int distinct = 0;
    for (size_t i = 0; i < picture.rgba.size(); i += 4)
        if (shades[picture.rgba[i + 1]]++ == 0) ++distinct;
    EXPECT_GT(distinct, 40);
}

TEST_F(TerrainPictures, VertexArraysMatchInWireFrameAndPoints) {
    surface->setResolution(63);
    surface->build(map);
    surface->textureRepeat = 10.0f;
    for (GLenum mode : {GL_LINE, GL_POINT}) {
        glPolygonMode(GL_FRONT_AND_BACK, mode);
        expectSamePictures(mode == GL_LINE ? "lines" : "points");
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}
