#include "demosys/timeline/TrackKeyFrameInterpolate.h"

TrackKeyFrameInterpolate::TrackKeyFrameInterpolate() : TrackKeyFrame(0, 0), value(0.0f), interpolation(0) {}

TrackKeyFrameInterpolate::TrackKeyFrameInterpolate(unsigned row, int interpolation, float value)
    : TrackKeyFrame(row, 0), value(value), interpolation(interpolation) {}
