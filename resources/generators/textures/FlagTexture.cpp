#include "resources/generators/textures/FlagTexture.h"

#include <cmath>
#include <utility>

#include "resources/generators/textures/Lettering.h"
#include "resources/generators/textures/TileNoise.h"

FlagTexture::FlagTexture(std::string name, int textureSize, int clothWidth, int clothHeight)
    : name(std::move(name)), textureSize(textureSize), clothWidth(clothWidth), clothHeight(clothHeight) {}

Canvas FlagTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(textureSize, textureSize);
  const TileNoise fibre(0xF1A6, 32);
  for (int y = 0; y < clothHeight; ++y) {
    for (int x = 0; x < clothWidth; ++x) {
      // Warp and weft threads two pixels apart, and slow unevenness of the dye.
      const float weave = 0.06f * ((x / 2 + y / 2) % 2) + 0.08f * fibre.value(x * 0.5f, y * 0.5f);
      const float dye = 0.85f + 0.3f * fibre.fractal(x / 64.0f, y / 64.0f, 3);
      canvas.set(x, y, Colour{(0.04f + weave) * dye, (0.07f + weave) * dye, (0.24f + weave) * dye, 1.0f});
    }
  }
  const Colour gold{0.95f, 0.72f, 0.25f, 1.0f};
  const int border = clothHeight / 22, inset = clothHeight / 12;
  canvas.fillRect(inset, inset, clothWidth - inset, inset + border, gold);
  canvas.fillRect(inset, clothHeight - inset - border, clothWidth - inset, clothHeight - inset, gold);
  canvas.fillRect(inset, inset, inset + border, clothHeight - inset, gold);
  canvas.fillRect(clothWidth - inset - border, inset, clothWidth - inset, clothHeight - inset, gold);

  LetteringStyle logo;
  logo.fill = Colour{0.95f, 0.97f, 1.0f, 1.0f};
  logo.outline = Colour{0.02f, 0.05f, 0.15f, 1.0f};
  logo.outlineRadius = std::max(2, clothWidth / 200);
  logo.glow = Colour{0.3f, 0.75f, 1.0f, 0.8f};
  logo.glowRadius = std::max(3, clothWidth / 110);
  const int wordSize = clothWidth * 13 / 100;
  Lettering::drawCentred(canvas, font.renderLine("TARNVELD", wordSize, wordSize / 24), clothWidth / 2,
                         clothHeight / 2 + wordSize * 3 / 8, logo);
  LetteringStyle group;
  group.fill = gold;
  const int groupSize = wordSize * 2 / 5;
  Lettering::drawCentred(canvas, font.renderLine("QUENVAR", groupSize, groupSize / 4), clothWidth / 2,
                         clothHeight / 2 + wordSize * 3 / 8 + groupSize * 2, group);
  return canvas;
}
