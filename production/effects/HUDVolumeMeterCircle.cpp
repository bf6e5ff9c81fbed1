#include "production/effects/HUDVolumeMeterCircle.h"

#include <cmath>

namespace {

// A point at an angle in degrees from straight up, clockwise.
Vector2f onCircle(float radius, float degrees) {
  const double a = static_cast<double>(degrees) * 3.14159265358979323846 / 180.0;
  return Vector2f(radius * std::sin(a), radius * std::cos(a));
}

}  // namespace

// The angle is accumulated in single precision, segment by segment.
HUDVolumeMeterCircle::HUDVolumeMeterCircle(float x, float y, float radius, int segments, float thickness,
                                           const Vector4f& colour)
    : HUDMeter(x, y, segments, colour) {
  const float step = 360.0f / static_cast<float>(segments);
  const float inner = radius - thickness;
  float a0 = 0.0f;
  for (int k = 0; k < segments; ++k) {
    const float a1 = a0 + step;
    addQuad(onCircle(radius, a0), onCircle(radius, a1), onCircle(inner, a1), onCircle(inner, a0));
    a0 = a1;
  }
}
