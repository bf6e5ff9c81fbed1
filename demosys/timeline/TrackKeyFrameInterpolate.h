// Keyframe of an interpolation track: a value and the interpolation code that
// shapes the segment from this keyframe to the next one.
// Depends on: TrackKeyFrame.
#pragma once

#include "demosys/timeline/TrackKeyFrame.h"

class TrackKeyFrameInterpolate : public TrackKeyFrame {
 public:
  enum Interpolation { LINEAR = 0, COSINE_OUT = 1, COSINE_IN = 2, STEP = 3, RAMP = 4 };

  TrackKeyFrameInterpolate();
  TrackKeyFrameInterpolate(unsigned row, int interpolation, float value);

  float value;
  int interpolation;
};
