// camo.png: the tanks' paint, three tones of olive and earth in soft-edged blotches that tile.
// Depends on: GeneratedTexture, TileNoise.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class CamoTexture : public GeneratedTexture {
 public:
  static constexpr int size = 256;

  std::string fileName() const override { return "camo.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
