#include "resources/generators/textures/OverlayTextTexture.h"

#include <utility>

#include "resources/generators/textures/OverlayFrame.h"

OverlayTextTexture::OverlayTextTexture(std::string fileName, std::vector<TextLine> lines)
    : name(std::move(fileName)), lines(std::move(lines)) {}

Canvas OverlayTextTexture::render(GlyphRasteriser& font) const {
  Canvas canvas(OverlayFrame::textureSize, OverlayFrame::textureSize);
  for (const TextLine& line : lines) {
    Lettering::drawCentred(canvas, font.renderLine(line.text, line.pixelSize, 2),
                           OverlayFrame::shownWidth / 2, line.baselineY, line.style);
  }
  return canvas;
}
