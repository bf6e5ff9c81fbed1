// What both HUD volume meters share: a place, a colour, a list of 4 x s quad vertices built by the
// concrete meter, and the level rule: a meter asked for a level at or above its current one jumps
// there at once, a falling meter drops by one segment per draw. Every second built segment is
// drawn, as many as the current level.
// Depends on: Vector, OpenGL.
#pragma once

#include <vector>

#include "demosys/math/Vector.h"

class HUDMeter {
 public:
  // The level now shown, in segments.
  int getLevel() const { return level; }
  int getSegmentCount() const { return segments; }
  const std::vector<Vector3f>& getQuads() const { return quads; }

  // Updates the level for the requested one and draws; pushes and pops the model-view matrix.
  void draw(int requested);

 protected:
  HUDMeter(float x, float y, int segments, const Vector4f& colour);
  void addQuad(const Vector2f& a, const Vector2f& b, const Vector2f& c, const Vector2f& d);

 private:
  float x;
  float y;
  int segments;
  Vector4f colour;
  int level = 0;
  std::vector<Vector3f> quads;
};
