// Every texture made at start-up, in loading order; the terrain images are picked from it by index.
#pragma once

class TextureCatalogue {
  public:
    static constexpr int kCapacity = 20;

    virtual ~TextureCatalogue() = default;

    // Appends at textureCount; a name beyond the capacity is ignored. A failed load's 0 is kept,
    // so the slots after it keep their numbers.
    void addToCatalogue(unsigned textureName);
    // 0 (no texture) for an index outside 0 .. textureCount - 1.
    unsigned catalogueTexture(int index) const;
    // Deletes every name in one call and empties the catalogue.
    void release();

    unsigned names[kCapacity] = {};
    int textureCount = 0;
    int firstImageTexture = 0;
};
