// Particle.png: the soft white dot the jets' particle streams are drawn with, a bright core in a
// wide bluish halo that fades to nothing before the edge.
// Depends on: GeneratedTexture.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class ParticleTexture : public GeneratedTexture {
 public:
  static constexpr int size = 64;

  std::string fileName() const override { return "Particle.png"; }
  Canvas render(GlyphRasteriser& font) const override;
};
