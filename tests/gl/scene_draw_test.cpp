#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/scene_object.h"
#include "scene/spot_light.h"
#include "scene/star_field.h"
#include "settings/prefs.h"
#include "support/gl_context.h"
#include "support/gl_helpers.h"
#include "textures/procedural_texture.h"

TEST(SceneObjectDraw, FlatWithoutTexturesAndTheRestingStateAfterwards) {
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
    object.moveTo(0.0f, 0.0f, -0.5f);  // the quad fills the whole view
    object.depthWrite = 0;
    glEnable(GL_DEPTH_TEST);  // whatever was on before
    glEnable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    object.draw(viewer, prefs);
    expectRestingState();
    EXPECT_EQ(glInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(static_cast<unsigned>(glInteger(GL_TEXTURE_BINDING_2D)), grid);
    for (int x : {0, 13, 31}) {
        const auto p = gl.pixel(x, 16);
        EXPECT_TRUE(p.r == 255 && p.g == 0 && p.b == 0) << x;
    }

    prefs.texturesOn = 1;  // with textures the checkerboard's transparent squares fail the alpha test
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    object.draw(viewer, prefs);
    int black = 0, red = 0;
    for (int x = 0; x < 32; ++x) {
        black += gl.pixel(x, 16).r == 0;
        red += gl.pixel(x, 16).r > 200 && gl.pixel(x, 16).g == 0;
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
    const double h = viewer.heading * M_PI / 180.0, p = viewer.pitch * M_PI / 180.0;
    sprite.moveTo(static_cast<float>(2.0 * std::cos(p) * std::sin(h)), static_cast<float>(-2.0 * std::sin(p)),
                  static_cast<float>(-2.0 * std::cos(p) * std::cos(h)));  // two units straight ahead
    sprite.width = sprite.height = 0.5f;  // a 1 x 1 square: a quarter of the view across
    sprite.setRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(90.0, 1.0, 0.1, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(viewer.pitch, 1.0f, 0.0f, 0.0f);  // the rider's camera at the origin
    glRotatef(viewer.heading, 0.0f, 1.0f, 0.0f);
    const auto lit = [&gl](int x, int y) { return gl.pixel(x, y).r > 128; };
    for (bool billboard : {true, false}) {  // its own angles: seen almost edge-on from this viewer
        sprite.billboard = billboard;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        sprite.draw(viewer, prefs);
        for (int corner : {26, 37}) {
            EXPECT_EQ(lit(corner, corner), billboard) << corner;
            EXPECT_EQ(lit(corner, 63 - corner), billboard) << corner;
        }
    }
    sprite.billboard = 1;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sprite.draw(viewer, prefs);
    EXPECT_TRUE(lit(32, 32));
    EXPECT_FALSE(lit(32, 44));
    EXPECT_FALSE(lit(20, 32));
}

TEST(SpotLightApply, VectorsShininessAndAmbientZero) {
    GlContext gl(8, 8);
    ASSERT_TRUE(gl.ok());
    SpotLight light;
    light.apply();
    using V = std::vector<float>;
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
