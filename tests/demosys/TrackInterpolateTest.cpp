// Interpolation tracks: the five segment shapes, clamping outside the keys,
// the segment chosen by whole rows and blended by exact time, the cached
// segment staying right under any access pattern and after edits.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <memory>

#include "tests/demosys/TimelineTestSupport.h"

using namespace timeline_test;

namespace {

float valueAt(int code, unsigned time) {
  std::unique_ptr<TrackInterpolate> track(interpolateTrack("x", {{0, code, 0.0f}, {10, 0, 10.0f}}));
  return track->getValue(time);
}

}  // namespace

TEST(TrackInterpolateShapes, LinearBlendsInsideTheRowAndClampsAtTheEnds) {
  ScopedRowRate rate(20);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::LINEAR, 250), 5.0f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::LINEAR, 260), 5.2f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::LINEAR, 500), 10.0f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::LINEAR, 90000), 10.0f);
}

TEST(TrackInterpolateShapes, EachCodeAtRowFive) {
  ScopedRowRate rate(20);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::COSINE_OUT, 250), 7.0710678f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::COSINE_IN, 250), 2.9289322f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::RAMP, 250), 2.5f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::STEP, 250), 0.0f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::STEP, 499), 0.0f);
  EXPECT_FLOAT_EQ(valueAt(TrackKeyFrameInterpolate::STEP, 500), 10.0f);
  EXPECT_FLOAT_EQ(valueAt(7, 250), 5.0f);
  EXPECT_FLOAT_EQ(valueAt(-1, 260), 5.2f);
}

TEST(TrackInterpolateShapes, CosineIsNarrowedToFloatBeforeScaling) {
  TrackKeyFrameInterpolate left(0, TrackKeyFrameInterpolate::COSINE_OUT, 1.0f);
  TrackKeyFrameInterpolate right(3, 0, 1001.0f);
  float t = 1.0f / 3.0f;
  float expected = 1.0f + 1000.0f * static_cast<float>(std::cos((1.0f - t) * 3.141592653589793 * 0.5));
  EXPECT_EQ(TrackInterpolate::cosine(left, right, 1.0f, true), expected);
}

TEST(TrackInterpolateValues, BeforeTheFirstKeyAndWithoutKeys) {
  ScopedRowRate rate(20);
  std::unique_ptr<TrackInterpolate> track(interpolateTrack("x", {{4, 0, 3.0f}, {10, 0, 10.0f}}));
  EXPECT_FLOAT_EQ(track->getValue(0), 3.0f);
  EXPECT_FLOAT_EQ(track->getValue(199), 3.0f);
  EXPECT_FLOAT_EQ(track->getValue(200), 3.0f);
  TrackInterpolate empty("x");
  EXPECT_EQ(empty.getValue(1234), 0.0f);
  EXPECT_EQ(empty.getName(), "x");
}

TEST(TrackInterpolateValues, RowRateComesFromTheTrackSystem) {
  std::unique_ptr<TrackInterpolate> track(interpolateTrack("x", {{0, 0, 0.0f}, {8, 0, 8.0f}}));
  ScopedRowRate rate(8);  // 125 ms per row
  EXPECT_FLOAT_EQ(track->getValue(500), 4.0f);
  EXPECT_FLOAT_EQ(track->getValue(1000), 8.0f);
}

// Keys at rows 0, 10, 20, ... holding a tenth of their row make the value a tenth of the row
// position everywhere between them, whatever segment is cached and however many keys there are.
TEST(TrackInterpolateValues, CachedSegmentIsRightInAnyOrderForAnyNumberOfKeys) {
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

TEST(TrackInterpolateValues, EditsAreSeenByTheNextEvaluation) {
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

TEST(TrackInterpolateEditing, ClosestAndDeleteKeyframe) {
  std::unique_ptr<TrackInterpolate> track(
      interpolateTrack("x", {{10, 0, 1.0f}, {20, 0, 2.0f}, {30, 0, 3.0f}}));
  EXPECT_EQ(track->getClosestKeyframe(5), nullptr);
  EXPECT_EQ(track->getClosestKeyframe(15)->row, 10u);
  EXPECT_EQ(track->getClosestKeyframe(20)->row, 20u);
  EXPECT_EQ(track->getClosestKeyframe(30), nullptr);

  track->deleteKeyframe(35);  // nothing at or after 35
  EXPECT_EQ(track->getKeyframeCount(), 3);
  track->deleteKeyframe(5);  // nothing before 5
  EXPECT_EQ(track->getKeyframeCount(), 3);
  track->deleteKeyframe(25);  // the last one before 25
  EXPECT_FALSE(track->rowExists(20));
  track->deleteKeyframe(30);
  EXPECT_FALSE(track->rowExists(30));
  EXPECT_EQ(track->getKeyframeCount(), 1);
}

TEST(TrackInterpolateEditing, KeyFrameRangeCoversTheCurveOverTheRows) {
  std::unique_ptr<TrackInterpolate> track(
      interpolateTrack("x", {{10, 0, 1.0f}, {20, 0, 2.0f}, {30, 0, 3.0f}, {40, 0, 4.0f}}));
  auto rows = [&track](unsigned first, unsigned last) {
    std::vector<TrackKeyFrame*> keys;
    track->getKeyFrameRange(first, last, keys);
    std::vector<unsigned> out;
    for (const TrackKeyFrame* k : keys) out.push_back(k->row);
    return out;
  };
  EXPECT_EQ(rows(15, 25), (std::vector<unsigned>{10, 20, 30}));
  EXPECT_EQ(rows(20, 30), (std::vector<unsigned>{20, 30, 40}));
  EXPECT_EQ(rows(0, 5), (std::vector<unsigned>{10}));
  EXPECT_EQ(rows(35, 100), (std::vector<unsigned>{30, 40}));
  EXPECT_TRUE(rows(41, 100).empty());
}
