#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scene/scene_object.h"
#include "scene/spot_light.h"
#include "settings/prefs.h"
#include "support/gl_context.h"
#include "textures/procedural_texture.h"

namespace {
void expectRestingState() {
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

// The camera of the rider: turned by pitch about x, then by heading about y, standing at the origin.
void lookAs(const SceneObject3D& viewer) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRotatef(viewer.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(viewer.heading, 0.0f, 1.0f, 0.0f);
}

bool lit(const GlContext::Pixel& p) {
    return p.r > 128;
}
}  // namespace

TEST(SceneObjectDraw, LeavesTheRestingStateWhateverWasOnBefore) {
    GlContext gl(32, 32);
    ASSERT_TRUE(gl.ok());
    PrefsRecord prefs;
    prefs.texturesOn = 1;
    SceneObject3D viewer, object;
    object.depthWrite = 0;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    object.draw(viewer, prefs);
    expectRestingState();
    GLint blendSource = 0;
    glGetIntegerv(GL_BLEND_SRC, &blendSource);
    EXPECT_EQ(blendSource, GL_SRC_ALPHA);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(SceneObjectDraw, WithoutTexturesTheQuadIsFlatAndTheBindingStays) {
    GlContext gl(32, 32);
    ASSERT_TRUE(gl.ok());
    const unsigned checker = makeProceduralTexture(kCheckerboardKind, 0);
    const unsigned grid = makeProceduralTexture(kGridKind, 0);
    glBindTexture(GL_TEXTURE_2D, grid);
    PrefsRecord prefs;
    prefs.texturesOn = 0;
    SceneObject3D viewer, object;
    object.texture = static_cast<int>(checker);
    object.setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    object.moveTo(0.0f, 0.0f, -0.5f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    object.draw(viewer, prefs);  // the quad fills the whole view
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned>(bound), grid);
    for (int x : {0, 5, 13, 31}) {
        const auto p = gl.pixel(x, 16);
        EXPECT_EQ(p.r, 255);
        EXPECT_EQ(p.g, 0);
        EXPECT_EQ(p.b, 0);
    }

    prefs.texturesOn = 1;  // with textures the checkerboard's transparent squares fail the alpha test
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    object.draw(viewer, prefs);
    int black = 0, red = 0;
    for (int x = 0; x < 32; ++x) {
        const auto p = gl.pixel(x, 16);
        black += p.r == 0 ? 1 : 0;
        red += p.r > 200 && p.g == 0 ? 1 : 0;
    }
    EXPECT_GT(black, 4);
    EXPECT_GT(red, 4);
    expectRestingState();
}

TEST(SceneObjectDraw, BillboardFacesTheViewer) {
    GlContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    PrefsRecord prefs;
    SceneObject3D viewer, sprite;
    viewer.heading = 90.0f;
    viewer.pitch = 20.0f;
    // Two units straight ahead of the turned viewer.
    const double h = viewer.heading * 3.14159265358979 / 180.0;
    const double p = viewer.pitch * 3.14159265358979 / 180.0;
    sprite.moveTo(static_cast<float>(2.0 * std::cos(p) * std::sin(h)), static_cast<float>(-2.0 * std::sin(p)),
                  static_cast<float>(-2.0 * std::cos(p) * std::cos(h)));
    sprite.width = sprite.height = 0.5f;  // a 1 x 1 square: a quarter of the view across
    sprite.setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    sprite.depthWrite = 0;

    lookAs(viewer);
    sprite.draw(viewer, prefs);
    EXPECT_TRUE(lit(gl.pixel(32, 32)));
    for (int corner : {26, 37}) {
        EXPECT_TRUE(lit(gl.pixel(corner, corner))) << corner;
        EXPECT_TRUE(lit(gl.pixel(corner, 63 - corner))) << corner;
    }
    EXPECT_FALSE(lit(gl.pixel(32, 44)));
    EXPECT_FALSE(lit(gl.pixel(20, 32)));

    glClear(GL_COLOR_BUFFER_BIT);
    sprite.billboard = 0;  // its own angles: seen almost edge-on from this viewer
    sprite.draw(viewer, prefs);
    EXPECT_FALSE(lit(gl.pixel(26, 26)));
    EXPECT_FALSE(lit(gl.pixel(37, 37)));
}

TEST(SpotLightApply, DefaultsGiveTheListedVectors) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SpotLight light;
    light.apply();
    float v[4];
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0], 0.2f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[2], 0.2f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[1], 0.5f);
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[0], 0.99f);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[1], 0.99f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetMaterialfv(GL_BACK, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 10.0f);
    glGetLightfv(GL_LIGHT0, GL_POSITION, v);
    EXPECT_FLOAT_EQ(v[0], 1.0f);
    EXPECT_FLOAT_EQ(v[1], 1.0f);
    EXPECT_FLOAT_EQ(v[2], 1.0f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, v);
    EXPECT_FLOAT_EQ(v[0], 180.0f);
    glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, v);
    EXPECT_FLOAT_EQ(v[0], 1.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(SpotLightApply, ShininessTruncatesAndAmbientZeroKeepsAlpha) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    SpotLight light;
    float v[4];
    light.shininess = 10.9f;
    light.apply();
    glGetMaterialfv(GL_FRONT, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 10.0f);
    light.shininess = 0.5f;
    light.ambient = 0.0f;
    light.apply();
    glGetMaterialfv(GL_FRONT, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 0.0f);
    for (bool model : {true, false}) {
        if (model)
            glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v);
        else
            glGetLightfv(GL_LIGHT0, GL_AMBIENT, v);
        EXPECT_FLOAT_EQ(v[0], 0.0f);
        EXPECT_FLOAT_EQ(v[1], 0.0f);
        EXPECT_FLOAT_EQ(v[2], 0.0f);
        EXPECT_FLOAT_EQ(v[3], 1.0f);
    }

    // Colour and intensity scale every vector; another light index leaves light 0 alone.
    light.ambient = 0.5f;
    light.setRGBA(1.0f, 0.5f, 0.0f, 1.0f);
    light.intensity = 0.5f;
    light.lightIndex = 2;
    light.apply();
    glGetLightfv(GL_LIGHT2, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[0], 0.25f);
    EXPECT_FLOAT_EQ(v[1], 0.125f);
    EXPECT_FLOAT_EQ(v[2], 0.0f);
    EXPECT_FLOAT_EQ(v[3], 1.0f);
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[0], 0.5f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT2));
    light.lightIndex = 8;  // no such light: nothing is set
    light.apply();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
