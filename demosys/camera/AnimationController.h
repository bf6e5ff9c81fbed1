// What every controller of a camera path holds: the path it plays (not owned) and the time
// window of the time-driven form.
// Depends on: Time, Animation.
#pragma once

#include "demosys/timeline/Time.h"

class Animation;

class AnimationController {
 public:
  explicit AnimationController(Animation* animation = nullptr) : animation(animation) {}

  void setAnimation(Animation* value) { animation = value; }
  Animation* getAnimation() const { return animation; }
  // Milliseconds are carried into seconds and minutes as Time does.
  void setStartTime(unsigned milliseconds) { setTime(startTime, milliseconds); }
  void setEndTime(unsigned milliseconds) { setTime(endTime, milliseconds); }
  void setStartTime(const Time& time) { startTime = time; }
  void setEndTime(const Time& time) { endTime = time; }
  const Time& getStartTime() const { return startTime; }
  const Time& getEndTime() const { return endTime; }

 protected:
  Animation* animation;
  Time startTime;
  Time endTime;

 private:
  static void setTime(Time& time, unsigned milliseconds);
};
