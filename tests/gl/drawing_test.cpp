// The drawing parts on a real offscreen context: scene objects, the light, the star field, the
// splash, the screen passes, the renderer warm-up and texture upload.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "app/globals.h"
#include "app/renderer_warm_up.h"
#include "app/splash_screen.h"
#include "support/gl_context.h"
#include "support/gl_helpers.h"
#include "support/test_files.h"
#include "textures/procedural_texture.h"
#include "textures/texture_loader.h"

namespace {
using V = std::vector<float>;
int rgb(const GlContext::Pixel& p) {
    return p.r << 16 | p.g << 8 | p.b;
}
void paint(float r, float g, float b) {
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
}  // namespace

TEST(SceneObjectDraw, FlatWithoutTexturesThroughTheAlphaTestWithThemAndTheRestingStateAfterwards) {
    GlContext gl(32, 32);
    ASSERT_TRUE(gl.ok());
    const unsigned checker = makeProceduralTexture(kCheckerboardKind, 0);
    const unsigned grid = makeProceduralTexture(kGridKind, 0);
    glBindTexture(GL_TEXTURE_2D, grid);
    PrefsRecord prefs;
    SceneObject3D viewer, object;
    object.texture = static_cast<int>(checker);
    object.setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    object.moveTo(0.0f, 0.0f, -0.5f);  // the quad fills the whole view
    object.depthWrite = 0;
    for (int textures : {0, 1}) {  // with textures the checkerboard's transparent squares fail the alpha test
        prefs.texturesOn = textures;
        glEnable(GL_DEPTH_TEST);  // whatever was on before
        glEnable(GL_BLEND);
        paint(0, 0, 0);
        object.draw(viewer, prefs);
        expectRestingState();
        int black = 0, red = 0;
        for (int x = 0; x < 32; ++x) {
            black += rgb(gl.pixel(x, 16)) == 0;
            red += textures ? gl.pixel(x, 16).r > 200 && gl.pixel(x, 16).g == 0
                            : rgb(gl.pixel(x, 16)) == 0xff0000;
        }
        EXPECT_EQ(black > 4 && red > 4, textures == 1) << black << " " << red;
        if (textures) continue;
        EXPECT_EQ(red, 32);
        EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
        EXPECT_EQ(static_cast<unsigned>(glInteger(GL_TEXTURE_BINDING_2D)), grid);
    }
}

TEST(SceneObjectDraw, BillboardFacesTheViewer) {
    GlContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    PrefsRecord prefs;
    SceneObject3D viewer, sprite;
    viewer.heading = 90.0f;
    viewer.pitch = 20.0f;
    const double h = M_PI / 2.0, p = 20.0 * M_PI / 180.0;  // two units straight ahead:
    sprite.moveTo(static_cast<float>(2.0 * std::cos(p) * std::sin(h)), static_cast<float>(-2.0 * std::sin(p)),
                  static_cast<float>(-2.0 * std::cos(p) * std::cos(h)));
    sprite.width = sprite.height = 0.5f;  // a 1 x 1 square: a quarter of the view across
    sprite.setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 1.0, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(viewer.pitch, 1.0f, 0.0f, 0.0f);  // the rider's camera at the origin
    glRotatef(viewer.heading, 0.0f, 1.0f, 0.0f);
    const auto lit = [&gl](int x, int y) { return gl.pixel(x, y).r > 128; };
    for (bool billboard : {false, true}) {  // its own angles: seen almost edge-on from this viewer
        sprite.billboard = billboard;
        paint(0, 0, 0);
        sprite.draw(viewer, prefs);
        for (int corner : {26, 37}) EXPECT_EQ(lit(corner, corner) + lit(corner, 63 - corner), 2 * billboard);
    }
    EXPECT_TRUE(lit(32, 32));
    EXPECT_FALSE(lit(32, 44) || lit(20, 32));
}

TEST(SpotLightApply, VectorsShininessAndAmbientZero) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    SpotLight light;
    light.apply();
    EXPECT_EQ(glFloats(glGetLightfv, GL_LIGHT0, GL_POSITION), (V{1.0f, 1.0f, 1.0f, 1.0f})) << "positional";
    EXPECT_EQ(glFloats(glGetLightfv, GL_LIGHT0, GL_DIFFUSE)[1], 0.5f);
    EXPECT_EQ(glFloats(glGetMaterialfv, GL_BACK, GL_SPECULAR), (V{0.99f, 0.99f, 0.99f, 1.0f}));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    for (const auto& [shininess, applied] : {std::pair{10.9f, 10.0f}, {0.5f, 0.0f}}) {
        light.shininess = shininess;
        light.ambient = 0.0f;
        light.apply();
        EXPECT_EQ(glFloats(glGetMaterialfv, GL_FRONT, GL_SHININESS)[0], applied);
        EXPECT_EQ(glFloats(glGetLightfv, GL_LIGHT0, GL_AMBIENT), (V{0.0f, 0.0f, 0.0f, 1.0f}));
        V model(4);
        glGetFloatv(GL_LIGHT_MODEL_AMBIENT, model.data());
        EXPECT_EQ(model, (V{0.0f, 0.0f, 0.0f, 1.0f}));
    }
    // Colour and intensity scale every vector; another light index leaves light 0 alone.
    light.setRGBA(1.0f, 0.5f, 0.0f, 1.0f);
    light.intensity = 0.5f;
    light.lightIndex = 2;
    light.apply();
    EXPECT_EQ(glFloats(glGetLightfv, GL_LIGHT2, GL_DIFFUSE), (V{0.25f, 0.125f, 0.0f, 1.0f}));
    EXPECT_EQ(glFloats(glGetLightfv, GL_LIGHT0, GL_DIFFUSE)[0], 0.5f);
    light.lightIndex = 8;  // no such light: nothing is set
    light.apply();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(StarFieldDraw, TakesItsSwitchesBack) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    StarField field;
    field.blendOn = field.depthTestOn = 1;
    field.build(10);
    field.draw();
    expectRestingState();
    field.release();
}

