// A cloth flag on a pole, waved on the CPU every frame: three value-noise generators displace
// x, y and z of every vertex (evaluated as whole grids, one per generator), the face normals are
// recomputed, and a black pole with a round knob and two cords is drawn beside the cloth. The logo
// shows through a sub-rectangle of its texture.
// Depends on: FlagPlane, PerlinNoise, OpenGL.
#pragma once

#include <vector>

#include "production/effects/FlagPlane.h"
#include "qnvutils/PerlinNoise.h"

class Flag : public FlagPlane {
 public:
  Flag(float width, float height, int columns, int rows);

  void setSeedX(int a, int b, int c, float divisor) { noiseX.setSeed(a, b, c, divisor); }
  void setSeedY(int a, int b, int c, float divisor) { noiseY.setSeed(a, b, c, divisor); }
  void setSeedZ(int a, int b, int c, float divisor) { noiseZ.setSeed(a, b, c, divisor); }

  // Displaces the vertices for a phase along the columns.
  void wave(float phase);
  // Waves, then draws the cloth, the pole, its knob and the cords.
  void draw(float phase);

 private:
  void drawPole() const;
  void drawKnob() const;
  void drawCords() const;

  PerlinNoise noiseX;
  PerlinNoise noiseY;
  PerlinNoise noiseZ;
  // Sample coordinates and the three noise grids of one wave, sized once.
  std::vector<float> columnSamples;
  std::vector<float> rowSamples;
  std::vector<float> valuesX;
  std::vector<float> valuesY;
  std::vector<float> valuesZ;
};
