// banner.png: the arena's long banner, the group's name in white on crimson cloth between gold
// hems, with the production's name smaller at both ends.
// Depends on: GeneratedTexture, Lettering.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class BannerTexture : public GeneratedTexture {
 public:
  static constexpr int width = 1024;
  static constexpr int height = 128;

  std::string fileName() const override { return "banner.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
