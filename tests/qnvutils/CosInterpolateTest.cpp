#include "qnvutils/CosInterpolate.h"

#include <gtest/gtest.h>

// The flag's falloff (reset(), 64 steps) shows in the flag frames; the exact steps only here.
TEST(CosInterpolate, StepsAlongHalfACosine) {
  CosInterpolate falloff(0.0, 10.0, 4.0);
  EXPECT_DOUBLE_EQ(falloff.step(), 0.0);
  EXPECT_NEAR(falloff.step(), 1.4644660940672622, 1e-12);
  EXPECT_NEAR(falloff.step(), 5.0, 1e-12);
  EXPECT_NEAR(falloff.step(), 8.535533905932738, 1e-12);
  EXPECT_NEAR(falloff.step(), 10.0, 1e-12);
  EXPECT_NEAR(falloff.getWeight(), 1.0, 1e-12);
}
