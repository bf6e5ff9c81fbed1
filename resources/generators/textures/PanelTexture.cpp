#include "resources/generators/textures/PanelTexture.h"

#include <utility>

#include "resources/generators/textures/TileNoise.h"

PanelTexture::PanelTexture(std::string name, const Colour& metal, int panel, bool lamps)
    : name(std::move(name)), metal(metal), panel(panel), lamps(lamps) {}

Canvas PanelTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  const TileNoise grime(0x9A1E, 16);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int px = x % panel, py = y % panel;
      float light = 0.85f + 0.25f * grime.fractal(x / 16.0f, y / 16.0f, 4);
      if (px < 2 || py < 2) light = 0.35f;                        // seam
      else if (py < 4 || px < 4) light += 0.2f;                   // bevel catching the light
      else if (py >= panel - 3 || px >= panel - 3) light -= 0.2f; // bevel in shadow
      canvas.set(x, y, Colour{metal.r * light, metal.g * light, metal.b * light, 1.0f});
    }
  }
  const Colour rivet{metal.r * 1.25f, metal.g * 1.25f, metal.b * 1.25f, 1.0f};
  for (int y = 0; y < size; y += panel) {
    for (int x = 0; x < size; x += panel) {
      for (float dx : {6.0f, panel - 6.0f}) {
        for (float dy : {6.0f, panel - 6.0f}) canvas.fillCapsule(x + dx, y + dy, x + dx, y + dy, 1.6f, rivet);
      }
    }
  }
  if (lamps) {
    for (int x = 0; x < size; x += panel / 4) {
      const float cx = x + panel / 8.0f;
      canvas.fillCapsule(cx, panel / 2.0f, cx, panel / 2.0f, panel / 12.0f + 1.5f, Colour{0.3f, 0.02f, 0.02f, 1.0f});
      canvas.fillCapsule(cx, panel / 2.0f, cx, panel / 2.0f, panel / 12.0f, Colour{1.0f, 0.15f, 0.1f, 1.0f});
    }
  }
  return canvas;
}
