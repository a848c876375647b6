#include "app/renderer_warm_up.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/screen_view.h"
#include "scene/scene_object.h"
#include "scene/spot_light.h"
#include "settings/prefs.h"
#include "support/gl_context.h"
#include "terrain/heightmap.h"
#include "terrain/terrain_surface.h"
#include "textures/texture_loader.h"
#include "ui/font_text.h"

namespace {
constexpr int kSide = 96;

struct WarmUpTextures {
    unsigned plain;
    unsigned mipmapped;
};

// Two 16 x 16 RGBA textures with a pattern whose brightness (and so alpha) varies.
WarmUpTextures makeTextures() {
    std::vector<uint8_t> pixels(16 * 16 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 37) % 256);
    return {uploadRgbaTexture(pixels.data(), 16, 16, 0), uploadRgbaTexture(pixels.data(), 16, 16, 1)};
}

// Everything a drawing routine of the program sets or relies on, as numbers.
std::vector<double> glStateSnapshot() {
    std::vector<double> state;
    for (GLenum cap : {GL_ALPHA_TEST, GL_BLEND, GL_COLOR_MATERIAL, GL_CULL_FACE, GL_DEPTH_TEST, GL_DITHER,
                       GL_FOG, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_NORMALIZE, GL_SCISSOR_TEST,
                       GL_STENCIL_TEST, GL_TEXTURE_2D, GL_POINT_SMOOTH, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH})
        state.push_back(glIsEnabled(cap));
    const struct {
        GLenum name;
        int count;
    } values[] = {{GL_CURRENT_COLOR, 4},
                  {GL_CURRENT_NORMAL, 3},
                  {GL_CURRENT_TEXTURE_COORDS, 4},
                  {GL_CURRENT_RASTER_POSITION, 4},
                  {GL_MATRIX_MODE, 1},
                  {GL_MODELVIEW_MATRIX, 16},
                  {GL_PROJECTION_MATRIX, 16},
                  {GL_TEXTURE_MATRIX, 16},
                  {GL_MODELVIEW_STACK_DEPTH, 1},
                  {GL_PROJECTION_STACK_DEPTH, 1},
                  {GL_ATTRIB_STACK_DEPTH, 1},
                  {GL_TEXTURE_BINDING_2D, 1},
                  {GL_POINT_SIZE, 1},
                  {GL_LINE_WIDTH, 1},
                  {GL_POLYGON_MODE, 2},
                  {GL_SHADE_MODEL, 1},
                  {GL_FRONT_FACE, 1},
                  {GL_CULL_FACE_MODE, 1},
                  {GL_BLEND_SRC, 1},
                  {GL_BLEND_DST, 1},
                  {GL_ALPHA_TEST_FUNC, 1},
                  {GL_ALPHA_TEST_REF, 1},
                  {GL_DEPTH_WRITEMASK, 1},
                  {GL_DEPTH_FUNC, 1},
                  {GL_COLOR_WRITEMASK, 4},
                  {GL_VIEWPORT, 4},
                  {GL_SCISSOR_BOX, 4},
                  {GL_COLOR_CLEAR_VALUE, 4},
                  {GL_DEPTH_CLEAR_VALUE, 1},
                  {GL_FOG_MODE, 1},
                  {GL_FOG_START, 1},
                  {GL_FOG_END, 1},
                  {GL_FOG_DENSITY, 1},
                  {GL_FOG_COLOR, 4},
                  {GL_FOG_HINT, 1},
                  {GL_LIGHT_MODEL_AMBIENT, 4},
                  {GL_LIGHT_MODEL_LOCAL_VIEWER, 1},
                  {GL_LIGHT_MODEL_TWO_SIDE, 1},
                  {GL_COLOR_MATERIAL_FACE, 1},
                  {GL_COLOR_MATERIAL_PARAMETER, 1},
                  {GL_UNPACK_ALIGNMENT, 1}};
    for (const auto& value : values) {
        double v[16] = {};
        glGetDoublev(value.name, v);
        state.insert(state.end(), v, v + value.count);
    }
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
        for (GLenum name :
             {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION, GL_SPOT_DIRECTION, GL_SPOT_EXPONENT,
              GL_SPOT_CUTOFF, GL_CONSTANT_ATTENUATION, GL_LINEAR_ATTENUATION, GL_QUADRATIC_ATTENUATION}) {
            float v[4] = {};
            glGetLightfv(light, name, v);
            state.insert(state.end(), v, v + 4);
        }
    }
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        for (GLenum name : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION, GL_SHININESS}) {
            float v[4] = {};
            glGetMaterialfv(face, name, v);
            state.insert(state.end(), v, v + 4);
        }
    }
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    state.push_back(envMode);
    return state;
}

