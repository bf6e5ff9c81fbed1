#include "resources/generators/textures/BannerTexture.h"

#include "resources/generators/textures/Lettering.h"

Canvas BannerTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(width, height);
  canvas.fillRect(0, 0, width, height, Colour{0.55f, 0.04f, 0.07f, 1.0f});
  for (int x = 0; x < width; x += 8) canvas.fillRect(x, 0, x + 1, height, Colour{0.0f, 0.0f, 0.0f, 0.12f});
  const Colour gold{0.95f, 0.75f, 0.3f, 1.0f};
  canvas.fillRect(0, 6, width, 14, gold);
  canvas.fillRect(0, height - 14, width, height - 6, gold);
  LetteringStyle name;
  name.outline = Colour{0.2f, 0.0f, 0.02f, 1.0f};
  name.outlineRadius = 3;
  Lettering::drawCentred(canvas, font.renderLine("QUENVAR", 76, 10), width / 2, height / 2 + 28, name);
  LetteringStyle small;
  small.fill = gold;
  for (int x : {130, width - 130}) {
    Lettering::drawCentred(canvas, font.renderLine("TARNVELD", 30, 3), x, height / 2 + 11, small);
  }
  return canvas;
}
