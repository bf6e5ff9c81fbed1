// AnimationController: the time window's setters.
#include "demosys/camera/AnimationController.h"

void AnimationController::setTime(Time& time, unsigned milliseconds) {
  time.reset();
  time.setMilliseconds(static_cast<int>(milliseconds));
}
