// The catalogue of every texture made at start-up.
#include "textures/texture_catalogue.h"

#include <GL/gl.h>

void TextureCatalogue::addToCatalogue(unsigned textureName) {
    if (textureCount < 0 || textureCount >= kCapacity) return;
    names[textureCount] = textureName;
    ++textureCount;
}

unsigned TextureCatalogue::catalogueTexture(int index) const {
    if (index < 0 || index >= textureCount || index >= kCapacity) return 0;
    return names[index];
}

void TextureCatalogue::release() {
    if (textureCount > 0 && textureCount <= kCapacity) glDeleteTextures(textureCount, names);
    textureCount = 0;
}
