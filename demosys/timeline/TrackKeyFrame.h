// One keyframe of a track, stored under its row. Start/stop tracks use `type`
// (START opens an interval, STOP closes it); the subclasses add what each kind
// of track needs. Tracks own their keyframes and delete them through this
// base, hence the virtual destructor.
// Depends on: nothing.
#pragma once

class TrackKeyFrame {
 public:
  static constexpr int STOP = 0;
  static constexpr int START = 1;

  TrackKeyFrame(unsigned row, int type);
  virtual ~TrackKeyFrame() = default;

  bool isStart() const { return type == START; }

  unsigned row;
  int type;
};
