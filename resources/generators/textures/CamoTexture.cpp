#include "resources/generators/textures/CamoTexture.h"

#include "resources/generators/textures/TileNoise.h"

Canvas CamoTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  const TileNoise first(0xCA40, 6), second(0xCA41, 8), grain(0xCA42, 64);
  const Colour olive{0.33f, 0.37f, 0.2f, 1.0f}, earth{0.42f, 0.34f, 0.22f, 1.0f}, dark{0.15f, 0.17f, 0.11f, 1.0f};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float a = first.fractal(x * 6.0f / size, y * 6.0f / size, 3);
      const float b = second.fractal(x * 8.0f / size, y * 8.0f / size, 3);
      Colour c = a > 0.55f ? earth : olive;
      if (b > 0.6f) c = dark;
      const float g = 0.9f + 0.2f * grain.value(x / 4.0f, y / 4.0f);
      canvas.set(x, y, Colour{c.r * g, c.g * g, c.b * g, 1.0f});
    }
  }
  return canvas;
}
