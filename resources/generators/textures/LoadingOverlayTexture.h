// Loading2.png: the first lit segment of the loading bar; the loading display repeats it shifted
// right once per seventh of loading, so seven copies fill the seven frames of the background.
// Depends on: GeneratedTexture, LoadingBarLayout, OverlayFrame.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class LoadingOverlayTexture : public GeneratedTexture {
 public:
  std::string fileName() const override { return "Loading2.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
