#include "resources/generators/textures/ScreenPictureTexture.h"

#include <cmath>
#include <utility>

#include "resources/generators/textures/Lettering.h"
#include "resources/generators/textures/SeededRandom.h"

ScreenPictureTexture::ScreenPictureTexture(std::string name, std::string word, const Colour& tint)
    : name(std::move(name)), word(std::move(word)), tint(tint) {}

Canvas ScreenPictureTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(width, height);
  for (int y = 0; y < height; ++y) {
    const float glow = 0.25f + 0.2f * std::sin(3.14159265f * y / height);
    const float scan = y % 4 < 2 ? 1.0f : 0.7f;
    canvas.fillRect(0, y, width, y + 1, Colour{tint.r * glow * scan, tint.g * glow * scan, tint.b * glow * scan, 1.0f});
  }
  LetteringStyle style;
  style.glow = tint;
  style.glowRadius = 6;
  Lettering::drawCentred(canvas, font.renderLine(word, 72, 4), width / 2, height / 2 + 20, style);
  SeededRandom random(0xBA25);
  const int bars = 32, barWidth = width / bars;
  for (int i = 0; i < bars; ++i) {
    const int top = height - 14 - random.range(8, 44);
    canvas.fillRect(i * barWidth + 2, top, (i + 1) * barWidth - 2, height - 14, Colour{1.0f, 1.0f, 1.0f, 0.85f});
  }
  const Colour frame{0.1f, 0.1f, 0.12f, 1.0f};
  canvas.fillRect(0, 0, width, 6, frame);
  canvas.fillRect(0, height - 6, width, height, frame);
  return canvas;
}
