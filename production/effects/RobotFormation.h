// A stored formation: one position and one rotation per droid, all zero until set.
// Depends on: Vector.
#pragma once

#include <vector>

#include "demosys/math/Vector.h"

class RobotFormation {
 public:
  explicit RobotFormation(int count)
      : positions(static_cast<size_t>(count)), rotations(static_cast<size_t>(count)) {}

  int size() const { return static_cast<int>(positions.size()); }
  const Vector3f& getPosition(int i) const { return positions[static_cast<size_t>(i)]; }
  const Vector3f& getRotation(int i) const { return rotations[static_cast<size_t>(i)]; }
  void setPosition(int i, const Vector3f& value) { positions[static_cast<size_t>(i)] = value; }
  void setRotation(int i, const Vector3f& value) { rotations[static_cast<size_t>(i)] = value; }

 private:
  std::vector<Vector3f> positions;
  std::vector<Vector3f> rotations;
};
