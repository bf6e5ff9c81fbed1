#include "resources/generators/textures/StripesTexture.h"

#include "resources/generators/textures/SeededRandom.h"

namespace {

// Mostly dark bands with the odd bright one, as tape noise looks.
float bandBrightness(SeededRandom& random) {
  const float u = random.unit();
  return u > 0.85f ? 0.6f + 0.4f * random.unit() : 0.35f * u;
}

}  // namespace

Canvas StripesTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  SeededRandom random(0x5751);
  int y = 0;
  while (y < size) {
    const int bandHeight = random.range(1, 14);
    const float grey = bandBrightness(random);
    for (int row = y; row < y + bandHeight && row < size; ++row) {
      for (int x = 0; x < size; ++x) {
        // A faint grain along the band keeps it from looking ruled.
        const float v = grey * (0.9f + 0.1f * random.unit());
        canvas.set(x, row, Colour{v, v, v, 1.0f});
      }
    }
    y += bandHeight;
  }
  return canvas;
}
