// Interpolation tracks: the shapes the production does not use, the cached segment and editing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/demosys/TimelineTestSupport.h"

using namespace timeline_test;

// The linear, cosine and step shapes, holding after the last key and the row rate the track system
// gives show in the production's frames; what its timeline does not use is checked here.
TEST(TrackInterpolate, RampAndUnknownCodesBetweenTwoKeysAndHeldBeforeThem) {
  ScopedRowRate rate(20);  // 50 ms per row
  const struct {
    int code;
    unsigned time;
    float value;
  } cases[] = {{TrackKeyFrameInterpolate::RAMP, 250, 3.5f}, {7, 250, 6.0f}, {-1, 260, 6.2f}};
  for (const auto& c : cases) {
    std::unique_ptr<TrackInterpolate> track(interpolateTrack("x", {{2, c.code, 1.0f}, {12, 0, 11.0f}}));
    EXPECT_FLOAT_EQ(track->getValue(c.time + 100), c.value) << "code " << c.code << " at " << c.time;
    EXPECT_FLOAT_EQ(track->getValue(50), 1.0f) << "before the first key it holds";
  }
  EXPECT_EQ(TrackInterpolate("x").getValue(1234), 0.0f);
}

// Keys at rows 0, 10, 20, ... holding a tenth of their row make the value a tenth of the row
// position everywhere between them, whatever segment is cached and however many keys there are.
TEST(TrackInterpolate, CachedSegmentIsRightInAnyOrderForAnyNumberOfKeys) {
  ScopedRowRate rate(20);
  for (unsigned keys = 1; keys <= 40; ++keys) {
    TrackInterpolate track("x");
    for (unsigned i = 0; i < keys; ++i) track.addKeyframe(new TrackKeyFrameInterpolate(10 * i, 0, float(i)));
    const unsigned end = 10 * (keys - 1) * 50;
    auto expected = [end](unsigned t) { return float(std::min(t, end)) / 500.0f; };
    for (unsigned t = 0; t <= end + 100; t += 35) ASSERT_NEAR(track.getValue(t), expected(t), 1e-4) << t;
    for (unsigned t = end + 100; t >= 45; t -= 45) ASSERT_NEAR(track.getValue(t), expected(t), 1e-4) << t;
    for (unsigned i = 0, t = 7; i < 200; ++i, t = (t * 7919 + 13) % (end + 200)) {
      ASSERT_NEAR(track.getValue(t), expected(t), 1e-4) << keys << " keys at " << t;
    }
  }
}

TEST(TrackInterpolate, EditsAreSeenByTheNextEvaluation) {
  ScopedRowRate rate(20);
  std::unique_ptr<TrackInterpolate> track(interpolateTrack("x", {{0, 0, 0.0f}, {10, 0, 10.0f}}));
  EXPECT_FLOAT_EQ(track->getValue(250), 5.0f);
  track->addKeyframe(new TrackKeyFrameInterpolate(5, 0, 1.0f));
  EXPECT_FLOAT_EQ(track->getValue(250), 1.0f);
  track->deleteKeyframe(5);
  EXPECT_FLOAT_EQ(track->getValue(250), 5.0f);
  testing::internal::CaptureStdout();
  track->moveRow(10, 20);
  testing::internal::GetCapturedStdout();
  EXPECT_FLOAT_EQ(track->getValue(250), 2.5f);
  track->getClosestKeyframe(0)->value = 2.0f;
  EXPECT_FLOAT_EQ(track->getValue(0), 2.0f);
}

TEST(TrackInterpolate, ClosestKeyframeRangeAndDelete) {
  std::unique_ptr<TrackInterpolate> track(
      interpolateTrack("x", {{10, 0, 1.0f}, {20, 0, 2.0f}, {30, 0, 3.0f}, {40, 0, 4.0f}}));
  auto rows = [&track](unsigned first, unsigned last) { return keyRows(*track, first, last); };
  EXPECT_EQ(rows(15, 25), (std::vector<unsigned>{10, 20, 30}));
  EXPECT_EQ(rows(20, 30), (std::vector<unsigned>{20, 30, 40}));
  EXPECT_EQ(rows(0, 5), (std::vector<unsigned>{10}));
  EXPECT_EQ(rows(35, 100), (std::vector<unsigned>{30, 40}));
  EXPECT_TRUE(rows(41, 100).empty());
  EXPECT_EQ(track->getClosestKeyframe(5), nullptr);
  EXPECT_EQ(track->getClosestKeyframe(15)->row, 10u);
  EXPECT_EQ(track->getClosestKeyframe(20)->row, 20u);
  EXPECT_EQ(track->getClosestKeyframe(40), nullptr);
  track->deleteKeyframe(45);  // nothing at or after 45
  track->deleteKeyframe(5);   // nothing before 5
  track->deleteKeyframe(25);  // the last one before 25
  track->deleteKeyframe(30);
  EXPECT_EQ(rows(0, 100), (std::vector<unsigned>{10, 40}));
}
