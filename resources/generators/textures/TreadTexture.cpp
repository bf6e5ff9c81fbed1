#include "resources/generators/textures/TreadTexture.h"

Canvas TreadTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  canvas.fillRect(0, 0, size, size, Colour{0.08f, 0.08f, 0.08f, 1.0f});
  const int pitch = 16;
  for (int y = 0; y < size; y += pitch) {
    canvas.fillRect(4, y + 2, size - 4, y + pitch - 4, Colour{0.2f, 0.2f, 0.19f, 1.0f});  // pad
    canvas.fillRect(4, y + 2, size - 4, y + 4, Colour{0.32f, 0.32f, 0.3f, 1.0f});         // its lit edge
    canvas.fillRect(size / 2 - 6, y + pitch - 4, size / 2 + 6, y + pitch, Colour{0.55f, 0.55f, 0.58f, 1.0f});
  }
  return canvas;
}
