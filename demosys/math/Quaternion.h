// Rotation quaternion (w, x, y, z) for the camera's orientation. Products are Hamilton
// products, so p * q rotates by q first, then by p, like the matching matrices.
// Depends on: Vector, Matrix.
#pragma once

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"

class Quaternion {
 public:
  // The identity rotation.
  Quaternion() = default;
  Quaternion(float w, float x, float y, float z) : w(w), x(x), y(y), z(z) {}

  // Turns by degrees about the axis (normalised here; a zero axis gives the identity).
  static Quaternion fromAxisAngle(const Vector3f& axis, float degrees);

  Quaternion operator*(const Quaternion& q) const;
  Quaternion conjugate() const { return Quaternion(w, -x, -y, -z); }
  // The rotation as a column-major matrix, without translation; exact for unit quaternions.
  Matrix toMatrix() const;

  float w = 1.0f;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};
