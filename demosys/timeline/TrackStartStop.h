// The start/stop track of a track group: intervals of rows in which the
// group's effect draws, each naming its render target, and the group's
// drawing priority (lower draws first).
// Keyframes added to it are TrackStartStopKeyFrames.
// Depends on: Track, TrackStartStopKeyFrame.
#pragma once

#include "demosys/timeline/Track.h"
#include "demosys/timeline/TrackStartStopKeyFrame.h"

class TrackStartStop : public Track {
 public:
  explicit TrackStartStop(int priority);
  ~TrackStartStop() override;

  // Start keyframe of the interval that row lies in (stop row included); null outside intervals.
  const TrackStartStopKeyFrame* getIntervalStart(unsigned row) const;
  // Target of the interval that row lies in; null for the screen or outside intervals.
  FrameBufferObject* getRenderTarget(unsigned row) const;
  // Start row of the interval that row lies in; 0 outside intervals and at a stop row.
  unsigned getStartRow(unsigned row) const;

  int priority;
};
