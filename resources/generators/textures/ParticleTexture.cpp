#include "resources/generators/textures/ParticleTexture.h"

#include <algorithm>
#include <cmath>

Canvas ParticleTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  const float centre = size * 0.5f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float r = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / centre;
      const float core = std::exp(-r * r * 18.0f), halo = std::exp(-r * r * 4.0f) * 0.55f;
      const float edge = std::clamp((1.0f - r) * 6.0f, 0.0f, 1.0f);
      const float a = std::min(1.0f, core + halo) * edge;
      canvas.set(x, y, Colour{0.8f + 0.2f * core, 0.88f + 0.12f * core, 1.0f, a});
    }
  }
  return canvas;
}
