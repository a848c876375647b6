// The star field and its display list.
#include "scene/star_field.h"

#include <GL/gl.h>

#include <cmath>

#include "base/random.h"

namespace {
// A shell that holds no candidate (inner bound beyond the outer one, non-finite radii) would
// otherwise keep the rejection loop going for ever; after this many misses the field stops growing.
constexpr int kMaxCandidates = 100000;
}  // namespace

bool StarField::placeStar(Star& star) const {
    const double span = 2.0 * outerRadius;
    const double cubeBound = innerRadius + 0.01;
    double x = 0.0, y = 0.0, z = 0.0;
    double d = shape == 2 ? -1.0 : -0.1;
    auto accepted = [&] {
        if (shape == 1)
            return !(std::fabs(x) < cubeBound && std::fabs(y) < cubeBound && std::fabs(z) < cubeBound);
        return innerRadius <= d && d <= outerRadius && (shape != 2 || y >= 0.0);
    };
    for (int attempt = 0; !accepted(); ++attempt) {
        if (attempt == kMaxCandidates) return false;
        x = randomRange(span) - outerRadius;
        y = randomRange(span) - outerRadius;
        z = randomRange(span) - outerRadius;
        d = std::sqrt(x * x + y * y + z * z);
    }
    star.x = x;
    star.y = y;
    star.z = z;
    return true;
}

std::vector<Star> StarField::generateStars(int count) const {
    std::vector<Star> stars;
    for (int i = 0; i < count; ++i) {
        Star star;
        if (!placeStar(star)) break;
        const double tintDraw = randomRange(1.0);
        const bool tinted = tintDraw < 0.1;
        const float base = tinted ? colourBase : colourRange;
        const float range = tinted ? colourRange : colourBase;
        const double blue = base + randomRange(range);
        const double green = base + randomRange(range);
        const double red = base + randomRange(range);
        star.red = static_cast<float>(red);
        star.green = static_cast<float>(green);
        star.blue = static_cast<float>(blue);
        stars.push_back(star);
    }
    return stars;
}

void StarField::build(int count) {
    compile(generateStars(count));
}

void StarField::compile(const std::vector<Star>& stars) {
    release();
    listId = static_cast<int>(glGenLists(1));
    if (listId == 0) {
        listId = -1;
        return;
    }
    glNewList(static_cast<GLuint>(listId), GL_COMPILE);
    glBegin(GL_POINTS);
    for (const Star& star : stars) {
        glColor3f(star.red, star.green, star.blue);
        glVertex3d(star.x, star.y, star.z);
    }
    glEnd();
    glEndList();
}

void StarField::draw() const {
    if (listId < 0) return;
    const GLuint list = static_cast<GLuint>(listId);
    if (blendOn) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    if (depthTestOn) {
        if (!depthWriteOn) glDepthMask(GL_FALSE);
        glEnable(GL_DEPTH_TEST);
    }
    glPushMatrix();
    glPointSize(1.0f);
    glCallList(list);
    if (layers >= 2) {
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glPointSize(2.0f);
        glCallList(list);
    }
    if (layers >= 3) {
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glPointSize(3.0f);
        glCallList(list);
    }
    glPopMatrix();
    if (blendOn) glDisable(GL_BLEND);
    if (depthTestOn) {
        glDisable(GL_DEPTH_TEST);
        if (!depthWriteOn) glDepthMask(GL_TRUE);
    }
}

void StarField::release() {
    if (listId >= 0) glDeleteLists(static_cast<GLuint>(listId), 1);
    listId = -1;
}
