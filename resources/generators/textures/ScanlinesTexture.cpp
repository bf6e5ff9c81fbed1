#include "resources/generators/textures/ScanlinesTexture.h"

#include <algorithm>

#include "resources/generators/textures/OverlayFrame.h"

namespace {

// 0 in the middle of the picture, rising towards 1 in the corners.
float vignette(int x, int y) {
  const float dx = (static_cast<float>(x) + 0.5f) / OverlayFrame::shownWidth * 2.0f - 1.0f;
  const float dy = (static_cast<float>(y) + 0.5f) / OverlayFrame::shownHeight * 2.0f - 1.0f;
  return std::clamp((dx * dx + dy * dy - 0.5f) / 1.5f, 0.0f, 1.0f);
}

}  // namespace

Canvas ScanlinesTexture::render(GlyphRasteriser&) const {
  Canvas canvas(OverlayFrame::textureSize, OverlayFrame::textureSize);
  for (int y = 0; y < OverlayFrame::shownHeight; ++y) {
    const float line = y % 3 == 0 ? 0.45f : 0.0f;
    for (int x = 0; x < OverlayFrame::shownWidth; ++x) {
      const float a = std::max(line, 0.8f * vignette(x, y));
      canvas.set(x, y, Colour{0.0f, 0.0f, 0.0f, a});
    }
  }
  return canvas;
}
