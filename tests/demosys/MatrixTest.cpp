// The matrix operations no other suite reaches: the rigid inverse (cameras as objects) and the
// in-place product. Rotations, products and the translation column show in the scene graph's and
// the scene builder's tests and in the arena's frames.
#include "demosys/math/Matrix.h"

#include <gtest/gtest.h>

namespace {

void expectNear(const Vector3f& actual, const Vector3f& expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "component " << i;
}

void expectNear(const Matrix& actual, const Matrix& expected) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "element " << i;
}

// A rotation about every axis plus a translation, as the scene graph builds them.
Matrix rigidTransform() {
  return Matrix::translation(Vector3f(4, -2, 9)) * Matrix::rotationZ(30) * Matrix::rotationY(-50) *
         Matrix::rotationX(70);
}

}  // namespace

TEST(Matrix, InPlaceProductTakesTheOtherFactorOnTheRight) {
  const Matrix a = rigidTransform();
  const Matrix b = Matrix::translation(Vector3f(-1, 0.5f, 2)) * Matrix::rotationX(-25);
  Matrix c = a;
  c *= b;
  expectNear(c, a * b);
}

TEST(Matrix, RigidInverseUndoesTheTransform) {
  const Matrix m = rigidTransform();
  const Matrix inverse = m.rigidInverse();
  expectNear(inverse * m, Matrix());
  expectNear(m * inverse, Matrix());
  const Vector3f p(5, -7, 0.25f);
  expectNear(inverse.transformPoint(m.transformPoint(p)), p);
  expectNear(Matrix::translation(Vector3f(3, 4, 5)).rigidInverse().getTranslation(), Vector3f(-3, -4, -5));
}
