#include "resources/generators/textures/ShieldTexture.h"

#include <algorithm>
#include <cmath>

#include "resources/generators/textures/Lettering.h"

namespace {

// Signed distance-like inside measure of the shield outline scaled by s: positive inside.
float inside(float x, float y, float s) {
  const float top = 24.0f + (1.0f - s) * 110.0f, halfWidth = 100.0f * s;
  const float u = (x - 128.0f) / halfWidth, v = (y - top) / (208.0f * s);  // v 0 at the top, 1 at the point
  if (v < 0.0f || v > 1.0f) return -1.0f;
  const float edge = v < 0.45f ? 1.0f : std::sqrt(std::max(0.0f, 1.0f - std::pow((v - 0.45f) / 0.55f, 2.0f)));
  return (edge - std::abs(u)) * halfWidth;
}

}  // namespace

Canvas ShieldTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float outer = inside(x + 0.5f, y + 0.5f, 1.0f), inner = inside(x + 0.5f, y + 0.5f, 0.88f);
      canvas.blend(x, y, Colour{0.95f, 0.75f, 0.3f, 1.0f}, std::clamp(outer, 0.0f, 1.0f));
      canvas.blend(x, y, Colour{0.6f, 0.05f, 0.08f, 1.0f}, std::clamp(inner, 0.0f, 1.0f));
    }
  }
  LetteringStyle letter;
  letter.outline = Colour{0.25f, 0.0f, 0.02f, 1.0f};
  letter.outlineRadius = 3;
  Lettering::drawCentred(canvas, font.renderLine("T", 130, 0), size / 2, 172, letter);
  return canvas;
}
