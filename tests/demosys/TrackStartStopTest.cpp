// Start/stop semantics of tracks: intervals inclusive at both ends, render
// targets, start rows and local time, alternation checks and editing.
#include <gtest/gtest.h>

#include "demosys/timeline/TrackGroup.h"
#include "tests/demosys/TimelineTestSupport.h"

using namespace timeline_test;

namespace {

class TrackStartStopTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  RecordingTarget fbo{"fbo", log};
  // start 10 (screen), stop 20, start 30 (fbo), stop 40
  std::unique_ptr<TrackStartStop> track{startStopTrack(0, {{10, 20, nullptr}, {30, 40, &fbo}})};
};

std::string validationOutput(const Track& track, bool& valid) {
  testing::internal::CaptureStdout();
  valid = track.validateKeyframes();
  return testing::internal::GetCapturedStdout();
}

std::vector<unsigned> rowsOf(const std::vector<TrackKeyFrame*>& keys) {
  std::vector<unsigned> rows;
  for (const TrackKeyFrame* k : keys) rows.push_back(k->row);
  return rows;
}

}  // namespace

TEST_F(TrackStartStopTest, IntervalsAreActiveFromStartToStopInclusive) {
  for (unsigned row = 0; row <= 45; ++row) {
    bool expected = (row >= 10 && row <= 20) || (row >= 30 && row <= 40);
    EXPECT_EQ(track->isActive(0, row), expected) << "row " << row;
  }
}

TEST_F(TrackStartStopTest, EmptyTrackAndTrailingStart) {
  TrackStartStop empty(0);
  EXPECT_FALSE(empty.isActive(0, 0));
  EXPECT_EQ(empty.getRenderTarget(0), nullptr);
  track->addKeyframe(new TrackStartStopKeyFrame(50, TrackKeyFrame::START));
  EXPECT_TRUE(track->isActive(0, 50));
  EXPECT_FALSE(track->isActive(0, 51));
  EXPECT_FALSE(track->isActive(0, 49));
}

TEST_F(TrackStartStopTest, RenderTargetComesFromTheIntervalStart) {
  EXPECT_EQ(track->getRenderTarget(15), nullptr);
  EXPECT_EQ(track->getRenderTarget(29), nullptr);
  EXPECT_EQ(track->getRenderTarget(30), &fbo);
  EXPECT_EQ(track->getRenderTarget(35), &fbo);
  EXPECT_EQ(track->getRenderTarget(40), &fbo);
  EXPECT_EQ(track->getRenderTarget(41), nullptr);
  ASSERT_NE(track->getIntervalStart(40), nullptr);
  EXPECT_EQ(track->getIntervalStart(40)->row, 30u);
  EXPECT_EQ(track->getIntervalStart(25), nullptr);
}

TEST_F(TrackStartStopTest, StartRowIsZeroAtTheStopRowAndOutsideIntervals) {
  EXPECT_EQ(track->getStartRow(35), 30u);
  EXPECT_EQ(track->getStartRow(30), 30u);
  EXPECT_EQ(track->getStartRow(40), 0u);
  EXPECT_EQ(track->getStartRow(25), 0u);
  EXPECT_EQ(track->getStartRow(45), 0u);
}

TEST_F(TrackStartStopTest, LocalTimeCountsFromTheIntervalStartWithWholeMillisecondRows) {
  TrackGroup group("g");
  group.setStartStopTrack(track.release());
  {
    ScopedRowRate rate(20);  // 50 ms per row: row 30 starts at 1500 ms
    EXPECT_EQ(group.getLocalTime(35, 1800), 300u);
    EXPECT_EQ(group.getLocalTime(35, 1400), 0u);
    EXPECT_EQ(group.getLocalTime(25, 1300), 1300u);
  }
  ScopedRowRate rate(7);  // 1000 / 7 truncates to 142 first: row 30 starts at 4260 ms
  EXPECT_EQ(group.getLocalTime(31, 4300), 40u);
}

TEST_F(TrackStartStopTest, NeighbourQueries) {
  EXPECT_EQ(track->nextKeyframe(10), 20);
  EXPECT_EQ(track->nextKeyframe(40), -1);
  EXPECT_EQ(track->prevKeyframe(10), -1);
  EXPECT_EQ(track->prevKeyframe(25), 20);
  EXPECT_TRUE(track->insideInterval(15));
  EXPECT_TRUE(track->insideInterval(20));
  EXPECT_FALSE(track->insideInterval(25));
  EXPECT_TRUE(track->rowIsStartKeyFrame(30));
  EXPECT_FALSE(track->rowIsStartKeyFrame(40));
  EXPECT_FALSE(track->rowIsStartKeyFrame(31));
  EXPECT_TRUE(track->rangeEmpty(21, 29));
  EXPECT_FALSE(track->rangeEmpty(21, 30));
  EXPECT_TRUE(track->rangeEmpty(41, 4000000000u));
}

