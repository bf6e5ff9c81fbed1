#include "resources/generators/textures/NoiseTexture.h"

#include "resources/generators/textures/SeededRandom.h"

Canvas NoiseTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  SeededRandom random(0x401CE);
  auto level = [&random]() { return static_cast<float>(random.byte()) / 255.0f; };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float r = level(), g = level(), b = level(), a = level();
      canvas.set(x, y, Colour{r, g, b, a});
    }
  }
  return canvas;
}