TEST(SplashScreenDraw, PaintsTheEmblemInItsSquareIntoTheFogAndTurnsEverythingOffAgain) {
    GlContext gl(96, 64);
    ASSERT_TRUE(gl.ok());
    glFogi(GL_FOG_MODE, GL_LINEAR);  // the program's fixed fog
    const std::vector<uint8_t> white(8 * 8 * 4, 255);
    SplashScreen splash;
    splash.texture = uploadRgbaTexture(white.data(), 8, 8, 1);
    FrameClock clock;
    for (float time : {2.0f, 0.0f}) {  // red at the origin, a quarter into the fog; white far back at z -2
        splash.animationTime = time;
        paint(0, 0, 0);
        splash.draw(24.0f, 0.0f, 64.0f, clock);
        const auto middle = gl.pixel(56, 32);
        // Far back the emblem fades almost entirely into the black fog.
        EXPECT_TRUE(time == 2.0f ? middle.r > 150 && middle.g < 10 && middle.b < 10 : middle.r < 60)
            << middle.r;
    }
    for (int x : {0, 10, 22}) EXPECT_EQ(gl.pixel(x, 32).r, 0) << x;  // left of the square
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_FOG) || glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Screen, LetterboxTrailsBarsAndPolygonMode) {
    ScreenView screen;
    const struct {
        int height, level, bar, top, visible;
    } fields[] = {{480, 0, 0, 480, 480}, {480, 6, 144, 336, 192}, {720, 6, 216, 503, 287}};
    for (const auto& f : fields) {
        screen.height = f.height;
        screen.setLetterbox(f.level);
        EXPECT_EQ(screen.barHeight, f.bar) << f.height << " " << f.level;
        EXPECT_EQ(screen.topEdge, f.top) << "computed in double and truncated";
        EXPECT_EQ(screen.visibleHeight, f.visible);
    }

    GlContext gl(40, 100);
    ASSERT_TRUE(gl.ok());
    screen.width = 40;
    screen.height = 100;
    screen.setClearColour(0.0f, 0.0f, 1.0f);
    const auto overlay = [&screen](int letterbox) {
        screen.setLetterbox(letterbox);
        screen.applyViewport();
        screen.setOverlayProjection();
    };
    paint(1, 1, 1);
    overlay(0);
    screen.fade(0.5f);
    screen.clearScreen(0, 0);
    EXPECT_NEAR(gl.pixel(20, 50).r, 128, 2) << "trails dim towards the clear colour instead of erasing";
    EXPECT_NEAR(gl.pixel(20, 50).b, 255, 1);

    paint(1, 0, 0);
    overlay(0);
    screen.setLetterbox(2);
    screen.drawLetterboxBars();
    overlay(2);
    screen.clearScreen(1, 2);
    for (int y : {5, 95}) EXPECT_EQ(rgb(gl.pixel(20, y)) & 0xff00ff, 0) << "bars stay black: " << y;
    EXPECT_EQ(rgb(gl.pixel(20, 50)) & 0xff00ff, 0xff) << "the picture cleared to the sky";

    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    applyPolygonMode(3);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_LINE) << "an unknown mode leaves the previous one";
    applyPolygonMode(2);
    EXPECT_EQ(glInteger(GL_POLYGON_MODE), GL_POINT);
}

