// overlay_scanlines.png: dark lines across every third row and a darkening towards the corners,
// laid over the picture to look like an old monitor; only the shown part is covered.
// Depends on: GeneratedTexture, OverlayFrame.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class ScanlinesTexture : public GeneratedTexture {
 public:
  std::string fileName() const override { return "overlay_scanlines.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
