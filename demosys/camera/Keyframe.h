// One camera-path keyframe: a position and two view angles in degrees.
// The camera-path loader fills in the rest of the path code around it.
// Depends on: Vector.
#pragma once

#include "demosys/math/Vector.h"

class Keyframe {
 public:
  Keyframe() = default;
  Keyframe(const Vector3f& position, float pitch, float heading)
      : position(position), heading(heading), pitch(pitch) {}

  const Vector3f& getPosition() const { return position; }
  void setPosition(const Vector3f& value) { position = value; }
  float getHeading() const { return heading; }
  void setHeading(float value) { heading = value; }
  float getPitch() const { return pitch; }
  void setPitch(float value) { pitch = value; }

 private:
  Vector3f position;
  float heading = 0.0f;
  float pitch = 0.0f;
};
