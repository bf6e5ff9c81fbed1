// Helpers of the timeline tests: tracks built in one line, a scoped row rate, and stand-ins for
// effects and render targets that log what the track system calls.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/timeline/TrackInterpolate.h"
#include "demosys/timeline/TrackStartStop.h"
#include "demosys/timeline/TrackSystem.h"

namespace timeline_test {

struct Key {
  unsigned row;
  int code;
  float value;
};

inline TrackInterpolate* interpolateTrack(const std::string& name, std::initializer_list<Key> keys) {
  TrackInterpolate* track = new TrackInterpolate(name);
  for (const Key& k : keys) track->addKeyframe(new TrackKeyFrameInterpolate(k.row, k.code, k.value));
  return track;
}

struct Interval {
  unsigned start;
  unsigned stop;
  FrameBufferObject* target;
};

inline TrackStartStop* startStopTrack(int priority, std::initializer_list<Interval> intervals) {
  TrackStartStop* track = new TrackStartStop(priority);
  for (const Interval& i : intervals) {
    TrackStartStopKeyFrame* start = new TrackStartStopKeyFrame(i.start, TrackKeyFrame::START);
    start->renderTarget = i.target;
    if (i.target) start->renderTargetName = "fbo";
    track->insertInterval(start, new TrackStartStopKeyFrame(i.stop, TrackKeyFrame::STOP));
  }
  return track;
}

// The rows of the keyframes getKeyFrameRange(first, last) gives, or of all of them when first > last.
inline std::vector<unsigned> keyRows(const Track& track, unsigned first, unsigned last) {
  std::vector<TrackKeyFrame*> keys;
  if (first > last) {
    track.fetchKeyFrameVector(keys);
  } else {
    track.getKeyFrameRange(first, last, keys);
  }
  std::vector<unsigned> rows;
  for (const TrackKeyFrame* k : keys) rows.push_back(k->row);
  return rows;
}

// Installs a track system with the given row rate as QNVDemosys::tracks for one scope.
class ScopedRowRate {
 public:
  explicit ScopedRowRate(int rate) : previous(QNVDemosys::tracks) {
    system.setRowRate(rate);
    QNVDemosys::tracks = &system;
  }
  ~ScopedRowRate() { QNVDemosys::tracks = previous; }

 private:
  TrackSystem system;
  TrackSystem* previous;
};

class RecordingTarget : public FrameBufferObject {
 public:
  RecordingTarget(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
  void bind() override { log.push_back("bind:" + name); }
  void release() override { log.push_back("release:" + name); }
  void setClearFlag(bool flag) override { log.push_back(std::string(flag ? "flag:" : "unflag:") + name); }

 private:
  std::string name;
  std::vector<std::string>& log;
};

class RecordingEffect : public Effect {
 public:
  RecordingEffect(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
  void predraw(unsigned) override { log.push_back("pre:" + name); }
  void draw(unsigned, unsigned) override { log.push_back("draw:" + name); }
  void postdraw(unsigned) override { log.push_back("post:" + name); }

 private:
  std::string name;
  std::vector<std::string>& log;
};

}  // namespace timeline_test
