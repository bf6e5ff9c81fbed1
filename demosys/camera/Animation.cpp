// Animation: keyframe ownership, the pose along the path, the file form and the pool's report line.
#include "demosys/camera/Animation.h"

#include <cmath>
#include <iostream>
#include <limits>

#include "demosys/camera/AnimationCameraController.h"
#include "demosys/camera/AnimationObjectController.h"
#include "qnvutils/QNVUtils.h"

Animation::~Animation() {
  for (Keyframe* keyframe : keyframes) delete keyframe;
}

Keyframe* Animation::getKeyFrame(int index) const {
  return index >= 0 && index < countKeyFrames() ? keyframes[static_cast<std::size_t>(index)] : nullptr;
}

// The progress is narrowed to float; one beyond the float range becomes an infinity instead.
void Animation::next(double u) {
  if (std::isnan(u)) return;
  const double limit = std::numeric_limits<float>::max();
  const float progress = u > limit    ? std::numeric_limits<float>::infinity()
                         : u < -limit ? -std::numeric_limits<float>::infinity()
                                      : static_cast<float>(u);
  if (interpolationType == LINEAR) nextLinear(progress);
  if (interpolationType == CATMULL_ROM) nextCatmull(progress);
}

// The segment index stays a float until it is known to name a segment: a progress far outside
// 0..1 (or infinite) would not fit an int, and it is printed as the whole number it is (adding 0
// turns an empty path's -0 into 0).
void Animation::nextLinear(float u) {
  const int segments = countKeyFrames() - 1;
  const float x = static_cast<float>(segments) * u;
  const float i = std::floor(x);
  if (!(i >= 0.0f && i < static_cast<float>(segments))) {
    std::cout << "OUT OF RANGE " << i + 0.0f << std::endl;
    return;
  }
  const std::size_t k = static_cast<std::size_t>(i);
  interpolateLinear(*keyframes[k], *keyframes[k + 1], x - i);
}

void Animation::nextCatmull(float u) {
  const int last = countKeyFrames() - 4;
  const float x = static_cast<float>(countKeyFrames() - 3) * u;
  const float i = std::floor(x);
  if (!(i >= 0.0f && i <= static_cast<float>(last))) {
    std::cout << "OUT OF RANGE [" << last << "] -> " << i + 0.0f << std::endl;
    return;
  }
  const std::size_t k = static_cast<std::size_t>(i);
  interpolateCatmull(*keyframes[k], *keyframes[k + 1], *keyframes[k + 2], *keyframes[k + 3], x - i);
}

// Angles blend as plain numbers: a path authored from 350 to 10 degrees turns the long way.
void Animation::interpolateLinear(const Keyframe& a, const Keyframe& b, float t) {
  position = (1.0f - t) * a.getPosition() + t * b.getPosition();
  pitch = a.getPitch() + (b.getPitch() - a.getPitch()) * t;
  heading = a.getHeading() + (b.getHeading() - a.getHeading()) * t;
}

void Animation::interpolateCatmull(const Keyframe& k0, const Keyframe& k1, const Keyframe& k2,
                                   const Keyframe& k3, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  const float c0 = 2.0f * t2 - t3 - t;
  const float c1 = 3.0f * t3 - 5.0f * t2 + 2.0f;
  const float c2 = -3.0f * t3 + 4.0f * t2 + t;
  const float c3 = t3 - t2;
  const auto blend = [&](float v0, float v1, float v2, float v3) {
    return 0.5f * (c0 * v0 + c1 * v1 + c2 * v2 + c3 * v3);
  };
  for (int axis = 0; axis < 3; ++axis) {
    position[axis] =
        blend(k0.getPosition()[axis], k1.getPosition()[axis], k2.getPosition()[axis], k3.getPosition()[axis]);
  }
  pitch = blend(k0.getPitch(), k1.getPitch(), k2.getPitch(), k3.getPitch());
  heading = blend(k0.getHeading(), k1.getHeading(), k2.getHeading(), k3.getHeading());
}

AnimationCameraController* Animation::getCameraController() { return new AnimationCameraController(this); }

AnimationObjectController* Animation::getObjectController() { return new AnimationObjectController(this); }

void Animation::print() const { print(std::cout); }

void Animation::print(std::ostream& out) const {
  out << "QNVANI1\n"
      << "keyframes " << countKeyFrames() << "\n";
  for (const Keyframe* k : keyframes) {
    const Vector3f& p = k->getPosition();
    out << "pos " << p[0] << " " << p[1] << " " << p[2] << "\n";
    out << "rot " << k->getPitch() << " " << k->getHeading() << "\n";
  }
  out.flush();
}

std::string Animation::toString() const {
  return "Animation { keyframes = " + QNVUtils::int2string(countKeyFrames()) + " }\n";
}
