// The capture clock: frame times of a range at a fixed step, and the song's spectrum taken at each
// frame's time, so that a music-reactive frame comes out the same on every run. A frame's time,
// row and step, and the timer it pauses, show in every golden frame.
#include <gtest/gtest.h>

#include <vector>

#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/FMODTimer.h"
#include "demosys/timeline/FixedStepClock.h"
#include "tests/demosys/SoundTestSupport.h"
#include "tests/support/TempTree.h"

using namespace sound_test;

namespace {

const int BINS = 1024;
const int TONE_BIN = 46;
const unsigned TONE_STARTS_MS = 500;

}  // namespace

TEST(FixedStepClockTest, RangeTimesComeFromTheFrameNumberWithoutDrift) {
  Timer timer(20);
  FixedStepClock at25(timer, 25);
  EXPECT_EQ(at25.rangeTimes(100, 260), (std::vector<unsigned>{100, 140, 180, 220, 260}));
  EXPECT_EQ(at25.rangeTimes(100, 259), (std::vector<unsigned>{100, 140, 180, 220}));
  EXPECT_EQ(at25.rangeTimes(70, 70), (std::vector<unsigned>{70}));
  FixedStepClock at30(timer, 30);
  EXPECT_EQ(at30.getStep(), 33u);
  EXPECT_EQ(at30.rangeTimes(0, 100), (std::vector<unsigned>{0, 33, 66, 100}));
  std::vector<unsigned> minute = at30.rangeTimes(0, 60000);
  ASSERT_EQ(minute.size(), 1801u);
  EXPECT_EQ(minute.back(), 60000u) << "33 ms steps would have drifted to 59400";
}

// The song stays paused; each frame's spectrum is the song's at that frame's time.
TEST(FixedStepClockTest, SpectrumFollowsTheFrameTimeAndRepeatsExactly) {
  TempTree tree;
  ASSERT_TRUE(tree.ok());
  // Silence, then from TONE_STARTS_MS a full-scale tone centred on TONE_BIN, left only.
  ASSERT_TRUE(writeSong(tree.path("late.wav"), WAV_FLOAT, 44100, 1.5, {binCentreHz(TONE_BIN, BINS), 1.0f}, {},
                        false, TONE_STARTS_MS / 1000.0));
  QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  ScopedClock clock;
  FMODTimer timer(tree.path("late.wav"), 8);
  testing::internal::CaptureStdout();
  bool loaded = timer.init();
  testing::internal::GetCapturedStdout();
  ASSERT_TRUE(loaded) << timer.getMessage();
  timer.play();
  clock.advance(200);
  FixedStepClock capture(timer, 25);
  capture.start();

  capture.frameAt(TONE_STARTS_MS - 60);
  std::vector<float> before = spectrumOf(timer, Timer::LEFT, BINS);
  EXPECT_NEAR(before[TONE_BIN], 0.0f, 1e-6f) << "the window ends before the tone";

  capture.frameAt(1000);
  std::vector<float> during = spectrumOf(timer, Timer::LEFT, BINS);
  EXPECT_NEAR(during[TONE_BIN], 1.0f, 0.05f);
  EXPECT_NEAR(spectrumOf(timer, Timer::RIGHT, BINS)[TONE_BIN], 0.0f, 1e-6f);

  clock.advance(3000);
  timer.updateSystem();
  EXPECT_EQ(spectrumOf(timer, Timer::LEFT, BINS), during) << "real time does not move a paused song";
  capture.frameAt(TONE_STARTS_MS - 60);
  EXPECT_EQ(spectrumOf(timer, Timer::LEFT, BINS), before) << "seeking back gives the same frame again";
  capture.frameAt(1000);
  EXPECT_EQ(spectrumOf(timer, Timer::LEFT, BINS), during);
}
