// The engine camera: a position and two view angles in degrees (pitch about x, heading about y).
// setGLMatrixes() turns them into the view transform on the modelview matrix and keeps the
// orientation it used. QNVDemosys::camera is the one the camera paths move.
// Depends on: Vector, Quaternion, Matrix, OpenGL.
#pragma once

#include "demosys/math/Matrix.h"
#include "demosys/math/Quaternion.h"
#include "demosys/math/Vector.h"

class Camera {
 public:
  void setPosition(const Vector3f& value) { position = value; }
  const Vector3f& getPosition() const { return position; }
  void setPitch(float degrees) { pitch = degrees; }
  float getPitch() const { return pitch; }
  void setHeading(float degrees) { heading = degrees; }
  float getHeading() const { return heading; }
  // Distance moved along the viewing direction by every setGLMatrixes(); 0 keeps the camera still.
  void setVelocity(float value) { velocity = value; }
  float getVelocity() const { return velocity; }
  // Heading then pitch, as stored by the last setGLMatrixes(), and its rotation matrix.
  const Quaternion& getOrientation() const { return orientation; }
  const Matrix& getMatrix() const { return matrix; }

  // Multiplies the modelview matrix by the rotation (pitch, then heading) and then by the
  // translation to the negated position. Leaves the modelview matrix selected.
  void setGLMatrixes();

 private:
  float pitch = 0.0f;
  float heading = 0.0f;
  Vector3f position;
  Quaternion orientation;
  Matrix matrix;
  float velocity = 0.0f;
};
