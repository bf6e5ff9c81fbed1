// A camera path handed to an object: it holds the path and its time window and moves nothing
// itself; the object reads the path's pose.
// Depends on: AnimationController.
#pragma once

#include "demosys/camera/AnimationController.h"

class AnimationObjectController : public AnimationController {
 public:
  using AnimationController::AnimationController;
};
