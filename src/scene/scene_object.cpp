// Placing and drawing scene objects with their render switches.
#include "scene/scene_object.h"

#include <GL/gl.h>

#include <cmath>

#include "settings/prefs.h"

namespace {
constexpr GLenum kBlendSource[] = {GL_ZERO,
                                   GL_ONE,
                                   GL_SRC_ALPHA,
                                   GL_ONE_MINUS_SRC_ALPHA,
                                   GL_DST_ALPHA,
                                   GL_ONE_MINUS_DST_ALPHA,
                                   GL_DST_COLOR,
                                   GL_ONE_MINUS_DST_COLOR,
                                   GL_SRC_ALPHA_SATURATE};
constexpr GLenum kBlendDestination[] = {GL_ZERO,      GL_ONE,
                                        GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA,
                                        GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
                                        GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR};
constexpr int kSourceCount = sizeof(kBlendSource) / sizeof(kBlendSource[0]);
constexpr int kDestinationCount = sizeof(kBlendDestination) / sizeof(kBlendDestination[0]);

GLenum tableEntry(const GLenum* table, int count, int index, GLenum fallback) {
    return index >= 0 && index < count ? table[index] : fallback;
}
}  // namespace

SceneObject::SceneObject() {
    SceneObject::setPosition(0.0f, 0.0f);
}

void SceneObject::setPosition(float px, float py) {
    if (anchor == 0) {
        left = px - width * 0.5f;
        bottom = py - height * 0.5f;
    } else if (anchor == 1) {
        left = px;
        bottom = py;
    }
    right = left + width;
    top = bottom + height;
}

void SceneObject::integrate(float dt, const PrefsRecord& prefs) {
    const float step = dt * prefs.mainSpeed;
    x += step * vx;
    y += step * vy;
}

int SceneObject::overlaps(const SceneObject& other, const PrefsRecord& prefs) const {
    const float reach = (size + other.size) * prefs.objectSize;
    return std::fabs(x - other.x) < reach && std::fabs(y - other.y) < reach;
}

void SceneObject::beginDraw(const PrefsRecord& prefs) const {
    if (alphaTest) {
        glAlphaFunc(GL_GREATER, alphaCutoff);
        glEnable(GL_ALPHA_TEST);
    }
    if (blend) {
        glBlendFunc(tableEntry(kBlendSource, kSourceCount, blendSrcIndex, GL_SRC_ALPHA),
                    tableEntry(kBlendDestination, kDestinationCount, blendDstIndex, GL_ONE_MINUS_SRC_ALPHA));
        glEnable(GL_BLEND);
    }
    if (depthTest) glEnable(GL_DEPTH_TEST);
    if (!depthWrite) glDepthMask(GL_FALSE);
    if (prefs.texturesOn) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    }
    glColor4f(red, green, blue, alpha);
}

void SceneObject::endDraw(const PrefsRecord& prefs) const {
    if (alphaTest) {
        glDisable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, 0.0f);
    }
    if (blend) {
        glDisable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (depthTest) glDisable(GL_DEPTH_TEST);
    if (!depthWrite) glDepthMask(GL_TRUE);
    if (prefs.texturesOn) glDisable(GL_TEXTURE_2D);
}

void SceneObject::setRGBA(float r, float g, float b, float a) {
    red = r;
    green = g;
    blue = b;
    alpha = a;
}

SceneObject3D::SceneObject3D() {
    SceneObject3D::setPosition3D(0.0f, 0.0f, 0.0f);
}

void SceneObject3D::integrate(float dt, const PrefsRecord& prefs) {
    const float step = dt * prefs.mainSpeed;
    x += step * vx;
    y += step * vy;
    z += step * vz;
}

void SceneObject3D::setPosition3D(float px, float py, float pz) {
    SceneObject::setPosition(px, py);
    if (anchor == 0)
        nearEdge = pz - depth * 0.5f;
    else if (anchor == 1)
        nearEdge = pz;
    farEdge = nearEdge + depth;
}

void SceneObject3D::draw(const SceneObject3D& viewer, const PrefsRecord& prefs) {
    beginDraw(prefs);
    glPushMatrix();
    glTranslatef(x, y, z);
    if (billboard) {
        glRotatef(-viewer.heading, 0.0f, 1.0f, 0.0f);
        glRotatef(-viewer.pitch, 1.0f, 0.0f, 0.0f);
    } else {
        glRotatef(heading, 0.0f, 1.0f, 0.0f);
        glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    }
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-width, -height, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(width, -height, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(width, height, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-width, height, 0.0f);
    glEnd();
    glPopMatrix();
    endDraw(prefs);
}

int SceneObject3D::overlaps3D(const SceneObject3D& other, const PrefsRecord& prefs) const {
    const float reach = (size + other.size) * prefs.objectSize;
    return overlaps(other, prefs) && std::fabs(z - other.z) < reach;
}

void SceneObject3D::moveTo(float px, float py, float pz) {
    x = px;
    y = py;
    z = pz;
}
