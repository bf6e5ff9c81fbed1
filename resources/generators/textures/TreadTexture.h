// tracks.png: a tank track's tread, dark rubber pads with steel pins between them, repeating along
// t (the track's length).
// Depends on: GeneratedTexture.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class TreadTexture : public GeneratedTexture {
 public:
  static constexpr int size = 128;

  std::string fileName() const override { return "tracks.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
