#include "scene/scene_object.h"

#include <gtest/gtest.h>

#include "settings/prefs.h"

TEST(SceneObject, SetPositionReadsItsPointByAnchor) {
    SceneObject3D object;
    object.width = 1.0f;
    object.height = 4.0f;
    object.depth = 2.0f;
    // left, bottom, right, top, near, far
    const float expected[2][6] = {{1.5f, 1.0f, 2.5f, 5.0f, 4.0f, 6.0f}, {2.0f, 3.0f, 3.0f, 7.0f, 5.0f, 7.0f}};
    for (int anchor : {0, 1}) {  // the centre, then the lower left near corner
        object.anchor = anchor;
        object.setPosition3D(2.0f, 3.0f, 5.0f);
        const float got[] = {object.left, object.bottom,   object.right,
                             object.top,  object.nearEdge, object.farEdge};
        for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(got[i], expected[anchor][i]) << anchor << " " << i;
    }
    EXPECT_FLOAT_EQ(object.x, 0.0f);  // the rectangle moves, the position does not
}

TEST(SceneObject, OverlapsHasAStrictBoundAndIntegrateScalesByMainSpeed) {
    PrefsRecord prefs;
    prefs.objectSize = 1.0f;
    SceneObject3D a, b;
    // b's position, then whether it overlaps a flat and in three axes: the bound is strict.
    const float cases[][5] = {{1.9f, 1.9f, 0.0f, 1, 1},
                              {2.0f, 0.0f, 0.0f, 0, 0},
                              {1.0f, 0.0f, 2.5f, 1, 0},
                              {1.0f, 0.0f, -1.5f, 1, 1}};
    for (const auto& c : cases) {
        b.moveTo(c[0], c[1], c[2]);
        EXPECT_EQ(a.overlaps(b, prefs), c[3]) << c[0] << "," << c[1] << "," << c[2];
        EXPECT_EQ(a.overlaps3D(b, prefs), c[4]) << c[0] << "," << c[1] << "," << c[2];
    }

    prefs.mainSpeed = 0.0f;
    a.moveTo(1.0f, 2.0f, 3.0f);
    a.vx = a.vy = a.vz = 5.0f;
    a.integrate(0.1f, prefs);
    EXPECT_FLOAT_EQ(a.x + a.y + a.z, 6.0f);
    prefs.mainSpeed = 2.0f;
    SceneObject& flat = a;  // the two-axis version through a base reference is still three-axis
    flat.integrate(0.1f, prefs);
    EXPECT_FLOAT_EQ(a.x, 2.0f);
    EXPECT_FLOAT_EQ(a.y, 3.0f);
    EXPECT_FLOAT_EQ(a.z, 4.0f);
}
