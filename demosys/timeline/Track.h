// Keyframes of one track, ordered by row with at most one keyframe per row.
// The base class carries the start/stop interval semantics (a start and the
// following stop bound one interval, both rows included) and the editing
// operations tools use; TrackInterpolate and TrackStartStop specialise it.
// Depends on: TrackKeyFrame.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "demosys/timeline/TrackKeyFrame.h"

class Track {
 public:
  Track();
  virtual ~Track();
  Track(const Track&) = delete;
  Track& operator=(const Track&) = delete;

  // Whole intervals touching [first, last] (a stop closing the last one is included).
  virtual void getKeyFrameRange(unsigned first, unsigned last, std::vector<TrackKeyFrame*>& out) const;
  // Checks that keyframes alternate start, stop, start...; prints the first offender.
  virtual bool validateKeyframes() const;

  // The track takes ownership; a keyframe already at that row is deleted.
  void addKeyframe(TrackKeyFrame* keyframe);
  void insertInterval(TrackKeyFrame* start, TrackKeyFrame* stop);
  // Removes the interval that row lies in, start to stop inclusive; nothing outside intervals.
  void deleteInterval(unsigned row);
  void moveRow(unsigned from, unsigned to);
  // Replaces this track's keyframes with other's, leaving other empty. The track object stays, so
  // effects that looked it up keep reading it (a timeline edited while the demo plays).
  void takeKeyframesFrom(Track& other);

  TrackKeyFrame* getKeyframe(unsigned row) const;
  bool rowExists(unsigned row) const;
  bool rowIsStartKeyFrame(unsigned row) const;
  // Row of the nearest keyframe strictly after / before row, or -1.
  int64_t nextKeyframe(unsigned row) const;
  int64_t prevKeyframe(unsigned row) const;
  bool insideInterval(unsigned row) const;
  // The time is not used: the row alone decides.
  bool isActive(unsigned time, unsigned row) const;
  bool rangeEmpty(unsigned first, unsigned last) const;
  void fetchKeyFrameVector(std::vector<TrackKeyFrame*>& out) const;
  int getKeyframeCount() const { return static_cast<int>(keyframes.size()); }

 protected:
  typedef std::map<unsigned, std::unique_ptr<TrackKeyFrame>> KeyFrameMap;

  // Every change to the set of keyframes or their rows bumps the revision, so
  // derived classes can keep search structures built from the map.
  uint64_t getRevision() const { return revision; }
  void keyframesChanged() { ++revision; }
  // The first keyframe at or after row that isActive and getRenderTarget examine.
  KeyFrameMap::const_iterator firstAtOrAfter(unsigned row) const { return keyframes.lower_bound(row); }
  void store(std::unique_ptr<TrackKeyFrame> keyframe);

  KeyFrameMap keyframes;

 private:
  uint64_t revision;
};
