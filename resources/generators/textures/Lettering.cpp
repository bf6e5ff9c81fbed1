#include "resources/generators/textures/Lettering.h"

namespace Lettering {

void draw(Canvas& canvas, const GlyphRasteriser::Line& line, int x, int baselineY,
          const LetteringStyle& style) {
  const int top = baselineY - line.baseline;
  const int margin = style.outlineRadius + 3 * style.glowRadius;
  const AlphaMask room = line.mask.padded(margin);
  const AlphaMask outline = style.outlineRadius > 0 ? room.dilated(style.outlineRadius) : room;
  if (style.glowRadius > 0) {
    canvas.stamp(outline.blurred(style.glowRadius).scaled(1.5f), x - margin, top - margin, style.glow);
  }
  if (style.outlineRadius > 0) canvas.stamp(outline, x - margin, top - margin, style.outline);
  canvas.stamp(line.mask, x, top, style.fill);
}

void drawCentred(Canvas& canvas, const GlyphRasteriser::Line& line, int centreX, int baselineY,
                 const LetteringStyle& style) {
  draw(canvas, line, centreX - line.mask.getWidth() / 2, baselineY, style);
}

}  // namespace Lettering
