// Building, sampling and drawing the terrain mesh. Nothing here allocates: the vertex grid is part
// of the object.
#include "terrain/terrain_surface.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "settings/prefs.h"
#include "terrain/heightmap.h"

namespace {
constexpr double kSlopeStep = 0.01;
constexpr double kHeightFactor = 0.1;

// 0..1, with NaN going to 0 rather than reaching an index.
float clampUnit(float t) {
    if (!(t >= 0.0f)) return 0.0f;
    return t > 1.0f ? 1.0f : t;
}
}  // namespace

int TerrainSurface::heldCount(int count) {
    return std::clamp(count, kMinVertices, kMaxVertices);
}

void TerrainSurface::setResolution(int count) {
    columns = heldCount(count);
    rows = columns;
}

void TerrainSurface::build(const Heightmap& heightmap) {
    columns = usedColumns();
    rows = usedRows();
    const float step = extent / (columns - 1);
    const float offset = static_cast<float>(0.75 * step);
    // Column by column, so that the walk through vertices[column][row] is sequential in memory.
    for (int c = 0; c < columns; ++c) {
        const float u = static_cast<float>(c) / columns;
        const float columnX = static_cast<float>(c * step - extent * 0.5 - offset);
        for (int r = 0; r < rows; ++r) {
            const float v = static_cast<float>(r) / rows;
            SurfaceVertex& vertex = vertices[c][r];
            vertex.x = columnX;
            vertex.y = static_cast<float>(heightmap.sampleHeight(u, v) * kHeightFactor);
            vertex.z = static_cast<float>(r * step - extent * 0.5 - offset);
        }
    }
    computeNormals();
}

// The four heights of every slope depend on the column alone in u and on the row alone in v, so
// their grid steps are worked out once per column and per row. The sums are those of slopeAt.
void TerrainSurface::computeNormals() {
    const int columnCount = usedColumns();
    const int rowCount = usedRows();
    GridStep columnAt[kMaxVertices], columnAhead[kMaxVertices], columnBehind[kMaxVertices];
    GridStep rowAt[kMaxVertices], rowAhead[kMaxVertices], rowBehind[kMaxVertices];
    for (int c = 0; c < columnCount; ++c) {
        const float u = static_cast<float>(c) / columnCount;
        columnAt[c] = gridStep(u, columnCount);
        columnAhead[c] = gridStep(static_cast<float>(u + kSlopeStep), columnCount);
        columnBehind[c] = gridStep(static_cast<float>(u - kSlopeStep), columnCount);
    }
    for (int r = 0; r < rowCount; ++r) {
        const float v = static_cast<float>(r) / rowCount;
        rowAt[r] = gridStep(v, rowCount);
        rowAhead[r] = gridStep(static_cast<float>(v + kSlopeStep), rowCount);
        rowBehind[r] = gridStep(static_cast<float>(v - kSlopeStep), rowCount);
    }
    for (int c = 0; c < columnCount; ++c) {
        for (int r = 0; r < rowCount; ++r) {
            const float sx =
                -(blendHeight(columnAhead[c], rowAt[r]) - blendHeight(columnBehind[c], rowAt[r]));
            const float sz =
                -(blendHeight(columnAt[c], rowAhead[r]) - blendHeight(columnAt[c], rowBehind[r]));
            const float length = std::sqrt(sx * sx + 1.0f + sz * sz);
            SurfaceVertex& vertex = vertices[c][r];
            vertex.nx = sx / length;
            vertex.ny = 1.0f / length;
            vertex.nz = sz / length;
        }
    }
}

TerrainSurface::GridStep TerrainSurface::gridStep(float t, int count) {
    const float along = count * clampUnit(t);
    int index = static_cast<int>(along);
    const float fraction = along - index;
    if (index >= count) index = count - 1;
    return {index, std::min(index + 1, count - 1), fraction};
}

// A three-corner interpolation that clamps at the border.
float TerrainSurface::blendHeight(const GridStep& column, const GridStep& row) const {
    const float h0 = vertices[column.index][row.index].y;
    const float h1 = vertices[column.next][row.index].y;
    const float h2 = vertices[column.index][row.next].y;
    return h0 + (h1 - h0) * column.fraction + (h2 - h0) * row.fraction;
}

float TerrainSurface::heightAt(float u, float v) const {
    return blendHeight(gridStep(u, usedColumns()), gridStep(v, usedRows()));
}

void TerrainSurface::slopeAt(float u, float v, float& sx, float& sz) const {
    sx = -(heightAt(static_cast<float>(u + kSlopeStep), v) - heightAt(static_cast<float>(u - kSlopeStep), v));
    sz = -(heightAt(u, static_cast<float>(v + kSlopeStep)) - heightAt(u, static_cast<float>(v - kSlopeStep)));
}

void TerrainSurface::draw(const PrefsRecord& prefs) {
    const int columnCount = usedColumns();
    const int rowCount = usedRows();
    const float sStep = columnCount / textureRepeat;
    const float tStep = rowCount / textureRepeat;
    const float heightScale = prefs.heightScale;

    beginDraw(prefs);
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(heading, 0.0f, 1.0f, 0.0f);
    glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, strip_);
    int count = 0;
    for (int r = 0; r + 1 < rowCount; ++r) {
        count = 0;
        for (int c = 0; c < columnCount; ++c) {
            for (int row = r; row <= r + 1; ++row) {
                const SurfaceVertex& vertex = vertices[c][row];
                strip_[count++] = {
                    c / sStep, row / tStep, vertex.nx, vertex.ny, vertex.nz, vertex.x, vertex.y * heightScale,
                    vertex.z};
            }
        }
        glDrawArrays(GL_TRIANGLE_STRIP, 0, count);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (count > 0) {
        const StripVertex& last = strip_[count - 1];
        glNormal3f(last.nx, last.ny, last.nz);
        glTexCoord2f(last.s, last.t);
    }
    glPopMatrix();
    endDraw(prefs);
}
