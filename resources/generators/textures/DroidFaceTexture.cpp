#include "resources/generators/textures/DroidFaceTexture.h"

Canvas DroidFaceTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  const Colour steel{0.62f, 0.68f, 0.76f, 1.0f}, shade{0.4f, 0.45f, 0.53f, 1.0f};
  canvas.fillCapsule(32, 3, 32, 14, 1.5f, shade);    // antenna
  canvas.fillCapsule(32, 5, 32, 5, 3.5f, Colour{1.0f, 0.3f, 0.2f, 1.0f});
  canvas.fillCapsule(32, 34, 32, 48, 18, shade);     // neck and jaw
  canvas.fillCapsule(32, 30, 32, 44, 16, steel);     // dome
  canvas.fillCapsule(20, 33, 44, 33, 7, Colour{0.05f, 0.06f, 0.1f, 1.0f});  // visor
  const Colour eye{1.0f, 0.9f, 0.3f, 1.0f};
  canvas.fillCapsule(24, 33, 26, 33, 4, eye);
  canvas.fillCapsule(38, 33, 40, 33, 4, eye);
  for (int i = 0; i < 4; ++i) canvas.fillCapsule(24 + 5.5f * i, 50, 24 + 5.5f * i, 55, 1.2f, shade);  // teeth
  return canvas;
}
