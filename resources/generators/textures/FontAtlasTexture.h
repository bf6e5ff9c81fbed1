// font.png: the text writer's font atlas, white glyphs with coverage in alpha, each squeezed as
// needed into its slot of the atlas layout and never past it; transparent white elsewhere so that
// filtering at a glyph's edge does not darken it.
// Depends on: GeneratedTexture, FontAtlasLayout, GlyphRasteriser.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class FontAtlasTexture : public GeneratedTexture {
 public:
  static constexpr int pixelSize = 72;
  static constexpr int baseline = 61;  // picture row of the baseline inside the glyph row

  std::string fileName() const override { return "font.png"; }
  Canvas render(GlyphRasteriser& font) const override;

 private:
  static AlphaMask slotMask(GlyphRasteriser& font, int glyph);
};
