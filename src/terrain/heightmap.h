// The terrain's shape: a square grid of float heights, generated procedurally (Mounds, Rings,
// Playground) or read from a 24-bit height image, and sampled with wrap-around for the surface mesh.
#pragma once

// The cell storage the grid is pointed at holds this many floats, so the side is at most 256.
constexpr int kHeightCells = 65536;

class Heightmap {
  public:
    static constexpr int kMounds = 0;
    static constexpr int kRings = 1;
    static constexpr int kRocks = 2;
    static constexpr int kPyramids = 3;
    static constexpr int kPlayground = 4;
    static constexpr int kBumpOptionCount = 5;

    virtual ~Heightmap() = default;

    // 1 when the file cannot be opened; 0 otherwise, also when the image is refused (not a valid
    // 24-bit BMP, not square, or a side outside 4..256), in which case the grid and size stay.
    int loadFromBmp(const char* fileName, float scale);
    // Fills the grid with shape 0 (Mounds), 1 (Rings) or 4 (Playground, laid out for side 128);
    // any other shape gives a flat grid. Sides outside 1..256 are refused. Always 0.
    int generate(int shape, int side);
    // Height at fractional grid position u (columns) and v (rows), 0..1 spanning the grid; wraps.
    float sampleHeight(float u, float v) const;
    // The shape for a bump option 0..4; other values leave the grid alone.
    void applyBumpOption(int option);
    // The status-line name of a bump option, "Option 0/4: Mounds" and so on; nullptr outside 0..4.
    static const char* bumpOptionName(int option);

    int size = 128;
    // Storage of kHeightCells floats owned by the program, set at start-up; never freed here.
    float* heights = nullptr;

  private:
    bool holds(long index) const { return heights != nullptr && index >= 0 && index < kHeightCells; }
    float cell(long index) const { return holds(index) ? heights[index] : 0.0f; }
    void setCell(long index, float value) {
        if (holds(index)) heights[index] = value;
    }
};
