// TestFontAtlas: the coloured atlas.
#include "tests/gl/TestFontAtlas.h"

#include <GL/glew.h>

#include <cstdint>
#include <vector>

#include "demosys/resources/QNVIO.h"
#include "production/effects/Textwriter.h"

namespace TestFontAtlas {

namespace {

bool write(const std::string& path) {

  const int width = Textwriter::atlasWidth;
  const int glyphRows = height * 5 / 8;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0);
  for (int g = 0; g < Textwriter::glyphCount; ++g) {
    for (int y = 0; y < height; ++y) {
      Rgba c = y < glyphRows ? glyphColour(g) : below;
      for (int x = Textwriter::glyphOffset(g); x < Textwriter::glyphOffset(g) + Textwriter::glyphWidth(g);
           ++x) {
        uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        p[0] = static_cast<uint8_t>(c.r);
        p[1] = static_cast<uint8_t>(c.g);
        p[2] = static_cast<uint8_t>(c.b);
        p[3] = static_cast<uint8_t>(c.a);
      }
    }
  }
  return writePNG(path, width, height, 4, pixels);
}

}  // namespace

Rgba glyphColour(int g) { return {20 + 5 * g, 255 - 5 * g, 128, 255}; }

Rgba colourOf(char c) { return glyphColour(Textwriter::glyphIndex(c)); }

Texture* load(const TempDir& dir) {
  if (!write(dir.file("font.png"))) return nullptr;
  QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  return QNVIO::loadTexture(dir.file("font.png"), GL_TEXTURE_2D, false);
}

}  // namespace TestFontAtlas
