// The six faces of the night sky around the arena: stars over a city's orange glow, a skyline of
// lit windows on the horizon and dark ground below. Every pixel's colour is a function of the
// direction it looks in, and stars are splashed onto every face they fall on, so neighbouring
// faces meet without a seam.
// Faces (engine axes, y up), each seen from inside the cube with the picture's top row up:
// north looks along -z (right is +x), south along +z, east along +x (right is +z), west along -x,
// top along +y (its top row borders north), bottom along -y (its top row borders south).
// Depends on: GeneratedTexture, SeededRandom, TileNoise.
#pragma once

#include "resources/generators/textures/GeneratedTexture.h"

class SkyboxTexture : public GeneratedTexture {
 public:
  enum Face { NORTH, SOUTH, EAST, WEST, TOP, BOTTOM };
  static constexpr int faceCount = 6;
  static constexpr int size = 512;

  explicit SkyboxTexture(Face face) : face(face) {}

  std::string fileName() const override;
  Canvas render(GlyphRasteriser& font) const override;

  // The direction (not normalised) that a face's point (u, v) looks in, u to the right and v up,
  // both from -1 to 1.
  static void direction(Face face, float u, float v, float out[3]);

 private:
  void drawStars(Canvas& canvas) const;

  Face face;
};
