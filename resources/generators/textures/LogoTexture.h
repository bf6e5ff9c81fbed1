// logo.png: the production's name in heavy capitals with a dark outline and a cold glow on a
// transparent 1024 x 512 texture.
// Depends on: GeneratedTexture, Lettering.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class LogoTexture : public GeneratedTexture {
 public:
  static constexpr int width = 1024;
  static constexpr int height = 512;

  std::string fileName() const override { return "logo.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
