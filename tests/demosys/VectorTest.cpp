#include "demosys/math/Vector.h"

#include <gtest/gtest.h>

TEST(Vector, DotAndCrossProducts) {
  const Vector3f x(1, 0, 0);
  const Vector3f y(0, 1, 0);
  const Vector3f z(0, 0, 1);
  EXPECT_EQ(x.cross(y), z);
  EXPECT_EQ(y.cross(z), x);
  EXPECT_EQ(z.cross(x), y);
  EXPECT_EQ(y.cross(x), -z);
  const Vector3f a(2, 3, 4);
  const Vector3f b(5, 6, 7);
  EXPECT_EQ(a.cross(b), Vector3f(-3, 6, -3));
  EXPECT_EQ(a.cross(b).dot(a), 0.0f);
  EXPECT_EQ(a.cross(b).dot(b), 0.0f);
  EXPECT_EQ(a.dot(b), 56.0f);
  EXPECT_EQ(Vector3i(1, -2, 3).dot(Vector3i(4, 5, 6)), 12);
  EXPECT_EQ(Vector3i(1, 0, 0).cross(Vector3i(0, 1, 0)), Vector3i(0, 0, 1));
}

TEST(Vector, LengthAndNormalise) {
  EXPECT_FLOAT_EQ(Vector3f(3, 4, 0).length(), 5.0f);
  EXPECT_FLOAT_EQ(Vector2f(-6, 8).length(), 10.0f);
  EXPECT_FLOAT_EQ(Vector4i(1, 1, 1, 1).length(), 2.0f);
  Vector3f v(0, -3, 4);
  v.normalise();
  EXPECT_FLOAT_EQ(v.length(), 1.0f);
  EXPECT_FLOAT_EQ(v.y(), -0.6f);
  EXPECT_FLOAT_EQ(v.z(), 0.8f);
  const Vector3f n = Vector3f(2, 2, 1).normalised();
  EXPECT_FLOAT_EQ(n.x(), 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(n.z(), 1.0f / 3.0f);
  // A degenerate normal stays zero instead of turning into NaN.
  EXPECT_EQ(Vector3f().normalised(), Vector3f());
}
