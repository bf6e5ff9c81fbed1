#include "resources/generators/textures/FontAtlasTexture.h"

#include "resources/generators/textures/FontAtlasLayout.h"

namespace {

// Narrows the glyph until it fits in room pixels (a glyph that starts wider is squeezed).
GlyphRasteriser::Glyph fitted(GlyphRasteriser& font, char c, int pixelSize, int room) {
  GlyphRasteriser::Glyph glyph = font.renderGlyph(c, pixelSize);
  float scale = 1.0f;
  for (int attempt = 0; attempt < 8 && glyph.mask.getWidth() > room; ++attempt) {
    scale *= 0.97f * static_cast<float>(room) / static_cast<float>(glyph.mask.getWidth());
    glyph = font.renderGlyph(c, pixelSize, scale);
  }
  return glyph;
}

}  // namespace

AlphaMask FontAtlasTexture::slotMask(GlyphRasteriser& font, int glyph) {
  const int slotWidth = FontAtlasLayout::width(glyph);
  AlphaMask slot(slotWidth, FontAtlasLayout::rowHeight);
  const char c = FontAtlasLayout::glyphOrder()[glyph];
  if (c == ' ') return slot;
  // A pixel of air on both sides keeps neighbours apart when the atlas is filtered.
  const int room = slotWidth > 4 ? slotWidth - 2 : slotWidth;
  const GlyphRasteriser::Glyph g = fitted(font, c, pixelSize, room);
  // combine() clips to the slot, so nothing can cross into the gap or the next glyph.
  slot.combine(g.mask, (slotWidth - g.mask.getWidth()) / 2, baseline - g.top);
  return slot;
}

Canvas FontAtlasTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(FontAtlasLayout::atlasWidth, FontAtlasLayout::atlasHeight);
  for (int y = 0; y < canvas.getHeight(); ++y) {
    for (int x = 0; x < canvas.getWidth(); ++x) canvas.set(x, y, Colour{1.0f, 1.0f, 1.0f, 0.0f});
  }
  const Colour white{1.0f, 1.0f, 1.0f, 1.0f};
  for (int g = 0; g < FontAtlasLayout::glyphCount; ++g) {
    canvas.stamp(slotMask(font, g), FontAtlasLayout::offset(g), 0, white);
  }
  return canvas;
}
