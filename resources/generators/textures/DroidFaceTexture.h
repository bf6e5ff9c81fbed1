// bender_overlay.png: a droid's head as a point sprite for the particle formations: a domed grey
// head with an antenna, a dark visor and two glowing eyes, on a transparent ground.
// Depends on: GeneratedTexture.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class DroidFaceTexture : public GeneratedTexture {
 public:
  static constexpr int size = 64;

  std::string fileName() const override { return "bender_overlay.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
