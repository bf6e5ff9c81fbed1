// hstripes.png: horizontal bands of random height and brightness, the rolling interference of a
// worn video tape that the distortion shader scrolls over the picture.
// Depends on: GeneratedTexture, SeededRandom.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class StripesTexture : public GeneratedTexture {
 public:
  static constexpr int size = 256;

  std::string fileName() const override { return "hstripes.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
