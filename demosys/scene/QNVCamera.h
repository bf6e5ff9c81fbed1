// A named scene camera: use(t) sets up the view from its keyframe animation (the modelling
// tool's z-up camera turned into the engine's view), use(object, ...) rides on a scene object.
// Depends on: Matrix, Vector, QNVAnimation (pointer, owned by the scene), QNVObject, OpenGL.
#pragma once

#include <string>

#include "demosys/math/Matrix.h"
#include "demosys/math/Vector.h"

class QNVAnimation;
class QNVObject;

class QNVCamera {
 public:
  explicit QNVCamera(const std::string& name) : name(name) {}

  // On the current GL matrix; t in seconds. The matrix from the scene file is not used here.
  void use(float t) const;
  // Rotates by angles (x, then y, then z), moves by offset, then multiplies by the inverse of the
  // object's global matrix, which calcGlobalData must have made current.
  static void use(const QNVObject& object, const Vector3f& offset, const Vector3f& angles);

  const std::string& getName() const { return name; }
  void setAnimation(QNVAnimation* value) { animation = value; }
  QNVAnimation* getAnimation() const { return animation; }
  Matrix& getMatrixRef() { return matrix; }

 private:
  std::string name;
  QNVAnimation* animation = nullptr;
  Matrix matrix;
};
