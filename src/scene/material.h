// How strongly the light acts and how shiny the lit surfaces are. World drawing copies the five
// material settings in before every use; the initial values are those settings' defaults.
#pragma once

class Material {
  public:
    virtual ~Material() = default;

    float ambient = 0.2f;
    float diffuse = 0.5f;
    float specular = 0.99f;
    float reflective = 0.99f;
    float shininess = 10.0f;
};
