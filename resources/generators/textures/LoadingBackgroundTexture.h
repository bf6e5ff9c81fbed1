// Loading1.png: the still picture behind the loading display, the title over a dark gradient and
// seven empty frames that the overlay's segments fill as loading advances.
// Depends on: GeneratedTexture, Lettering, LoadingBarLayout, OverlayFrame.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class LoadingBackgroundTexture : public GeneratedTexture {
 public:
  std::string fileName() const override { return "Loading1.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
