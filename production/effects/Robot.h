// One droid's pose: a position and a rotation (degrees about x, y and z).
// Depends on: Vector.
#pragma once

#include "demosys/math/Vector.h"

class Robot {
 public:
  const Vector3f& getPosition() const { return position; }
  const Vector3f& getRotation() const { return rotation; }
  void setPosition(const Vector3f& value) { position = value; }
  void setRotation(const Vector3f& value) { rotation = value; }

 private:
  Vector3f position;
  Vector3f rotation;
};
