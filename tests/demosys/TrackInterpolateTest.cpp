// Interpolation tracks: the five segment shapes, clamping outside the keys,
// the segment chosen by whole rows and blended by exact time, the cached
// segment staying right under any access pattern and after edits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "tests/demosys/TimelineTestSupport.h"

using namespace timeline_test;

namespace {

float valueAt(int code, unsigned time) {
  std::unique_ptr<TrackInterpolate> track(interpolateTrack("x", {{0, code, 0.0f}, {10, 0, 10.0f}}));
  return track->getValue(time);
}

// What getValue must return, by a plain scan over the keyframes.
float referenceValue(const TrackInterpolate& track, unsigned time, unsigned rowRate) {
  std::vector<TrackKeyFrame*> keys;
  track.fetchKeyFrameVector(keys);
  unsigned row = rowRate * time / 1000;
  size_t right = 0;
  while (right < keys.size() && keys[right]->row <= row) ++right;
  auto key = [&keys](size_t i) { return static_cast<const TrackKeyFrameInterpolate*>(keys[i]); };
  if (right == 0) return key(0)->value;
  if (right == keys.size()) return key(right - 1)->value;
  float position = static_cast<float>(time) / (1000.0f / static_cast<float>(rowRate));
  return TrackInterpolate::linear(*key(right - 1), *key(right), position);
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

TEST(TrackInterpolateValues, CachedSegmentAgreesWithAScanInAnyOrder) {
  ScopedRowRate rate(20);
  std::unique_ptr<TrackInterpolate> track(new TrackInterpolate("x"));
  std::srand(7);
  unsigned row = 3;
  for (int i = 0; i < 300; ++i) {
    row += 1 + std::rand() % 5;
    track->addKeyframe(new TrackKeyFrameInterpolate(row, 0, static_cast<float>(std::rand() % 100)));
  }
  unsigned end = (row + 5) * 50;
  for (unsigned t = 0; t < end; t += 7) ASSERT_EQ(track->getValue(t), referenceValue(*track, t, 20)) << t;
  for (unsigned t = end; t >= 13; t -= 13) ASSERT_EQ(track->getValue(t), referenceValue(*track, t, 20)) << t;
  for (int i = 0; i < 2000; ++i) {
    unsigned t = static_cast<unsigned>(std::rand()) % end;
    ASSERT_EQ(track->getValue(t), referenceValue(*track, t, 20)) << t;
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
