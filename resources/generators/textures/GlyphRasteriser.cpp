#include "resources/generators/textures/GlyphRasteriser.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <vector>

namespace {

FT_Library asLibrary(void* p) { return static_cast<FT_Library>(p); }
FT_Face asFace(void* p) { return static_cast<FT_Face>(p); }

AlphaMask maskOf(const FT_Bitmap& bitmap) {
  AlphaMask mask(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
  for (int y = 0; y < mask.getHeight(); ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    for (int x = 0; x < mask.getWidth(); ++x) mask.set(x, y, static_cast<float>(row[x]) / 255.0f);
  }
  return mask;
}

}  // namespace

GlyphRasteriser::GlyphRasteriser(const std::string& fontPath) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) != 0) {
    fail("GlyphRasteriser: cannot start FreeType\n");
    return;
  }
  library = lib;
  FT_Face f = nullptr;
  if (FT_New_Face(lib, fontPath.c_str(), 0, &f) != 0) {
    fail("GlyphRasteriser: cannot read font '" + fontPath + "'\n");
    return;
  }
  face = f;
  valid = true;
}

GlyphRasteriser::~GlyphRasteriser() {
  if (face) FT_Done_Face(asFace(face));
  if (library) FT_Done_FreeType(asLibrary(library));
}

bool GlyphRasteriser::fail(const std::string& message) {
  valid = false;
  if (errorMessage.empty()) errorMessage = message;
  return false;
}

GlyphRasteriser::Glyph GlyphRasteriser::renderGlyph(char c, int pixelSize, float xScale) {
  Glyph glyph;
  if (!valid) return glyph;
  FT_Face f = asFace(face);
  FT_Matrix squeeze{static_cast<FT_Fixed>(xScale * 65536.0f), 0, 0, 0x10000};
  FT_Set_Transform(f, &squeeze, nullptr);
  if (FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize)) != 0 ||
      FT_Load_Char(f, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0) {
    fail(std::string("GlyphRasteriser: cannot render '") + c + "'\n");
    return glyph;
  }
  const FT_GlyphSlot slot = f->glyph;
  glyph.mask = maskOf(slot->bitmap);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  return glyph;
}

GlyphRasteriser::Line GlyphRasteriser::renderLine(const std::string& text, int pixelSize, int spacing) {
  std::vector<Glyph> glyphs;
  std::vector<int> pens;
  int pen = 0, minX = INT_MAX, maxX = INT_MIN, maxTop = 0, maxBottom = 0;
  for (char c : text) {
    glyphs.push_back(renderGlyph(c, pixelSize));
    const Glyph& g = glyphs.back();
    pens.push_back(pen);
    minX = std::min(minX, pen + g.left);
    maxX = std::max(maxX, pen + g.left + g.mask.getWidth());
    maxTop = std::max(maxTop, g.top);
    maxBottom = std::max(maxBottom, g.mask.getHeight() - g.top);
    pen += g.advance + spacing;
  }
  Line line;
  if (glyphs.empty()) return line;
  line.mask = AlphaMask(maxX - minX, maxTop + maxBottom);
  line.baseline = maxTop;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    line.mask.combine(glyphs[i].mask, pens[i] + glyphs[i].left - minX, maxTop - glyphs[i].top);
  }
  return line;
}
