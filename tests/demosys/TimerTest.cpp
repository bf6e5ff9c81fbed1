// The system-tick timer on a hand-set clock: start state, seeking by time and row, pause/play,
// frame deltas, end row arithmetic and the stand-in spectrum.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demosys/timeline/Timer.h"
#include "tests/support/ScopedClock.h"

namespace {

class TimerTest : public ::testing::Test {
 protected:
  void advance(unsigned ms) { clock.advance(ms); }
  ScopedClock clock{4000000000u};  // near the wrap: all clock arithmetic is modulo 2^32
};

}  // namespace

TEST_F(TimerTest, StartsPausedAtZeroAndSeeksByTimeAndRow) {
  Timer timer(8);  // 125 ms rows
  ASSERT_TRUE(timer.init());
  advance(3000);
  EXPECT_TRUE(timer.isPaused());
  EXPECT_EQ(timer.getTime(), 0u);
  EXPECT_EQ(timer.getEndTime(), 600000u);
  EXPECT_EQ(timer.getEndRow(), 4800u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 0u);
  timer.setRow(41);
  EXPECT_EQ(timer.getTime(), 5125u);
  timer.setTime(5200);
  advance(700);
  EXPECT_EQ(timer.getTime(), 5200u);
  EXPECT_EQ(timer.getRow(), 41u);
  EXPECT_EQ(timer.getRowTime(), 5125u);
  EXPECT_EQ(timer.dispose(), 1);
}

TEST_F(TimerTest, PlayPauseAndSeekWhilePlayingMeasureFramesFromTheClock) {
  Timer timer(20);
  timer.init();
  timer.setTime(1000);
  timer.play();
  EXPECT_FALSE(timer.isPaused());
  advance(500);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 500u);
  advance(100);
  timer.pause();
  advance(1000);
  EXPECT_EQ(timer.getTime(), 1600u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 0u);
  timer.play();
  EXPECT_EQ(timer.getTime(), 1600u);
  advance(40);
  // Measured from the time at play, not from the last frame before the pause.
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 40u);
  timer.setTime(9000);
  advance(10);
  EXPECT_EQ(timer.getTime(), 9010u);
  EXPECT_EQ(timer.updateFrameTime(timer.getTime()), 10u);
}

TEST_F(TimerTest, RowRatesOutsideOneTo1000AreRefusedAndRowLengthsTruncateFirst) {
  Timer zero(0);
  EXPECT_FALSE(zero.init());
  EXPECT_EQ(zero.getMessage(), "Invalid row rate 0: it must be from 1 to 1000");
  EXPECT_FALSE(Timer(1001).init());
  Timer fastest(1000);
  EXPECT_TRUE(fastest.init());
  EXPECT_EQ(fastest.getEndRow(), 600000u);
  Timer odd(7);
  odd.init();
  EXPECT_EQ(odd.getEndRow(), 600000u / 142u);
  odd.setTime(60000);
  EXPECT_EQ(odd.getRow(), 420u);
}

TEST_F(TimerTest, StandInSpectrumFillsExactlyCountFiniteValues) {
  Timer timer(20);
  std::vector<float> out(16, -1.0f);
  timer.GetDirectSoundData(Timer::SUM, 0, out.data());
  timer.GetDirectSoundData(Timer::LEFT, -3, out.data());
  EXPECT_EQ(out[0], -1.0f);
  timer.GetDirectSoundData(Timer::AVERAGE, 8, out.data());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(std::isfinite(out[i]) && out[i] > 0.0f && out[i] <= 1.0f) << i;
  EXPECT_EQ(out[8], -1.0f);
}