TEST(Screen, AClearRequestBlacksOutTwoFramesAndOneGlErrorGivesOneMessage) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    Screen.clearPasses = 1;
    int blackFrames = 0;
    for (int frame = 0; frame < 5; ++frame) {
        paint(1, 1, 1);
        runScreenClearRequest();
        blackFrames += gl.pixel(4, 4).r == 0;
    }
    EXPECT_EQ(blackFrames, 2);
    EXPECT_EQ(Screen.clearPasses, 0);
    glEnable(0x1234);
    checkGlError();
    EXPECT_EQ(std::string(ErrorText.text), "OpenGL Error: invalid enumerant");
    EXPECT_GT(ErrorText.expiryTime, 0.0f);
    ErrorText.text[0] = 0;
    checkGlError();
    EXPECT_EQ(std::string(ErrorText.text), "") << "no error, no message";
}

namespace {
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
    const unsigned red = load("red.bmp", bmpBytes(4, 4, Colour{255, 0, 0}));
    ASSERT_NE(red, 0u);
    const auto pixels = readBack(red, 4, 4);
    for (size_t i = 0; i < pixels.size(); i += 4)
        ASSERT_EQ(std::vector<uint8_t>(&pixels[i], &pixels[i + 4]), (std::vector<uint8_t>{255, 0, 0, 85}));
    EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 1);
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(envMode, GL_MODULATE);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(readBack(load("white.bmp", bmpBytes(4, 4, Colour{255, 255, 255})), 4, 4)[3], 255);
    EXPECT_EQ(readBack(load("black.bmp", bmpBytes(4, 4, Colour{0, 0, 0})), 4, 4)[3], 0);

    // Width 5 has one byte of padding per row; every pixel carries its own column and row.
    const auto odd = readBack(load("odd.bmp", bmpBytes(5, 3,
                                                       [](int column, int row) {
                                                           return Colour{200, column, 10 * row};
                                                       })),
                              5, 3);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(std::vector<int>(&odd[i * 4], &odd[i * 4 + 3]),
                  (std::vector<int>{200, i % 5, 10 * (i / 5)}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUpload, LargestImageLoadsBadFilesCreateNoTextureAndTheSameFileTwiceGivesTwo) {
    const Colour grey{90, 90, 90};
    const unsigned largest = load("largest.bmp", bmpBytes(256, 256, grey));
    ASSERT_NE(largest, 0u);
    EXPECT_EQ(readBack(largest, 256, 256)[256 * 256 * 4 - 1], 90);

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
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(smallestWidth, 1);
}
