// A HUD ring meter: s segments of a ring of outer radius r and thickness t around its place,
// starting straight up and running clockwise.
// Depends on: HUDMeter.
#pragma once

#include "production/effects/HUDMeter.h"

class HUDVolumeMeterCircle : public HUDMeter {
 public:
  HUDVolumeMeterCircle(float x, float y, float radius, int segments, float thickness, const Vector4f& colour);
};
