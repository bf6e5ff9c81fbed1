// A camera path: keyframes in file order, owned by the path. The animation pool holds
// paths by alias. The camera-path loader adds the current pose, interpolation and the
// camera controllers; this is the part the pool needs.
// Depends on: Keyframe, QNVUtils (report numbers).
#pragma once

#include <string>
#include <vector>

#include "demosys/camera/Keyframe.h"

class Animation {
 public:
  Animation() = default;
  ~Animation();
  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  // Takes ownership.
  void addKeyframe(Keyframe* keyframe) { keyframes.push_back(keyframe); }
  // Null when index is out of range.
  Keyframe* getKeyFrame(int index) const;
  int countKeyFrames() const { return static_cast<int>(keyframes.size()); }
  std::string toString() const;

 private:
  std::vector<Keyframe*> keyframes;
};
