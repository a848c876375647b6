// The renderer warm-up before the splash.
#include "app/renderer_warm_up.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/gl_context.h"
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

// The state the program's drawing routines set or rely on, as numbers.
std::vector<double> glStateSnapshot() {
    std::vector<double> state;
    for (GLenum cap : {GL_ALPHA_TEST, GL_BLEND, GL_COLOR_MATERIAL, GL_DEPTH_TEST, GL_FOG, GL_LIGHTING,
                       GL_LIGHT0, GL_TEXTURE_2D, GL_SCISSOR_TEST})
        state.push_back(glIsEnabled(cap));
    for (const auto& [name, count] : {std::pair{GL_CURRENT_COLOR, 4},
                                      {GL_CURRENT_NORMAL, 3},
                                      {GL_MODELVIEW_MATRIX, 16},
                                      {GL_PROJECTION_MATRIX, 16},
                                      {GL_MATRIX_MODE, 1},
                                      {GL_ATTRIB_STACK_DEPTH, 1},
                                      {GL_TEXTURE_BINDING_2D, 1},
                                      {GL_POINT_SIZE, 1},
                                      {GL_POLYGON_MODE, 2},
                                      {GL_BLEND_SRC, 1},
                                      {GL_BLEND_DST, 1},
                                      {GL_ALPHA_TEST_FUNC, 1},
                                      {GL_ALPHA_TEST_REF, 1},
                                      {GL_DEPTH_WRITEMASK, 1},
                                      {GL_VIEWPORT, 4},
                                      {GL_FOG_START, 1},
                                      {GL_FOG_END, 1}}) {
        double v[16] = {};
        glGetDoublev(name, v);
        state.insert(state.end(), v, v + count);
    }
    for (GLenum name : {GL_AMBIENT, GL_DIFFUSE, GL_POSITION}) {
        float v[4] = {};
        glGetLightfv(GL_LIGHT0, name, v);
        state.insert(state.end(), v, v + 4);
    }
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

}  // namespace

// The warm-up before the splash draws with the game's own routines, so it must leave no trace: no
// pixel, no depth and no GL state of the game changes, and the shared font wiring is unset again.
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
