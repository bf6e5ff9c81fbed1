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

TEST(Matrix, TranslationLivesInElements12To14) {
  Matrix m = Matrix::translation(Vector3f(1, 2, 3));
  EXPECT_EQ(m[12], 1.0f);
  EXPECT_EQ(m[13], 2.0f);
  EXPECT_EQ(m[14], 3.0f);
  m.setTranslation(Vector3f(-4, 5, -6));
  EXPECT_EQ(m.getTranslation(), Vector3f(-4, 5, -6));
  expectNear(m.transformPoint(Vector3f(1, 1, 1)), Vector3f(-3, 6, -5));
  expectNear(m.transformDirection(Vector3f(1, 1, 1)), Vector3f(1, 1, 1));
}

// Right-handed rotations by positive angles, as glRotatef turns them.
TEST(Matrix, RotationsTurnAxesCounterClockwise) {
  expectNear(Matrix::rotationX(90).transformPoint(Vector3f(0, 1, 0)), Vector3f(0, 0, 1));
  expectNear(Matrix::rotationY(90).transformPoint(Vector3f(0, 0, 1)), Vector3f(1, 0, 0));
  expectNear(Matrix::rotationZ(90).transformPoint(Vector3f(1, 0, 0)), Vector3f(0, 1, 0));
  expectNear(Matrix::rotationZ(-90).transformPoint(Vector3f(1, 0, 0)), Vector3f(0, -1, 0));
  expectNear(Matrix::rotationY(180).transformPoint(Vector3f(1, 2, 3)), Vector3f(-1, 2, -3));
  EXPECT_NEAR(Matrix::rotationZ(30).at(1, 0), 0.5f, 1e-6) << "column-major, as GL reads it";
}

TEST(Matrix, ProductsApplyTheRightFactorFirst) {
  const Matrix moveThenTurn = Matrix::rotationZ(90) * Matrix::translation(Vector3f(1, 2, 3));
  const Matrix turnThenMove = Matrix::translation(Vector3f(1, 2, 3)) * Matrix::rotationZ(90);
  expectNear(moveThenTurn.transformPoint(Vector3f(1, 0, 0)), Vector3f(-2, 2, 3));
  expectNear(turnThenMove.transformPoint(Vector3f(1, 0, 0)), Vector3f(1, 3, 3));
  expectNear(turnThenMove.getTranslation(), Vector3f(1, 2, 3));

  const Matrix a = rigidTransform();
  const Matrix b = Matrix::translation(Vector3f(-1, 0.5f, 2)) * Matrix::rotationX(-25);
  const Vector3f p(0.3f, -1.2f, 2.5f);
  expectNear((a * b).transformPoint(p), a.transformPoint(b.transformPoint(p)));
  Matrix c = a;
  c *= b;
  expectNear(c, a * b);
  expectNear(Matrix() * a, a);
  expectNear(a * Matrix(), a);
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
