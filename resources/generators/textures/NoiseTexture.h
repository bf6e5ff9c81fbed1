// noise.png: white noise, each of the four channels drawn independently, for the video noise of
// the distortion shader.
// Depends on: GeneratedTexture, SeededRandom.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class NoiseTexture : public GeneratedTexture {
 public:
  static constexpr int size = 256;

  std::string fileName() const override { return "noise.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
