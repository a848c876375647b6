// The drawing parts on a real offscreen context: scene objects, the star field, the screen
// passes, the renderer warm-up and texture upload.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "app/globals.h"
#include "app/renderer_warm_up.h"
#include "support/gl_helpers.h"
#include "textures/procedural_texture.h"
#include "textures/texture_loader.h"

namespace {
using V = std::vector<float>;
void paint(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
}  // namespace

// Under a straight camera: a checkerboard object through the alpha test, a red sprite as a billboard
// turned to a viewer at 40 and 20 degrees, and a green object at its own angles. The resting state
// after each, and after the star field.
TEST(SceneObjectDraw, TexturedBillboardAndTurnedObjectsAndTheStars) {
    GlContext gl(144, 48);
    ASSERT_TRUE(gl.ok());
    paint(0.2f, 0.2f, 0.2f);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 3.0, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    PrefsRecord prefs;
    SceneObject3D viewer, objects[3];
    viewer.heading = 40.0f;
    viewer.pitch = 20.0f;
    objects[0].texture = static_cast<int>(makeProceduralTexture(kCheckerboardKind, 0));
    objects[0].billboard = objects[2].billboard = objects[0].depthWrite = 0;
    objects[1].setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    objects[2].setRGBA(0.0f, 1.0f, 0.0f, 1.0f);
    objects[2].heading = -30.0f;
    objects[2].pitch = -20.0f;
    objects[2].blendSrcIndex = 1;
    for (int i = 0; i < 3; ++i) {
        objects[i].width = objects[i].height = 0.8f;
        objects[i].moveTo(2.4f * static_cast<float>(i - 1), 0.0f, -1.6f);
        prefs.texturesOn = i == 0;
        objects[i].draw(viewer, prefs);
        expectRestingState();
    }
    EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_LE(pixelsUnlikeStored(gl, "scene_objects"), 4);
    StarField field;
    field.blendOn = field.depthTestOn = 1;
    field.build(10);
    field.draw();
    expectRestingState();
    field.release();
}

// A clear request blacks out two frames and puts the sky's colour back; an unknown polygon mode leaves the
// last.
TEST(Screen, ClearRequestAndPolygonMode) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    Screen.clearPasses = 1;
    Screen.setClearColour(0.25f, 0.5f, 0.75f);
    int blackFrames = 0;
    for (int frame = 0; frame < 5; ++frame) {
        paint(1, 1, 1);
        runScreenClearRequest();
        blackFrames += gl.pixel(4, 4).r + gl.pixel(4, 4).g + gl.pixel(4, 4).b == 0;
    }
    EXPECT_EQ(blackFrames, 2);
    Screen.clearPasses = 2;
    runScreenClearRequest();
    V clearValue(4);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearValue.data());
    EXPECT_EQ(clearValue, (V{0.25f, 0.5f, 0.75f, 1.0f}));
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    applyPolygonMode(3);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_LINE);
    applyPolygonMode(2);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_POINT);
}

namespace {
// The state the program's drawing routines set or rely on, as numbers (up to 16 for each query).
std::vector<double> glStateSnapshot() {
    std::vector<double> state;
    for (GLenum cap : {GL_ALPHA_TEST, GL_BLEND, GL_COLOR_MATERIAL, GL_DEPTH_TEST, GL_FOG, GL_LIGHTING,
                       GL_LIGHT0, GL_TEXTURE_2D, GL_SCISSOR_TEST})
        state.push_back(glIsEnabled(cap));
    for (GLenum name : {GL_CURRENT_COLOR, GL_CURRENT_NORMAL, GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX,
                        GL_MATRIX_MODE, GL_ATTRIB_STACK_DEPTH, GL_TEXTURE_BINDING_2D, GL_POINT_SIZE,
                        GL_POLYGON_MODE, GL_BLEND_SRC, GL_BLEND_DST, GL_ALPHA_TEST_FUNC, GL_ALPHA_TEST_REF,
                        GL_DEPTH_WRITEMASK, GL_VIEWPORT, GL_FOG_START, GL_FOG_END}) {
        double v[16] = {};
        glGetDoublev(name, v);
        state.insert(state.end(), v, v + 16);
    }
    for (GLenum name : {GL_AMBIENT, GL_DIFFUSE, GL_POSITION}) {
        const V v = glFloats(glGetLightfv, GL_LIGHT0, name);
        state.insert(state.end(), v.begin(), v.end());
    }
    return state;
}
std::vector<float> readDepth() {
    std::vector<float> depth(96 * 96);
    glReadPixels(0, 0, 96, 96, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}
}  // namespace

// The warm-up before the splash draws with the game's own routines, so it must leave no trace: no
// pixel, no depth and no GL state of the game changes, and the shared font wiring is unset again.
TEST(RendererWarmUp, DrawsNothingAndPutsEveryStateBack) {
    GlContext gl(96, 96);
    ASSERT_TRUE(gl.ok());
    std::vector<uint8_t> pixels(16 * 16 * 4);  // a pattern whose brightness (and so alpha) varies
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 37) % 256);
    const unsigned plain = uploadRgbaTexture(pixels.data(), 16, 16, 0);
    const unsigned mipmapped = uploadRgbaTexture(pixels.data(), 16, 16, 1);
    glClearColor(0.2f, 0.4f, 0.6f, 0.8f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The game's fixed state, then a state in the middle of a frame unlike every default the warm-up touches.
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
    glBindTexture(GL_TEXTURE_2D, mipmapped);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glNormal3f(0.0f, 0.6f, 0.8f);
    glTexCoord2f(0.5f, 0.25f);
    glPointSize(3.0f);
    glPolygonMode(GL_BACK, GL_LINE);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2.0, 2.0, -2.0, 2.0, -5.0, 5.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.1f, 0.2f, 0.3f);
    const std::vector<double> stateBefore = glStateSnapshot();
    const std::vector<uint8_t> pixelsBefore = gl.readRgba();
    const std::vector<float> depthBefore = readDepth();

    warmUpRenderer(plain, mipmapped);
    glFinish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(glStateSnapshot(), stateBefore);
    EXPECT_EQ(gl.readRgba(), pixelsBefore);
    EXPECT_EQ(readDepth(), depthBefore);
    FontText text;  // the shared font wiring is back to unset: text binds texture 0 again
    text.drawText("A", 10.0f, 10.0f, 8.0f);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0);
}

