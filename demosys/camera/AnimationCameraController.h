// Plays a camera path on the engine camera: each step sets the path's pose for a progress (or a
// time inside the controller's window), copies it into QNVDemosys::camera and applies the camera's
// view to the modelview matrix, which the caller prepares (usually the identity).
// Depends on: AnimationController, Animation, Camera, QNVDemosys.
#pragma once

#include "demosys/camera/AnimationController.h"

class AnimationCameraController : public AnimationController {
 public:
  using AnimationController::AnimationController;

  // Progress along the path, clamped to 0..1; the form the effects use.
  void animate(float u);
  // A time from the start of the window to its end (both included) maps to 0..1; other times and
  // a window that is empty or reversed do nothing.
  void animate(unsigned time);

 private:
  void step(float u);
};
