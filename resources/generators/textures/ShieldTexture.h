// shield.png: the decal on the flag poles, a heraldic shield (straight top, curved sides meeting
// in a point) in crimson with a gold rim and a white T, on a transparent ground.
// Depends on: GeneratedTexture, Lettering.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class ShieldTexture : public GeneratedTexture {
 public:
  static constexpr int size = 256;

  std::string fileName() const override { return "shield.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
