// The production's logo on cloth, the picture the flags wave: a woven navy field with a gold
// border, the name in the logo's lettering and the group's name under it. Two layouts of one
// picture: flag.png fills its whole 512 x 512 texture (the precomputed flag maps the cloth to all
// of it), qnvlogo.png keeps the cloth in the part of a 1024 x 1024 texture the cloth-simulated
// flag maps (OverlayFrame's shown part).
// Depends on: GeneratedTexture, Lettering, OverlayFrame, TileNoise.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class FlagTexture : public GeneratedTexture {
 public:
  // The cloth covers [0, clothWidth) x [0, clothHeight) of a square texture of textureSize.
  FlagTexture(std::string name, int textureSize, int clothWidth, int clothHeight);

  std::string fileName() const override { return name; }
  Canvas render(GlyphRasteriser& font) const override;

 private:
  std::string name;
  int textureSize;
  int clothWidth;
  int clothHeight;
};
