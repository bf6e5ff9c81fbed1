// A full-screen overlay of centred lines of lettering (the title card, the credits) inside the
// part of the texture the overlay effect shows; transparent around the letters.
// Depends on: GeneratedTexture, Lettering, OverlayFrame.
#pragma once

#include <vector>

#include "resources/generators/textures/GeneratedTexture.h"
#include "resources/generators/textures/Lettering.h"

class OverlayTextTexture : public GeneratedTexture {
 public:
  struct TextLine {
    std::string text;
    int pixelSize;
    int baselineY;  // in the 960 x 540 shown picture, from its top
    LetteringStyle style;
  };

  OverlayTextTexture(std::string fileName, std::vector<TextLine> lines);

  std::string fileName() const override { return name; }
  Canvas render(GlyphRasteriser& font) const override;

 private:
  std::string name;
  std::vector<TextLine> lines;
};
