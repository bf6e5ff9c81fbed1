#include "production/effects/HUDVolumeMeter.h"

HUDVolumeMeter::HUDVolumeMeter(float x, float y, float width, float height, int segments, const Vector4f& colour)
    : HUDMeter(x, y, segments, colour) {
  const float w = width / static_cast<float>(segments);
  for (int k = 0; k < segments; ++k) {
    const float left = static_cast<float>(k) * w;
    const float right = static_cast<float>(k + 1) * w;
    addQuad(Vector2f(left, 0.0f), Vector2f(right, 0.0f), Vector2f(right, -height), Vector2f(left, -height));
  }
}
