#include "demosys/resources/Binary.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Binary, FloatDataIsBytesOver256) {
  Binary binary({0, 128, 255});
  const float* values = binary.getFloatData();
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(values[0], 0.0f);
  EXPECT_EQ(values[1], 0.5f);
  EXPECT_EQ(values[2], 0.99609375f);
  EXPECT_EQ(binary.getFloatData(), values);  // made once, kept
}

TEST(Binary, FloatRangeIsOwnedByTheCallerAndZeroOutside) {
  Binary binary({0, 64, 128, 192});
  std::unique_ptr<float[]> middle(binary.getFloatData(1, 2));
  EXPECT_EQ(middle[0], 0.25f);
  EXPECT_EQ(middle[1], 0.5f);
  std::unique_ptr<float[]> past(binary.getFloatData(3, 3));
  EXPECT_EQ(past[0], 0.75f);
  EXPECT_EQ(past[1], 0.0f);
  EXPECT_EQ(past[2], 0.0f);
  std::unique_ptr<float[]> before(binary.getFloatData(-1, 2));
  EXPECT_EQ(before[0], 0.0f);
  EXPECT_EQ(before[1], 0.0f);
  EXPECT_EQ(binary.getFloatData(0, -1), nullptr);
}
