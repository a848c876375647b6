// The universe behind the park: coloured point stars at random in a shell around the origin,
// compiled once into a display list and drawn up to three times, turned and with larger points.
#pragma once

#include <vector>

struct Star {
    double x, y, z;
    float red, green, blue;
};

class StarField {
  public:
    virtual ~StarField() = default;

    // Draws count stars from the shared random generator and compiles them, replacing the old list.
    void build(int count);
    // The stars build would compile, with every random draw it makes.
    std::vector<Star> generateStars(int count) const;
    // Replaces the display list with one holding exactly these stars.
    void compile(const std::vector<Star>& stars);
    void draw() const;
    void release();

    int listId = -1;
    int blendOn = 0;
    int depthTestOn = 0;
    int depthWriteOn = 0;
    int layers = 1;
    int shape = 1;  // 1 cubic shell, 2 upper half of a spherical shell, other: spherical shell
    float outerRadius = 1.0f;
    float innerRadius = 0.0f;
    float colourBase = 0.3f;
    float colourRange = 0.7f;

  private:
    bool placeStar(Star& star) const;
};
