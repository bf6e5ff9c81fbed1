#include "demosys/camera/Animation.h"

#include "qnvutils/QNVUtils.h"

Animation::~Animation() {
  for (Keyframe* keyframe : keyframes) delete keyframe;
}

Keyframe* Animation::getKeyFrame(int index) const {
  return index >= 0 && index < countKeyFrames() ? keyframes[static_cast<std::size_t>(index)] : nullptr;
}

std::string Animation::toString() const {
  return "Animation { keyframes = " + QNVUtils::int2string(countKeyFrames()) + " }\n";
}
