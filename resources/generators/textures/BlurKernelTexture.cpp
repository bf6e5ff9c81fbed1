#include "resources/generators/textures/BlurKernelTexture.h"

#include <cmath>

Canvas BlurKernelTexture::render(GlyphRasteriser&) const {
  Canvas canvas(width, 1);
  for (int i = 0; i < width; ++i) {
    // Texel centres, so texel i and texel width-1-i sit at opposite x and get the same weight.
    const float x = -1.0f + 2.0f * (static_cast<float>(i) + 0.5f) / width;
    const float weight = std::exp(-x * x / (2.0f * sigma * sigma));
    canvas.set(i, 0, Colour{weight, weight, weight, 1.0f});
  }
  return canvas;
}
