#include "resources/generators/textures/LogoTexture.h"

#include "resources/generators/textures/Lettering.h"

Canvas LogoTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(width, height);
  LetteringStyle style;
  style.fill = Colour{0.92f, 0.97f, 1.0f, 1.0f};
  style.outline = Colour{0.05f, 0.12f, 0.3f, 1.0f};
  style.outlineRadius = 5;
  style.glow = Colour{0.3f, 0.75f, 1.0f, 0.9f};
  style.glowRadius = 9;
  const GlyphRasteriser::Line word = font.renderLine("TARNVELD", 140, 6);
  // Capitals sit on the baseline: a baseline a little below the middle centres them.
  Lettering::drawCentred(canvas, word, width / 2, height / 2 + 50, style);
  return canvas;
}
