#include "demosys/math/Quaternion.h"

#include <gtest/gtest.h>


namespace {

void expectQuaternion(const Quaternion& q, float w, float x, float y, float z) {
  EXPECT_NEAR(q.w, w, 1e-6);
  EXPECT_NEAR(q.x, x, 1e-6);
  EXPECT_NEAR(q.y, y, 1e-6);
  EXPECT_NEAR(q.z, z, 1e-6);
}

void expectNear(const Matrix& actual, const Matrix& expected) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << "element " << i;
}

const Quaternion i(0, 1, 0, 0);
const Quaternion j(0, 0, 1, 0);
const Quaternion k(0, 0, 0, 1);

}  // namespace

TEST(Quaternion, HamiltonProductOfTheUnits) {
  expectQuaternion(i * j, 0, 0, 0, 1);
  expectQuaternion(j * k, 0, 1, 0, 0);
  expectQuaternion(k * i, 0, 0, 1, 0);
  expectQuaternion(j * i, 0, 0, 0, -1);
  expectQuaternion(i * i, -1, 0, 0, 0);
  expectQuaternion(i * j * k, -1, 0, 0, 0);
  expectQuaternion(Quaternion(1, 2, 3, 4) * Quaternion(5, 6, 7, 8), -60, 12, 30, 24);
  expectQuaternion(Quaternion(5, 6, 7, 8) * Quaternion(1, 2, 3, 4), -60, 20, 14, 32);
}

TEST(Quaternion, MatrixMatchesTheAxisRotations) {
  expectNear(Quaternion::fromAxisAngle(Vector3f(1, 0, 0), 90).toMatrix(), Matrix::rotationX(90));
  expectNear(Quaternion::fromAxisAngle(Vector3f(0, 1, 0), 90).toMatrix(), Matrix::rotationY(90));
  expectNear(Quaternion::fromAxisAngle(Vector3f(0, 0, 1), 90).toMatrix(), Matrix::rotationZ(90));
  expectNear(Quaternion::fromAxisAngle(Vector3f(0, 0, 1), -35).toMatrix(), Matrix::rotationZ(-35));
}

// The camera's orientation: pitch on the left, so the heading applies first.
TEST(Quaternion, ProductsComposeLikeMatrices) {
  const Quaternion pitch = Quaternion::fromAxisAngle(Vector3f(1, 0, 0), 20);
  const Quaternion heading = Quaternion::fromAxisAngle(Vector3f(0, 1, 0), 75);
  expectNear((pitch * heading).toMatrix(), Matrix::rotationX(20) * Matrix::rotationY(75));
  expectNear((heading * pitch).toMatrix(), Matrix::rotationY(75) * Matrix::rotationX(20));
  expectNear((pitch * pitch.conjugate()).toMatrix(), Matrix());
}
