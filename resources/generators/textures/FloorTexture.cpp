#include "resources/generators/textures/FloorTexture.h"

#include <cmath>

#include "resources/generators/textures/TileNoise.h"

Canvas FloorTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  const TileNoise wear(0xF100, 32);
  const float centre = size * 0.5f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float n = wear.fractal(x / 16.0f, y / 16.0f, 4);
      float grey = 0.2f + 0.12f * n;
      if (x % 64 < 2 || y % 64 < 2) grey *= 0.6f;  // joints between the slabs
      Colour c{grey, grey * 0.98f, grey * 1.04f, 1.0f};
      const float r = std::hypot(x + 0.5f - centre, y + 0.5f - centre);
      const bool paint = std::abs(r - 150.0f) < 5.0f || std::abs(x + 0.5f - centre) < 4.0f ||
                         x < 20 || x >= size - 20 || y < 20 || y >= size - 20;
      const bool border = x < 14 || x >= size - 14 || y < 14 || y >= size - 14;
      if (paint && !border && n > 0.3f) c = Colour{0.85f * (0.7f + 0.3f * n), 0.68f * (0.7f + 0.3f * n), 0.12f, 1.0f};
      canvas.set(x, y, c);
    }
  }
  return canvas;
}
