// A HUD crosshair: a grid of n x n cells over width x height with a vertical and a horizontal
// line that roam across it, each bouncing back at the grid's edges.
// Depends on: Vector, OpenGL.
#pragma once

#include "demosys/math/Vector.h"

class Crosshair {
 public:
  Crosshair(float x, float y, float width, float height, int divisions, const Vector4f& colour);

  // Draws the grid, moves the cross by (dx, dy) in its current directions, draws the cross;
  // pushes and pops the model-view matrix.
  void draw(float dx, float dy);

  float getCrossX() const { return px; }
  float getCrossY() const { return py; }

 private:
  void drawGrid() const;
  void move(float dx, float dy);
  // One axis: moving down it while the flag is set; the flag turns at 0 and at the end.
  static void bounce(float& position, float& downward, float delta, float end);

  float x;
  float y;
  float width;
  float height;
  int divisions;
  Vector4f colour;
  float px;
  float py;
  float fx = 0.0f;
  float fy = 1.0f;
};
