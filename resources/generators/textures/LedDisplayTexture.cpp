#include "resources/generators/textures/LedDisplayTexture.h"

Canvas LedDisplayTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(columns * lamp, rows * lamp);
  canvas.fillRect(0, 0, columns * lamp, rows * lamp, Colour{0.03f, 0.02f, 0.02f, 1.0f});
  // The text rasterised at one pixel per lamp, then each lamp lit where the letters cover it.
  // The largest lettering that fits the display with a lamp of room at both ends.
  GlyphRasteriser::Line text;
  for (int pixels = rows; pixels > 6; --pixels) {
    text = font.renderLine("TARNVELD * QUENVAR *", pixels, 1);
    if (text.mask.getWidth() <= columns - 2 && text.mask.getHeight() <= rows) break;
  }
  const int left = (columns - text.mask.getWidth()) / 2, top = (rows - text.mask.getHeight()) / 2;
  const Colour dark{0.16f, 0.07f, 0.02f, 1.0f}, lit{1.0f, 0.62f, 0.15f, 1.0f};
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const bool on = text.mask.sample(column - left, row - top) > 0.45f;
      const float cx = (column + 0.5f) * lamp, cy = (row + 0.5f) * lamp;
      canvas.fillCapsule(cx, cy, cx, cy, lamp * 0.38f, on ? lit : dark);
    }
  }
  return canvas;
}
