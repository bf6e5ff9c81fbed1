// A named track of values that an effect animates, evaluated at demo time.
// Keyframes added to it are TrackKeyFrameInterpolates. The whole row picks the
// keyframe pair, the exact time the blend inside it, so values move smoothly
// within a row. getValue runs for every animated value every frame: it keeps a
// flat row index beside the map (rebuilt after edits) and remembers the last
// segment, so playback, which moves forward a little each frame, rarely searches.
// Depends on: Track, TrackKeyFrameInterpolate, TrackSystem (row rate via QNVDemosys::tracks).
#pragma once

#include <string>
#include <vector>

#include "demosys/timeline/Track.h"
#include "demosys/timeline/TrackKeyFrameInterpolate.h"

class TrackInterpolate : public Track {
 public:
  explicit TrackInterpolate(const std::string& name);

  // Keyframes needed to evaluate the curve over [first, last]: the one before, those inside,
  // the one after.
  void getKeyFrameRange(unsigned first, unsigned last, std::vector<TrackKeyFrame*>& out) const override;

  // Value at demo time in ms; 0.0 without keyframes. Allocates nothing once the index is built.
  float getValue(unsigned time) const;

  // Segment shapes between left and right at a fractional row position.
  static float linear(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                      float rowPosition);
  static float cosine(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                      float rowPosition, bool out);
  static float step(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                    float rowPosition);
  static float ramp(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                    float rowPosition);

  const std::string& getName() const { return name; }
  // The last keyframe at or before row when some keyframe lies after row; null otherwise.
  TrackKeyFrameInterpolate* getClosestKeyframe(unsigned row) const;
  // Deletes the keyframe at row, else the last one before it; nothing when none lies at or after row.
  void deleteKeyframe(unsigned row);

 private:
  static float segmentPosition(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                               float rowPosition);
  static float blend(const TrackKeyFrameInterpolate& left, const TrackKeyFrameInterpolate& right,
                     float rowPosition);
  void refreshIndex() const;
  // Index of the first keyframe whose row is above row (the keyframe count when none is).
  size_t findRight(unsigned row) const;
  bool brackets(size_t right, unsigned row) const;
  // First index whose row is above row; the index must not be empty.
  size_t upperBound(unsigned row) const;

  std::string name;
  mutable std::vector<unsigned> indexRows;
  mutable std::vector<const TrackKeyFrameInterpolate*> indexKeys;
  mutable uint64_t indexRevision;
  mutable size_t lastRight;
};
