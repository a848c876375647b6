// The one point light that circles the park, with the material it is applied together with.
#pragma once

#include "scene/material.h"
#include "scene/scene_object.h"

class SpotLight : public SceneObject3D, public Material {
  public:
    SpotLight();

    // Light, light-model and material parameters from the colour, intensity and material; the
    // position goes through the current modelview matrix. Enables the light.
    void apply() const;

    int lightIndex = 0;  // GL_LIGHT0 + lightIndex, 0..7; any other index sets no light at all
    int positional = 1;  // w of the light position
    float spotCutoff = 180.0f;
    float spotExponent = 1.0f;
    float intensity = 1.0f;
};
