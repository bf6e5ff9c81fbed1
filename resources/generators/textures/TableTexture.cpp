#include "resources/generators/textures/TableTexture.h"

#include "resources/generators/textures/Lettering.h"

Canvas TableTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(width, height);
  canvas.fillRect(0, 0, width, height, Colour{0.0f, 0.0f, 0.0f, 1.0f});
  LetteringStyle white;
  // Two words, each centred in its half: the picture ends where it starts, so it repeats.
  Lettering::drawCentred(canvas, font.renderLine("TARNVELD", 40, 2), width / 4, height / 2 + 15, white);
  Lettering::drawCentred(canvas, font.renderLine("QUENVAR", 40, 2), 3 * width / 4, height / 2 + 15, white);
  canvas.fillRect(0, 2, width, 6, white.fill);
  canvas.fillRect(0, height - 6, width, height - 2, white.fill);
  return canvas;
}
