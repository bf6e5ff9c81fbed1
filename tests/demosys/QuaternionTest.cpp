#include "demosys/math/Quaternion.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(Quaternion, StartsAsIdentity) {
  const Quaternion q;
  expectQuaternion(q, 1, 0, 0, 0);
  expectNear(q.toMatrix(), Matrix());
}

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

TEST(Quaternion, AxisAngleUsesHalfAngles) {
  const float a = 30.0f / 180.0f * 3.1415927f * 0.5f;
  expectQuaternion(Quaternion::fromAxisAngle(Vector3f(1, 0, 0), 30), std::cos(a), std::sin(a), 0, 0);
  expectQuaternion(Quaternion::fromAxisAngle(Vector3f(0, 5, 0), 180), 0, 0, 1, 0);
  expectQuaternion(Quaternion::fromAxisAngle(Vector3f(), 45), 1, 0, 0, 0);
}

TEST(Quaternion, MatrixMatchesTheAxisRotations) {
  expectNear(Quaternion::fromAxisAngle(Vector3f(1, 0, 0), 90).toMatrix(), Matrix::rotationX(90));
  expectNear(Quaternion::fromAxisAngle(Vector3f(0, 1, 0), 90).toMatrix(), Matrix::rotationY(90));
  expectNear(Quaternion::fromAxisAngle(Vector3f(0, 0, 1), 90).toMatrix(), Matrix::rotationZ(90));
  expectNear(Quaternion::fromAxisAngle(Vector3f(0, 0, 1), -35).toMatrix(), Matrix::rotationZ(-35));
  const Matrix m = Quaternion::fromAxisAngle(Vector3f(1, 0, 0), 90).toMatrix();
  EXPECT_NEAR(m[6], 1.0f, 1e-6);  // second column: y turns to z
  EXPECT_NEAR(m[9], -1.0f, 1e-6);
}

// The camera's orientation: pitch on the left, so the heading applies first.
TEST(Quaternion, ProductsComposeLikeMatrices) {
  const Quaternion pitch = Quaternion::fromAxisAngle(Vector3f(1, 0, 0), 20);
  const Quaternion heading = Quaternion::fromAxisAngle(Vector3f(0, 1, 0), 75);
  expectNear((pitch * heading).toMatrix(), Matrix::rotationX(20) * Matrix::rotationY(75));
  expectNear((heading * pitch).toMatrix(), Matrix::rotationY(75) * Matrix::rotationX(20));
  const Matrix a = (pitch * heading).toMatrix();
  const Matrix b = (heading * pitch).toMatrix();
  float difference = 0.0f;
  for (int e = 0; e < 16; ++e) difference += std::abs(a[e] - b[e]);
  EXPECT_GT(difference, 0.1f);
  expectNear((pitch * pitch.conjugate()).toMatrix(), Matrix());
}
