// FrameTimes: the percentiles and the slowest frame a capture run reports.
#include <gtest/gtest.h>

#include "demosys/core/FrameTimes.h"

TEST(FrameTimes, EmptyRecordReportsZeros) {
  FrameTimes times(0);
  EXPECT_EQ(times.median(), 0.0);
  EXPECT_EQ(times.worstPercent(), 0.0);
  EXPECT_EQ(times.slowest(), 0.0);
  EXPECT_EQ(times.summary(),
            "Frame time : median 0.0 ms, worst 1 % 0.0 ms, slowest 0.0 ms at 0:00:000 (0 frames)");
}

TEST(FrameTimes, NearestRankPercentilesIgnoreTheOrderOfArrival) {
  FrameTimes times(200);
  // 200 frames costing 1..200 ms, recorded out of order.
  for (int i = 0; i < 200; ++i) times.add(static_cast<double>((i * 37) % 200 + 1), 1000u + i);
  EXPECT_EQ(times.size(), 200u);
  EXPECT_EQ(times.median(), 100.0);
  EXPECT_EQ(times.worstPercent(), 198.0);
  EXPECT_EQ(times.slowest(), 200.0);
}

TEST(FrameTimes, SlowestFrameKeepsTheFirstDemoTimeItWasSeenAt) {
  FrameTimes times(4);
  times.add(5.0, 0);
  times.add(40.0, 61500);
  times.add(40.0, 62000);
  times.add(7.0, 63000);
  EXPECT_EQ(times.slowestAt(), 61500u);
  EXPECT_NE(times.summary().find("slowest 40.0 ms at 1:01:500 (4 frames)"), std::string::npos)
      << times.summary();
}
