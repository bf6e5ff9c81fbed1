// A HUD bar meter: s side-by-side segments of width / s across, height down from its place.
// Depends on: HUDMeter.
#pragma once

#include "production/effects/HUDMeter.h"

class HUDVolumeMeter : public HUDMeter {
 public:
  HUDVolumeMeter(float x, float y, float width, float height, int segments, const Vector4f& colour);
};
