#include "resources/generators/textures/LoadingOverlayTexture.h"

#include "resources/generators/textures/AlphaMask.h"
#include "resources/generators/textures/LoadingBarLayout.h"
#include "resources/generators/textures/OverlayFrame.h"

Canvas LoadingOverlayTexture::render(GlyphRasteriser&) const {
  Canvas canvas(OverlayFrame::textureSize, OverlayFrame::textureSize);
  const int left = LoadingBarLayout::firstLeft, top = LoadingBarLayout::top;
  const int width = LoadingBarLayout::segmentWidth, height = LoadingBarLayout::bottom - top;
  const int glowRadius = 4, margin = 3 * glowRadius;
  AlphaMask segment(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) segment.set(x, y, 1.0f);
  }
  canvas.stamp(segment.padded(margin).blurred(glowRadius), left - margin, top - margin,
               Colour{0.3f, 0.7f, 1.0f, 0.8f});
  // Lighter towards the top edge, like a lit glass bar.
  for (int y = 0; y < height; ++y) {
    const float f = 1.0f - static_cast<float>(y) / height;
    canvas.fillRect(left, top + y, left + width, top + y + 1,
                    Colour{0.5f + 0.4f * f, 0.8f + 0.2f * f, 1.0f, 1.0f});
  }
  return canvas;
}
