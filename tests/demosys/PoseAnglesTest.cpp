// The angles tools write for a pose: poseAngles undoes poseRotation, also straight up and down.
#include <gtest/gtest.h>

#include "demosys/scene/QNVObject.h"

TEST(PoseAngles, TurnBackIntoTheRotationTheyCameFrom) {
  const Vector3f cases[] = {{0, 0, 0}, {90, 0, 0}, {10, 20, 30}, {-120, 45, 170}, {30, 0, 90}, {0, 60, -90}};
  for (const Vector3f& angles : cases) {
    const Matrix rotation = QNVObject::poseRotation(angles);
    const Matrix back = QNVObject::poseRotation(QNVObject::poseAngles(rotation));
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(back[i], rotation[i], 1e-5f) << angles[0] << " " << angles[1] << " " << angles[2];
  }
  const Vector3f plain = QNVObject::poseAngles(QNVObject::poseRotation(Vector3f(10, 20, 30)));
  EXPECT_NEAR(plain[0], 10.0f, 1e-3f);
  EXPECT_NEAR(plain[1], 20.0f, 1e-3f);
  EXPECT_NEAR(plain[2], 30.0f, 1e-3f);
}
