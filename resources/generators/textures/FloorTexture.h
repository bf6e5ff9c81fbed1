// floor.png: the arena's floor seen from above, dark concrete slabs with the painted markings of a
// show ground: a centre circle, a centre line and a border, yellow and worn.
// Depends on: GeneratedTexture, TileNoise.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class FloorTexture : public GeneratedTexture {
 public:
  static constexpr int size = 512;

  std::string fileName() const override { return "floor.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
