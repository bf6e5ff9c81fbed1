#include "resources/generators/textures/LoadingBackgroundTexture.h"

#include "resources/generators/textures/Lettering.h"
#include "resources/generators/textures/LoadingBarLayout.h"
#include "resources/generators/textures/OverlayFrame.h"

namespace {

void drawGradient(Canvas& canvas) {
  for (int y = 0; y < OverlayFrame::shownHeight; ++y) {
    const float f = static_cast<float>(y) / OverlayFrame::shownHeight;
    const Colour c{0.02f + 0.03f * f, 0.03f + 0.05f * f, 0.08f + 0.1f * f, 1.0f};
    canvas.fillRect(0, y, OverlayFrame::shownWidth, y + 1, c);
  }
}

void drawFrames(Canvas& canvas) {
  const Colour frame{0.45f, 0.55f, 0.7f, 1.0f};
  const Colour inside{0.02f, 0.03f, 0.06f, 1.0f};
  const int t = LoadingBarLayout::top, b = LoadingBarLayout::bottom;
  for (int i = 0; i < LoadingBarLayout::segments; ++i) {
    const int l = LoadingBarLayout::segmentLeft(i), r = l + LoadingBarLayout::segmentWidth;
    canvas.fillRect(l - 2, t - 2, r + 2, b + 2, frame);
    canvas.fillRect(l, t, r, b, inside);
  }
}

}  // namespace

Canvas LoadingBackgroundTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(OverlayFrame::textureSize, OverlayFrame::textureSize);
  drawGradient(canvas);
  LetteringStyle title;
  title.fill = Colour{0.85f, 0.92f, 1.0f, 1.0f};
  title.glow = Colour{0.2f, 0.5f, 0.9f, 0.8f};
  title.glowRadius = 8;
  Lettering::drawCentred(canvas, font.renderLine("tarnveld", 110, 4), OverlayFrame::shownWidth / 2, 280,
                         title);
  LetteringStyle label;
  label.fill = Colour{0.6f, 0.7f, 0.85f, 1.0f};
  Lettering::draw(canvas, font.renderLine("loading", 24, 2), LoadingBarLayout::firstLeft,
                  LoadingBarLayout::top - 14, label);
  drawFrames(canvas);
  return canvas;
}
