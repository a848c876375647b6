// The circling spotlight and its material.
#include "scene/spot_light.h"

#include <GL/gl.h>

#include <cmath>

namespace {
constexpr GLenum kLights[] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
                              GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7};
constexpr int kLightCount = sizeof(kLights) / sizeof(kLights[0]);

// GL takes a shininess of 0..128 only and raises an error for anything else; the value is truncated
// towards zero, and NaN counts as 0.
int shininessExponent(float value) {
    if (!(value > 0.0f)) return 0;
    return value >= 128.0f ? 128 : static_cast<int>(value);
}
}  // namespace

SpotLight::SpotLight() {
    red = green = blue = 1.0f;
    x = y = z = 1.0f;
}

void SpotLight::apply() const {
    if (lightIndex < 0 || lightIndex >= kLightCount) return;
    const float colour[3] = {red * intensity, green * intensity, blue * intensity};
    float lightAmbient[4], lightDiffuse[4], lightSpecular[4], surfaceSpecular[4];
    for (int i = 0; i < 3; ++i) {
        lightAmbient[i] = ambient * colour[i];
        lightDiffuse[i] = diffuse * colour[i];
        lightSpecular[i] = specular * colour[i];
        surfaceSpecular[i] = reflective * colour[i];
    }
    lightAmbient[3] = lightDiffuse[3] = lightSpecular[3] = surfaceSpecular[3] = 1.0f;
    const float position[4] = {x, y, z, static_cast<float>(positional)};
    const float spotDirection[3] = {0.0f, 0.0f, 0.0f};

    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, lightAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, surfaceSpecular);
    glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, shininessExponent(shininess));
    const GLenum light = kLights[lightIndex];
    glLightfv(light, GL_AMBIENT, lightAmbient);
    glLightfv(light, GL_DIFFUSE, lightDiffuse);
    glLightfv(light, GL_SPECULAR, lightSpecular);
    glLightf(light, GL_SPOT_EXPONENT, spotExponent);
    glLightf(light, GL_SPOT_CUTOFF, spotCutoff);
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_SPOT_DIRECTION, spotDirection);
    glEnable(light);
}
