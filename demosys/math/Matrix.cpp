#include "demosys/math/Matrix.h"

#include <cmath>

namespace {
constexpr float pi = 3.1415927f;
}

Matrix::Matrix() : m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

Matrix::Matrix(const float* columnMajor) {
  for (int i = 0; i < 16; ++i) m[i] = columnMajor[i];
}

Matrix Matrix::translation(const Vector3f& offset) {
  Matrix result;
  result.setTranslation(offset);
  return result;
}

// Rotation in the plane of two axes, turning axis a towards axis b.
Matrix Matrix::rotation(float degrees, int axisA, int axisB) {
  const float radians = degrees * pi / 180.0f;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  Matrix result;
  result.at(axisA, axisA) = c;
  result.at(axisB, axisA) = s;
  result.at(axisA, axisB) = -s;
  result.at(axisB, axisB) = c;
  return result;
}

Matrix Matrix::rotationX(float degrees) { return rotation(degrees, 1, 2); }

// About y the turn runs from z towards x.
Matrix Matrix::rotationY(float degrees) { return rotation(degrees, 2, 0); }

Matrix Matrix::rotationZ(float degrees) { return rotation(degrees, 0, 1); }

Matrix Matrix::operator*(const Matrix& other) const {
  Matrix result;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += at(row, k) * other.at(k, column);
      result.at(row, column) = sum;
    }
  }
  return result;
}

Matrix& Matrix::operator*=(const Matrix& other) { return *this = *this * other; }

Vector4f Matrix::operator*(const Vector4f& v) const {
  Vector4f result;
  for (int row = 0; row < 4; ++row) {
    result[row] = at(row, 0) * v[0] + at(row, 1) * v[1] + at(row, 2) * v[2] + at(row, 3) * v[3];
  }
  return result;
}

Vector3f Matrix::transformPoint(const Vector3f& point) const {
  const Vector4f r = *this * Vector4f(point[0], point[1], point[2], 1.0f);
  return Vector3f(r[0], r[1], r[2]);
}

Vector3f Matrix::transformDirection(const Vector3f& direction) const {
  const Vector4f r = *this * Vector4f(direction[0], direction[1], direction[2], 0.0f);
  return Vector3f(r[0], r[1], r[2]);
}

Vector3f Matrix::getTranslation() const { return Vector3f(m[12], m[13], m[14]); }

void Matrix::setTranslation(const Vector3f& offset) {
  m[12] = offset[0];
  m[13] = offset[1];
  m[14] = offset[2];
}

Matrix Matrix::rigidInverse() const {
  Matrix result;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) result.at(row, column) = at(column, row);
  }
  result.setTranslation(-result.transformDirection(getTranslation()));
  return result;
}