std::vector<float> readDepth() {
    std::vector<float> depth(kSide * kSide);
    glReadPixels(0, 0, kSide, kSide, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}

// The game's fixed state, then a state in the middle of a frame that differs from every default
// the warm-up touches.
void setBusyState(const WarmUpTextures& textures) {
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 50.0f);
    glBlendFunc(GL_ONE, GL_ZERO);
    glAlphaFunc(GL_LEQUAL, 0.25f);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0.3f);
    glFogf(GL_FOG_END, 4.0f);
    glEnable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, textures.mipmapped);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glNormal3f(0.0f, 0.6f, 0.8f);
    glTexCoord2f(0.5f, 0.25f);
    glPointSize(3.0f);
    glPolygonMode(GL_BACK, GL_LINE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -5.0, 5.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.1f, 0.2f, 0.3f);
}

// A piece of the game's picture: trail fade, lit, fogged and textured terrain over a bumpy
// heightmap, the sun sprite and a line of text.
std::vector<uint8_t> drawScene(const GlContext& gl, const WarmUpTextures& textures) {
    static float cells[kHeightCells];
    Heightmap map;
    map.heights = cells;
    map.generate(Heightmap::kPlayground, 128);
    auto surface = std::make_unique<TerrainSurface>();
    surface->setResolution(31);
    surface->build(map);
    surface->texture = static_cast<int>(textures.plain);
    surface->textureRepeat = 4.0f;
    PrefsRecord prefs;
    prefs.setDefaults();

    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glClearColor(0.3f, 0.3f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.01, 0.01, -0.0075, 0.0075, 0.01, 9.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(3.0f, -0.6f, 0.0f);
    SpotLight light;
    light.moveTo(0.0f, 4.0f, 0.0f);
    light.apply();
    SceneObject3D sun;
    sun.texture = static_cast<int>(textures.plain);
    sun.width = sun.height = 0.1f;
    sun.moveTo(2.0f, 0.8f, 0.0f);
    sun.draw(sun, prefs);
    glFogf(GL_FOG_START, 0.1f);
    glFogf(GL_FOG_END, 5.0f);
    glEnable(GL_FOG);
    glEnable(GL_LIGHTING);
    surface->draw(prefs);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);

    ScreenView screen;
    screen.width = screen.height = kSide;
    screen.setLetterbox(0);
    screen.applyViewport();
    screen.setOverlayProjection();
    screen.setClearColour(0.0f, 0.0f, 0.2f);
    screen.fade(0.3f);
    FontText::wire(textures.plain, nullptr, nullptr, nullptr);
    FontText text;
    text.drawText("Rampix", 10.0f, 80.0f, 8.0f);
    glFinish();
    return gl.readRgba();
}
}  // namespace

TEST(RendererWarmUp, DrawsNothingAndPutsEveryStateBack) {
    GlContext gl(kSide, kSide);
    ASSERT_TRUE(gl.ok());
    const WarmUpTextures textures = makeTextures();
    glClearColor(0.2f, 0.4f, 0.6f, 0.8f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setBusyState(textures);
    const std::vector<double> stateBefore = glStateSnapshot();
    const std::vector<uint8_t> pixelsBefore = gl.readRgba();
    const std::vector<float> depthBefore = readDepth();

    warmUpRenderer(textures.plain, textures.mipmapped);
    glFinish();

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(glStateSnapshot(), stateBefore);
    EXPECT_EQ(gl.readRgba(), pixelsBefore);
    EXPECT_EQ(readDepth(), depthBefore);
    // The shared font wiring is back to unset: text binds texture 0 again.
    FontText text;
    text.drawText("A", 10.0f, 10.0f, 8.0f);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
}

TEST(RendererWarmUp, TheGamePictureIsTheSameWithAndWithoutIt) {
    std::vector<uint8_t> plainRun, warmedRun;
    GLuint nextTexture[2] = {0, 0};
    for (int warmed = 0; warmed < 2; ++warmed) {
        GlContext gl(kSide, kSide);
        ASSERT_TRUE(gl.ok());
        const WarmUpTextures textures = makeTextures();
        if (warmed) warmUpRenderer(textures.plain, textures.mipmapped);
        (warmed ? warmedRun : plainRun) = drawScene(gl, textures);
        glGenTextures(1, &nextTexture[warmed]);
        FontText::wire(0, nullptr, nullptr, nullptr);
    }
    ASSERT_EQ(plainRun.size(), static_cast<size_t>(kSide * kSide * 4));
    EXPECT_EQ(warmedRun, plainRun);
    EXPECT_EQ(nextTexture[1], nextTexture[0]);
    // The scene really shows terrain, sky and text: many distinct colours.
    std::vector<uint32_t> colours;
    for (size_t i = 0; i < plainRun.size(); i += 4)
        colours.push_back(plainRun[i] << 16 | plainRun[i + 1] << 8 | plainRun[i + 2]);
    std::sort(colours.begin(), colours.end());
    EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 50);
}
