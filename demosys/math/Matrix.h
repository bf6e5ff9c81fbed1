// 4 x 4 float matrix stored column-major as OpenGL expects (element column * 4 + row), so
// data() goes straight to glLoadMatrixf / glMultMatrixf / glUniformMatrix4fv. Elements 12,
// 13 and 14 hold the translation. Products compose like OpenGL's: (A * B) applied to a
// vector applies B first. Rotations are right-handed, angles in degrees.
// Depends on: Vector.
#pragma once

#include "demosys/math/Vector.h"

class Matrix {
 public:
  // The identity.
  Matrix();
  // Copies 16 floats given column-major.
  explicit Matrix(const float* columnMajor);

  static Matrix identity() { return Matrix(); }
  static Matrix translation(const Vector3f& offset);
  static Matrix rotationX(float degrees);
  static Matrix rotationY(float degrees);
  static Matrix rotationZ(float degrees);

  float& operator[](int index) { return m[index]; }
  float operator[](int index) const { return m[index]; }
  float& at(int row, int column) { return m[column * 4 + row]; }
  float at(int row, int column) const { return m[column * 4 + row]; }
  float* data() { return m; }
  const float* data() const { return m; }

  Matrix operator*(const Matrix& other) const;
  Matrix& operator*=(const Matrix& other);
  Vector4f operator*(const Vector4f& v) const;
  // The point moves with the translation; a direction only rotates (and scales).
  Vector3f transformPoint(const Vector3f& point) const;
  Vector3f transformDirection(const Vector3f& direction) const;

  Vector3f getTranslation() const;
  void setTranslation(const Vector3f& offset);

  // Inverse of a rotation plus translation: the rotation transposed and the translation
  // brought back through it. Meaningless for matrices that scale, shear or project.
  Matrix rigidInverse() const;

 private:
  static Matrix rotation(float degrees, int axisA, int axisB);

  float m[16];
};
