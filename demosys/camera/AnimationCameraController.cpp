// AnimationCameraController: progress and time-window steps onto the engine camera.
#include "demosys/camera/AnimationCameraController.h"

#include "demosys/camera/Animation.h"
#include "demosys/camera/Camera.h"
#include "demosys/core/QNVDemosys.h"

void AnimationCameraController::animate(float u) {
  if (animation == nullptr) return;
  if (u < 0.0f) u = 0.0f;
  if (u > 1.0f) u = 1.0f;
  step(u);
}

// The window must have length: with start equal to end the progress would be 0 / 0.
void AnimationCameraController::animate(unsigned time) {
  if (animation == nullptr) return;
  const unsigned start = startTime.getTicks();
  const unsigned end = endTime.getTicks();
  if (time < start || time > end || start == end) return;
  const float length = static_cast<float>(endTime.getTicksAsDouble() - startTime.getTicksAsDouble());
  step(static_cast<float>(time - start) / length);
}

void AnimationCameraController::step(float u) {
  animation->next(u);
  Camera& camera = QNVDemosys::camera;
  camera.setPosition(animation->getPosition());
  camera.setPitch(animation->getPitch());
  camera.setHeading(animation->getHeading());
  camera.setGLMatrixes();
}
