// Start/stop semantics of tracks: intervals inclusive at both ends, render targets, start rows
// and local time, alternation checks and editing.
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

  std::vector<unsigned> rows(unsigned first, unsigned last) { return keyRows(*track, first, last); }
};

bool validates(const Track& track, std::string& printed) {
  testing::internal::CaptureStdout();
  const bool valid = track.validateKeyframes();
  printed = testing::internal::GetCapturedStdout();
  return valid;
}

}  // namespace

TEST_F(TrackStartStopTest, IntervalsTargetsAndStartRowsRowByRow) {
  for (unsigned row = 0; row <= 45; ++row) {
    const bool first = row >= 10 && row <= 20, second = row >= 30 && row <= 40;
    EXPECT_EQ(track->isActive(0, row), first || second) << row;
    EXPECT_EQ(track->getRenderTarget(row), second ? &fbo : nullptr) << row;
    // The start row counts inside an interval; its stop row and rows outside read 0.
    const unsigned startRow = row >= 10 && row < 20 ? 10 : row >= 30 && row < 40 ? 30 : 0;
    EXPECT_EQ(track->getStartRow(row), startRow) << row;
    EXPECT_EQ(track->getIntervalStart(row) != nullptr, first || second) << row;
  }
  track->addKeyframe(new TrackStartStopKeyFrame(50, TrackKeyFrame::START));
  EXPECT_TRUE(track->isActive(0, 50)) << "a trailing start is active on its row only";
  EXPECT_FALSE(track->isActive(0, 51));
  EXPECT_FALSE(TrackStartStop(0).isActive(0, 0));
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

TEST_F(TrackStartStopTest, KeyFrameRangeReturnsWholeIntervals) {
  EXPECT_EQ(rows(15, 35), (std::vector<unsigned>{10, 20, 30, 40}));
  EXPECT_EQ(rows(20, 30), (std::vector<unsigned>{10, 20, 30, 40}));
  EXPECT_TRUE(rows(21, 29).empty());
  EXPECT_TRUE(rows(41, 50).empty());
}

TEST(TrackValidation, AlternationErrorsNameTheRowAndWhatWasExpected) {
  std::string printed;
  TrackStartStop twoStarts(0);
  EXPECT_TRUE(validates(twoStarts, printed));
  EXPECT_EQ(printed, "");
  twoStarts.addKeyframe(new TrackStartStopKeyFrame(10, TrackKeyFrame::START));
  EXPECT_TRUE(validates(twoStarts, printed)) << "an open interval at the end is fine";
  twoStarts.addKeyframe(new TrackStartStopKeyFrame(20, TrackKeyFrame::START));
  EXPECT_FALSE(validates(twoStarts, printed));
  EXPECT_EQ(printed,
            "--> row = 20, row=20, type = 1\n"
            "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A STOP KEYFRAME!\n");
  TrackStartStop stopFirst(0);
  stopFirst.addKeyframe(new TrackStartStopKeyFrame(5, TrackKeyFrame::STOP));
  EXPECT_FALSE(validates(stopFirst, printed));
  EXPECT_EQ(printed,
            "--> row = 5, row=5, type = 0\n"
            "--> PREVIOUS LINE IS CORRUPT BECAUSE IT'S NOT TAGGED AS A START KEYFRAME!\n");
  // Type 2 closes an interval for isActive but is not a stop for validation.
  TrackStartStop odd(0);
  odd.addKeyframe(new TrackStartStopKeyFrame(1, TrackKeyFrame::START));
  odd.addKeyframe(new TrackStartStopKeyFrame(4, 2));
  EXPECT_TRUE(odd.isActive(0, 3));
  EXPECT_FALSE(validates(odd, printed));
}

TEST_F(TrackStartStopTest, EditingDeletesWholeIntervalsMovesAndReplacesKeyframes) {
  TrackKeyFrame* moved = track->getKeyframe(10);
  testing::internal::CaptureStdout();
  track->moveRow(10, 12);
  track->moveRow(11, 13);
  track->moveRow(12, 12);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Moved row from 10 to 12\n");
  EXPECT_EQ(track->getKeyframe(12), moved);
  EXPECT_EQ(moved->row, 12u);
  EXPECT_EQ(rows(1, 0), (std::vector<unsigned>{12, 20, 30, 40}));
  testing::internal::CaptureStdout();
  track->moveRow(12, 20);  // replaces the stop at 20
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(rows(1, 0), (std::vector<unsigned>{20, 30, 40}));
  EXPECT_TRUE(track->rowIsStartKeyFrame(20));
  TrackKeyFrame* same = track->getKeyframe(20);
  track->addKeyframe(same);
  EXPECT_EQ(track->getKeyframe(20), same);
  track->addKeyframe(new TrackStartStopKeyFrame(20, TrackKeyFrame::STOP));
  EXPECT_FALSE(track->rowIsStartKeyFrame(20)) << "a keyframe replaces the one at its row";
  track->addKeyframe(new TrackStartStopKeyFrame(12, TrackKeyFrame::START));
  track->deleteInterval(25);
  EXPECT_EQ(rows(1, 0), (std::vector<unsigned>{12, 20, 30, 40}));
  track->deleteInterval(15);
  EXPECT_EQ(rows(1, 0), (std::vector<unsigned>{30, 40}));
  track->deleteInterval(40);
  track->deleteInterval(40);
  EXPECT_EQ(track->getKeyframeCount(), 0);
}
