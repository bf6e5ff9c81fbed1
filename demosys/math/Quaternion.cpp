#include "demosys/math/Quaternion.h"

#include <cmath>

namespace {
constexpr float pi = 3.1415927f;
}

Quaternion Quaternion::fromAxisAngle(const Vector3f& axis, float degrees) {
  if (axis.length() == 0.0f) return Quaternion();
  const Vector3f unit = axis.normalised();
  const float half = degrees / 180.0f * pi * 0.5f;
  const float s = std::sin(half);
  return Quaternion(std::cos(half), unit[0] * s, unit[1] * s, unit[2] * s);
}

Quaternion Quaternion::operator*(const Quaternion& q) const {
  return Quaternion(w * q.w - x * q.x - y * q.y - z * q.z, w * q.x + x * q.w + y * q.z - z * q.y,
                    w * q.y - x * q.z + y * q.w + z * q.x, w * q.z + x * q.y - y * q.x + z * q.w);
}

Matrix Quaternion::toMatrix() const {
  const float columns[16] = {1 - 2 * (y * y + z * z), 2 * (x * y + w * z),     2 * (x * z - w * y),     0,
                             2 * (x * y - w * z),     1 - 2 * (x * x + z * z), 2 * (y * z + w * x),     0,
                             2 * (x * z + w * y),     2 * (y * z - w * x),     1 - 2 * (x * x + y * y), 0,
                             0,                       0,                       0,                       1};
  return Matrix(columns);
}
