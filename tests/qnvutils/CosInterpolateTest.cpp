#include "qnvutils/CosInterpolate.h"

#include <gtest/gtest.h>

TEST(CosInterpolate, StepsAlongHalfACosine) {
  CosInterpolate falloff(0.0, 10.0, 4.0);
  EXPECT_DOUBLE_EQ(falloff.step(), 0.0);
  EXPECT_NEAR(falloff.step(), 1.4644660940672622, 1e-12);
  EXPECT_NEAR(falloff.step(), 5.0, 1e-12);
  EXPECT_NEAR(falloff.step(), 8.535533905932738, 1e-12);
  EXPECT_NEAR(falloff.step(), 10.0, 1e-12);
  EXPECT_NEAR(falloff.getWeight(), 1.0, 1e-12);
}

// The flag's falloff: divisor 1 at the free edge rising to about 10 at the pole.
TEST(CosInterpolate, FlagFalloffRisesMonotonically) {
  CosInterpolate falloff;
  falloff.reset(1.0, 10.0, 64.0);
  double previous = falloff.step();
  EXPECT_DOUBLE_EQ(previous, 1.0);
  for (int column = 1; column < 64; ++column) {
    const double d = falloff.step();
    ASSERT_GT(d, previous);
    previous = d;
  }
  EXPECT_GT(previous, 9.9);
  EXPECT_NEAR(falloff.step(), 10.0, 1e-12);
}
