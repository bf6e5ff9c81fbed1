// tabletex.png: the card-stunt table the crowd effect scrolls over the tribunes' intensity map,
// the production's and the group's names in white on black, repeating seamlessly along s.
// Depends on: GeneratedTexture, Lettering.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class TableTexture : public GeneratedTexture {
 public:
  static constexpr int width = 512;
  static constexpr int height = 64;

  std::string fileName() const override { return "tabletex.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
