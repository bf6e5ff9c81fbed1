// What the arena's screens show: a word over a glowing tinted field with scanlines, a frame and a
// row of spectrum bars along the bottom. hoverscreen.png (the hovering screen, "TARNVELD" in cold
// blue) and screen.png (the big screens, "QUENVAR" in warm red). Bars and scanlines repeat along
// s, so a screen whose picture scrolls sideways shows no seam in them.
// Depends on: GeneratedTexture, Lettering, SeededRandom.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class ScreenPictureTexture : public GeneratedTexture {
 public:
  static constexpr int width = 512;
  static constexpr int height = 256;

  ScreenPictureTexture(std::string name, std::string word, const Colour& tint);

  std::string fileName() const override { return name; }
  Canvas render(GlyphRasteriser& font) const override;

 private:
  std::string name;
  std::string word;
  Colour tint;
};
