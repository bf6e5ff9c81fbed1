// blur_kernel.png: the weights of the glow's separable blur, a Gaussian profile over x in [-1, 1]
// as grey levels in a 64 x 1 strip with full alpha.
// Depends on: GeneratedTexture.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class BlurKernelTexture : public GeneratedTexture {
 public:
  static constexpr int width = 64;
  static constexpr float sigma = 0.4f;

  std::string fileName() const override { return "blur_kernel.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
