// sprite.png: the spectators the crowd shader draws on the tribunes, an atlas of four 64 x 64
// figures side by side (both arms up, waving, sitting, holding a scarf over the head), light
// shirts and faces on a transparent ground so the intensity map decides how bright each seat is.
// A seat cell of the tribunes shows figure (cell column mod 4): texture s = (fract(cell s) + figure) / 4.
// Depends on: GeneratedTexture.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class CrowdSpriteTexture : public GeneratedTexture {
 public:
  static constexpr int figureSize = 64;
  static constexpr int figures = 4;

  std::string fileName() const override { return "sprite.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
