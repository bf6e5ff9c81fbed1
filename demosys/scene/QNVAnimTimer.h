// An external clock for animated scene objects: an object holding a timer takes its pose time from
// it instead of the scene time, so one part of a scene can run on its own clock.
// Depends on: nothing.
#pragma once

class QNVAnimTimer {
 public:
  void updateTime(float value) { time = value; }
  float getTime() const { return time; }
  // Kept for effects that tag their timers; the scene itself does not read it.
  void setType(unsigned value) { type = value; }
  unsigned getType() const { return type; }

 private:
  float time = 0.0f;
  unsigned type = 0;
};