namespace {
// Level 0 of a texture as RGBA bytes.
std::vector<uint8_t> readBack(unsigned name, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 7);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
GLint textureParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}
struct TextureUpload : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(gl.ok()); }
    unsigned load(const char* name, const Bytes& bytes, int mipmapped = 0) {
        return loadBmpTexture(folder.write(name, bytes).c_str(), -1, 0, mipmapped);
    }
    GlContext gl{16, 16};
    TempFolder folder;
};
}  // namespace

TEST_F(TextureUpload, AlphaFollowsTheBrightnessAndPaddedRowsReadInFileOrder) {
    const auto red = readBack(load("red.bmp", bmpBytes(4, 4, Colour{255, 0, 0})), 4, 4);
    for (size_t i = 0; i < red.size(); i += 4)
        ASSERT_EQ(std::vector<uint8_t>(&red[i], &red[i + 4]), (std::vector<uint8_t>{255, 0, 0, 85}));
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_TRUE(envMode == GL_MODULATE && glInteger(GL_UNPACK_ALIGNMENT) == 1);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(readBack(load("white.bmp", bmpBytes(4, 4, Colour{255, 255, 255})), 4, 4)[3], 255);
    EXPECT_EQ(readBack(load("black.bmp", bmpBytes(4, 4, Colour{0, 0, 0})), 4, 4)[3], 0);
    // Width 5 has one byte of padding per row; every pixel carries its own column and row.
    const Bytes oddBytes = bmpBytes(5, 3, [](int column, int row) { return Colour{200, column, 10 * row}; });
    const auto odd = readBack(load("odd.bmp", oddBytes), 5, 3);
    const auto topDown =
        readBack(load("topdown.bmp", patched(oddBytes, 22, -3u)), 5, 3);  // rows stored top first
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(std::vector<int>(&odd[i * 4], &odd[i * 4 + 3]),
                  (std::vector<int>{200, i % 5, 10 * (i / 5)}));
        EXPECT_EQ(topDown[i * 4 + 2], 10 * (2 - i / 5)) << i;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUpload, LargestImageLoadsBadFilesCreateNoTextureAndTheSameFileTwiceGivesTwo) {
    const Colour grey{90, 90, 90};
    EXPECT_EQ(readBack(load("largest.bmp", bmpBytes(256, 256, grey)), 256, 256)[256 * 256 * 4 - 1], 90);
    EXPECT_EQ(readBack(load("dot.bmp", bmpBytes(1, 1, grey)), 1, 1)[0], 90) << "the smallest image loads too";

    const Bytes plain = bmpBytes(8, 8, grey);
    const int maxSize = glInteger(GL_MAX_TEXTURE_SIZE);
    std::vector<std::string> refused = {
        folder.write("wide.bmp", bmpBytes(257, 256, grey)),
        folder.write("truncated.bmp", Bytes(plain.begin(), plain.end() - 5)),
        folder.write("16bit.bmp", patched(plain, 28, 16, 2)),
        folder.write("compressed.bmp", patched(plain, 30, 1)),
        folder.write("bitfields.bmp", patched(plain, 30, 3)),
        folder.write("empty.bmp", patched(plain, 18, 0)),
        folder.write("huge.bmp", patched(patched(plain, 18, 65535), 22, 65535)),
        folder.write("header.bmp", Bytes(plain.begin(), plain.begin() + 44)),
        folder.file("missing.bmp"),
    };
    if (maxSize < 65536) refused.push_back(folder.write("toowide.bmp", bmpBytes(maxSize + 1, 1, grey)));
    if (maxSize <= 65536) {
        EXPECT_NE(load("tall.bmp", bmpBytes(1, maxSize, grey)), 0u) << "the largest height GL takes";
    }
    const auto textureCount = [] {
        int count = 0;
        for (GLuint name = 1; name < 200; ++name) count += glIsTexture(name);
        return count;
    };
    const int before = textureCount();
    for (const std::string& path : refused) EXPECT_EQ(loadBmpTexture(path.c_str(), -1, 0, 1), 0u) << path;
    EXPECT_EQ(textureCount(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const Bytes plate = bmpBytes(8, 8, [](int column, int row) {
        const int v = 30 * ((column + row) % 8);
        return Colour{v, v, v};
    });
    const unsigned first = load("plate.bmp", plate, 1), second = load("plate.bmp", plate, 1);
    ASSERT_NE(first, 0u);
    EXPECT_NE(first, second);
    GLint smallestWidth = 0;
    glBindTexture(GL_TEXTURE_2D, second);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallestWidth);
    EXPECT_EQ(smallestWidth, 1);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER) * 10000 + textureParameter(GL_TEXTURE_MAG_FILTER),
              GL_LINEAR_MIPMAP_NEAREST * 10000 + GL_LINEAR);
}
