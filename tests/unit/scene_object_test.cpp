#include "scene/scene_object.h"

#include <gtest/gtest.h>

#include "settings/prefs.h"

TEST(SceneObject, SetPositionReadsItsPointByAnchor) {
    SceneObject object;
    EXPECT_FLOAT_EQ(object.left, -0.5f);
    EXPECT_FLOAT_EQ(object.top, 0.5f);
    object.width = 1.0f;
    object.height = 4.0f;
    object.setPosition(2.0f, 3.0f);
    EXPECT_FLOAT_EQ(object.left, 1.5f);
    EXPECT_FLOAT_EQ(object.bottom, 1.0f);
    EXPECT_FLOAT_EQ(object.right, 2.5f);
    EXPECT_FLOAT_EQ(object.top, 5.0f);
    object.anchor = 1;
    object.setPosition(2.0f, 3.0f);
    EXPECT_FLOAT_EQ(object.left, 2.0f);
    EXPECT_FLOAT_EQ(object.bottom, 3.0f);
    EXPECT_FLOAT_EQ(object.right, 3.0f);
    EXPECT_FLOAT_EQ(object.top, 7.0f);
    EXPECT_FLOAT_EQ(object.x, 0.0f);  // the rectangle moves, the position does not

    SceneObject3D solid;
    solid.depth = 2.0f;
    solid.setPosition3D(0.0f, 0.0f, 5.0f);
    EXPECT_FLOAT_EQ(solid.nearEdge, 4.0f);
    EXPECT_FLOAT_EQ(solid.farEdge, 6.0f);
    solid.anchor = 1;
    solid.setPosition3D(0.0f, 0.0f, 5.0f);
    EXPECT_FLOAT_EQ(solid.nearEdge, 5.0f);
    EXPECT_FLOAT_EQ(solid.farEdge, 7.0f);
}

TEST(SceneObject, OverlapsIsASquareTestWithAStrictBound) {
    PrefsRecord prefs;
    prefs.objectSize = 1.0f;
    SceneObject3D a, b;
    b.x = 1.9f;
    b.y = 1.9f;
    EXPECT_EQ(a.overlaps(b, prefs), 1);
    b.x = 2.0f;
    b.y = 0.0f;
    EXPECT_EQ(a.overlaps(b, prefs), 0);
    b.x = 1.0f;
    b.z = 2.5f;
    EXPECT_EQ(a.overlaps(b, prefs), 1);
    EXPECT_EQ(a.overlaps3D(b, prefs), 0);
    b.z = -1.5f;
    EXPECT_EQ(a.overlaps3D(b, prefs), 1);
}

TEST(SceneObject, IntegrateScalesTheStepByMainSpeed) {
    PrefsRecord prefs;
    prefs.mainSpeed = 0.0f;
    SceneObject3D object;
    object.moveTo(1.0f, 2.0f, 3.0f);
    object.vx = object.vy = object.vz = 5.0f;
    object.integrate(0.1f, prefs);
    EXPECT_FLOAT_EQ(object.x, 1.0f);
    EXPECT_FLOAT_EQ(object.y, 2.0f);
    EXPECT_FLOAT_EQ(object.z, 3.0f);
    prefs.mainSpeed = 2.0f;
    object.integrate(0.1f, prefs);
    EXPECT_FLOAT_EQ(object.x, 2.0f);
    EXPECT_FLOAT_EQ(object.y, 3.0f);
    EXPECT_FLOAT_EQ(object.z, 4.0f);
    SceneObject& flat = object;  // the two-axis version through a base reference is still three-axis
    flat.integrate(0.1f, prefs);
    EXPECT_FLOAT_EQ(object.z, 5.0f);
}
