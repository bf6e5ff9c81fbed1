// A camera path: keyframes in file order, owned by the path, and the pose that next() computes
// from them for a progress along the whole path, by linear or Catmull-Rom interpolation. The
// animation pool holds paths by alias; effects play them through a camera controller.
// Depends on: Keyframe, Vector, QNVUtils (report numbers).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "demosys/camera/Keyframe.h"
#include "demosys/math/Vector.h"

class AnimationCameraController;
class AnimationObjectController;

class Animation {
 public:
  static constexpr int LINEAR = 0;
  static constexpr int CATMULL_ROM = 1;

  Animation() = default;
  ~Animation();
  Animation(const Animation&) = delete;
  Animation& operator=(const Animation&) = delete;

  // Takes ownership.
  void addKeyframe(Keyframe* keyframe) { keyframes.push_back(keyframe); }
  // Null when index is out of range.
  Keyframe* getKeyFrame(int index) const;
  int countKeyFrames() const { return static_cast<int>(keyframes.size()); }

  // LINEAR or CATMULL_ROM; any other type makes next() do nothing.
  void setInterpolationType(int type) { interpolationType = type; }
  int getInterpolationType() const { return interpolationType; }

  // Sets the pose for progress u from the first keyframe (linear) or the second (Catmull-Rom)
  // towards the last or second-to-last. At or past the end, and for a path too short for its mode,
  // an "OUT OF RANGE" line is printed and the pose stays; a u that is not a number leaves it too.
  void next(double u);
  void interpolateLinear(const Keyframe& a, const Keyframe& b, float t);
  void interpolateCatmull(const Keyframe& k0, const Keyframe& k1, const Keyframe& k2, const Keyframe& k3,
                          float t);

  const Vector3f& getPosition() const { return position; }
  float getPitch() const { return pitch; }
  float getHeading() const { return heading; }

  // New controllers playing this path, owned by the caller.
  AnimationCameraController* getCameraController();
  AnimationObjectController* getObjectController();

  // The camera-path file that reads back as this path, on standard output or on out.
  void print() const;
  void print(std::ostream& out) const;
  std::string toString() const;

 private:
  void nextLinear(float u);
  void nextCatmull(float u);

  std::vector<Keyframe*> keyframes;
  Vector3f position;
  float pitch = 0.0f;
  float heading = 0.0f;
  int interpolationType = LINEAR;
};
