#include "demosys/timeline/TrackStartStop.h"

#include <iterator>

TrackStartStop::TrackStartStop(int priority) : priority(priority) {}

TrackStartStop::~TrackStartStop() = default;

const TrackStartStopKeyFrame* TrackStartStop::getIntervalStart(unsigned row) const {
  auto it = firstAtOrAfter(row);
  if (it == keyframes.end()) return nullptr;
  if (it->second->isStart()) {
    if (it->first != row) return nullptr;
  } else {
    if (it == keyframes.begin()) return nullptr;
    --it;
  }
  return static_cast<const TrackStartStopKeyFrame*>(it->second.get());
}

FrameBufferObject* TrackStartStop::getRenderTarget(unsigned row) const {
  const TrackStartStopKeyFrame* start = getIntervalStart(row);
  return start ? start->renderTarget : nullptr;
}

unsigned TrackStartStop::getStartRow(unsigned row) const {
  auto it = keyframes.upper_bound(row);
  if (it == keyframes.end() || it->second->isStart() || it == keyframes.begin()) return 0;
  return std::prev(it)->first;
}
