// Keyframe of a start/stop track. On a start keyframe the render target says
// where the interval draws: a framebuffer, or null for the screen.
// Depends on: TrackKeyFrame, FrameBufferObject (pointer only).
#pragma once

#include <string>

#include "demosys/timeline/TrackKeyFrame.h"

class FrameBufferObject;

class TrackStartStopKeyFrame : public TrackKeyFrame {
 public:
  TrackStartStopKeyFrame();
  TrackStartStopKeyFrame(unsigned row, int type);

  std::string renderTargetName;
  FrameBufferObject* renderTarget;
};
