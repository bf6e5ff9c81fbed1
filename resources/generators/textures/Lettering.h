// Lettering on a canvas: a rasterised line of text with an optional outline and soft glow behind
// its fill, the look shared by the logo, the overlays and the loading pictures.
// Depends on: Canvas, GlyphRasteriser.
#pragma once

#include "resources/generators/textures/Canvas.h"
#include "resources/generators/textures/GlyphRasteriser.h"

struct LetteringStyle {
  Colour fill{1.0f, 1.0f, 1.0f, 1.0f};
  Colour outline{};
  int outlineRadius = 0;  // 0: no outline
  Colour glow{};
  int glowRadius = 0;  // 0: no glow
};

namespace Lettering {

// The line's left edge at x and its baseline on row baselineY.
void draw(Canvas& canvas, const GlyphRasteriser::Line& line, int x, int baselineY,
          const LetteringStyle& style);
// The same, centred horizontally on centreX.
void drawCentred(Canvas& canvas, const GlyphRasteriser::Line& line, int centreX, int baselineY,
                 const LetteringStyle& style);

}  // namespace Lettering
