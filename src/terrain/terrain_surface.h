// The surface the rider rides on and the screen shows: a square mesh of up to 100 x 100 vertices
// built from the heightmap, sampled for ground height and slope, and drawn as lit, textured strips.
#pragma once

#include "scene/scene_object.h"

class Heightmap;
class PrefsRecord;

struct SurfaceVertex {
    float x, y, z;
    float nx, ny, nz;
};

class TerrainSurface : public SceneObject3D {
  public:
    static constexpr int kMaxVertices = 100;
    static constexpr int kMinVertices = 2;

    ~TerrainSurface() override = default;

    // Sets columns and rows together, held to 2..100; takes effect at the next build.
    void setResolution(int count);
    // Positions from the heightmap (heights x 0.1), then the normals.
    void build(const Heightmap& heightmap);
    void computeNormals();
    // Unscaled mesh height at u (columns) and v (rows), 0..1 covering the mesh, clamped at the edges.
    float heightAt(float u, float v) const;
    // The downhill direction at (u, v): the plain height difference over 0.02 of the mesh.
    void slopeAt(float u, float v, float& sx, float& sz) const;
    // Strips with normals and texture coordinates; heights are scaled by prefs.heightScale here only.
    // Each strip goes to OpenGL as one vertex array: the same vertices in the same order as one
    // glVertex call each, for a fraction of the calls. The client arrays end disabled, and the
    // current normal and texture coordinate end as the last vertex's, as immediate mode leaves them.
    void draw(const PrefsRecord& prefs);
    using SceneObject3D::draw;

    int columns = 32;
    int rows = 32;
    float extent = 6.0f;
    float textureRepeat = 1.0f;
    SurfaceVertex vertices[kMaxVertices][kMaxVertices] = {};  // [column][row]

  private:
    // One vertex of a strip as OpenGL's T2F_N3F_V3F interleaved layout has it.
    struct StripVertex {
        float s, t;
        float nx, ny, nz;
        float x, y, z;
    };
    StripVertex strip_[2 * kMaxVertices] = {};

    // Where a fractional position falls along one axis of the mesh: the vertex, its clamped
    // neighbour and the fraction between them.
    struct GridStep {
        int index;
        int next;
        float fraction;
    };
    static GridStep gridStep(float t, int count);
    float blendHeight(const GridStep& column, const GridStep& row) const;
    // The counts in use, whatever was stored in the public fields.
    static int heldCount(int count);
    int usedColumns() const { return heldCount(columns); }
    int usedRows() const { return heldCount(rows); }
};