TEST_F(TrackStartStopTest, KeyFrameRangeReturnsWholeIntervals) {
  std::vector<TrackKeyFrame*> keys;
  track->getKeyFrameRange(15, 35, keys);
  EXPECT_EQ(rowsOf(keys), (std::vector<unsigned>{10, 20, 30, 40}));
  keys.clear();
  track->getKeyFrameRange(20, 30, keys);
  EXPECT_EQ(rowsOf(keys), (std::vector<unsigned>{10, 20, 30, 40}));
  keys.clear();
  track->getKeyFrameRange(21, 29, keys);
  EXPECT_TRUE(keys.empty());
  track->getKeyFrameRange(41, 50, keys);
  EXPECT_TRUE(keys.empty());
}

TEST(TrackValidation, AlternationErrorsNameTheRowAndWhatWasExpected) {
  bool valid = true;
  std::unique_ptr<Track> twoStarts(new TrackStartStop(0));
  twoStarts->addKeyframe(new TrackStartStopKeyFrame(10, TrackKeyFrame::START));
  twoStarts->addKeyframe(new TrackStartStopKeyFrame(20, TrackKeyFrame::START));
  EXPECT_EQ(validationOutput(*twoStarts, valid),
            "--> row = 20, row=20, type = 1\n"
            "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A STOP KEYFRAME!\n");
  EXPECT_FALSE(valid);

  TrackStartStop stopFirst(0);
  stopFirst.addKeyframe(new TrackStartStopKeyFrame(5, TrackKeyFrame::STOP));
  EXPECT_EQ(validationOutput(stopFirst, valid),
            "--> row = 5, row=5, type = 0\n"
            "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A START KEYFRAME!\n");
  EXPECT_FALSE(valid);
}

TEST(TrackValidation, EmptyOddAndUnknownTypes) {
  bool valid = false;
  TrackStartStop track(0);
  EXPECT_EQ(validationOutput(track, valid), "");
  EXPECT_TRUE(valid);
  track.addKeyframe(new TrackStartStopKeyFrame(1, TrackKeyFrame::START));
  validationOutput(track, valid);
  EXPECT_TRUE(valid);
  // Type 2 closes an interval for isActive but is not a stop for validation.
  track.addKeyframe(new TrackStartStopKeyFrame(4, 2));
  EXPECT_TRUE(track.isActive(0, 3));
  validationOutput(track, valid);
  EXPECT_FALSE(valid);
}

TEST_F(TrackStartStopTest, DeleteIntervalRemovesTheWholeIntervalOfAnyRowInIt) {
  track->deleteInterval(25);
  EXPECT_EQ(track->getKeyframeCount(), 4);
  track->deleteInterval(15);
  EXPECT_EQ(track->getKeyframeCount(), 2);
  EXPECT_FALSE(track->rowExists(10));
  EXPECT_FALSE(track->rowExists(20));
  track->deleteInterval(40);
  EXPECT_EQ(track->getKeyframeCount(), 0);
  track->deleteInterval(40);
}

TEST_F(TrackStartStopTest, DeleteIntervalAtStartRowAndTrailingStart) {
  track->deleteInterval(30);
  EXPECT_FALSE(track->rowExists(30));
  EXPECT_FALSE(track->rowExists(40));
  track->addKeyframe(new TrackStartStopKeyFrame(60, TrackKeyFrame::START));
  track->deleteInterval(60);
  EXPECT_FALSE(track->rowExists(60));
  EXPECT_EQ(track->getKeyframeCount(), 2);
}

TEST_F(TrackStartStopTest, MoveRowRekeysTheKeyframeAndReports) {
  TrackKeyFrame* moved = track->getKeyframe(10);
  testing::internal::CaptureStdout();
  track->moveRow(10, 12);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Moved row from 10 to 12\n");
  EXPECT_EQ(track->getKeyframe(12), moved);
  EXPECT_EQ(moved->row, 12u);
  EXPECT_FALSE(track->rowExists(10));

  testing::internal::CaptureStdout();
  track->moveRow(11, 13);
  track->moveRow(12, 12);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  testing::internal::CaptureStdout();
  track->moveRow(12, 20);  // replaces the stop at 20
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(track->getKeyframeCount(), 3);
  EXPECT_TRUE(track->rowIsStartKeyFrame(20));
}

TEST_F(TrackStartStopTest, AddKeyframeReplacesTheKeyframeAtItsRow) {
  track->addKeyframe(new TrackStartStopKeyFrame(20, TrackKeyFrame::START));
  EXPECT_EQ(track->getKeyframeCount(), 4);
  EXPECT_TRUE(track->rowIsStartKeyFrame(20));
  // Re-adding the stored keyframe keeps it.
  TrackKeyFrame* same = track->getKeyframe(20);
  track->addKeyframe(same);
  EXPECT_EQ(track->getKeyframe(20), same);
  std::vector<TrackKeyFrame*> all;
  track->fetchKeyFrameVector(all);
  EXPECT_EQ(rowsOf(all), (std::vector<unsigned>{10, 20, 30, 40}));
}

TEST(TrackStartStopKeyFrameDefaults, TargetIsTheScreen) {
  TrackStartStopKeyFrame keyframe(3, TrackKeyFrame::START);
  EXPECT_EQ(keyframe.renderTargetName, "screen");
  EXPECT_EQ(keyframe.renderTarget, nullptr);
  TrackKeyFrameInterpolate zero;
  EXPECT_EQ(zero.row, 0u);
  EXPECT_EQ(zero.value, 0.0f);
  EXPECT_EQ(zero.interpolation, 0);
}
