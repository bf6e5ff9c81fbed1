// A HUD ruler: a spine of length b with n + m ticks below its top (every m-th tick long) that
// scrolls along itself and jumps back after one long-tick period, so it seems endless. Horizontal
// rulers are the vertical one turned by 90 degrees.
// Depends on: Vector, OpenGL.
#pragma once

#include <vector>

#include "demosys/math/Vector.h"

class Ruler {
 public:
  static constexpr int horizontal = 1;

  Ruler(float x, float y, float tickLength, float length, int ticks, int longTickPeriod, int orientation,
        const Vector4f& colour);

  // Scrolls by offset, then draws; pushes and pops the model-view matrix.
  void draw(float offset);

  float getScroll() const { return scroll; }
  float getSpacing() const { return spacing; }
  const std::vector<Vector3f>& getLines() const { return lines; }

 private:
  void addLine(float x0, float y0, float x1, float y1);

  float x;
  float y;
  int period;
  int orientation;
  Vector4f colour;
  float scroll = 0.0f;
  float spacing;
  std::vector<Vector3f> lines;
};
