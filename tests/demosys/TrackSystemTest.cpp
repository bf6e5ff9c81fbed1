// The track system: drawing order by priority (selection sort with its tie
// order), the three passes of a frame, render-target binding and flagging,
// start/stop validation, row rates and group bookkeeping.
#include <gtest/gtest.h>

#include <cstdlib>

#include "demosys/timeline/TrackGroup.h"
#include "tests/demosys/TimelineTestSupport.h"

using namespace timeline_test;

namespace {

class TrackSystemTest : public ::testing::Test {
 protected:
  TrackGroup* addGroup(const std::string& name, TrackStartStop* startStop) {
    effects.emplace_back(new RecordingEffect(name, log));
    TrackGroup* group = new TrackGroup(name);
    group->setStartStopTrack(startStop);
    group->setEffect(effects.back().get());
    system.addTrackGroup(group);
    return group;
  }

  std::vector<std::string> sortedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < system.getSortedTrackGroupCount(); ++i) {
      names.push_back(system.getSortedTrackGroup(i)->getName());
    }
    return names;
  }

  std::vector<std::string> log;
  std::vector<std::unique_ptr<Effect>> effects;
  TrackSystem system;
};

}  // namespace

TEST_F(TrackSystemTest, EachPassVisitsActiveGroupsInPriorityOrder) {
  addGroup("A", startStopTrack(1, {{0, 100, nullptr}}));
  addGroup("B", startStopTrack(0, {{0, 100, nullptr}}));
  addGroup("C", startStopTrack(2, {{200, 300, nullptr}}));
  system.createPrioritySystem();
  system.processSystem(1000, 20, 16);
  EXPECT_EQ(log, (std::vector<std::string>{"pre:B", "pre:A", "draw:B", "draw:A", "post:B", "post:A"}));
  EXPECT_TRUE(system.isEffectActive("A"));
  EXPECT_TRUE(system.isEffectActive("B"));
  EXPECT_FALSE(system.isEffectActive("C"));
  EXPECT_FALSE(system.isEffectActive("D"));
  EXPECT_EQ(system.getActiveTrackGroupCount(), 2);

  log.clear();
  system.processSystem(10000, 200, 16);
  EXPECT_EQ(log, (std::vector<std::string>{"pre:C", "draw:C", "post:C"}));
  EXPECT_FALSE(system.isEffectActive("A"));
}

TEST_F(TrackSystemTest, TargetIsBoundAroundTheDrawAndFlaggedForClearing) {
  RecordingTarget fbo("fbo", log);
  addGroup("A", startStopTrack(0, {{10, 20, &fbo}}));
  addGroup("B", startStopTrack(1, {{10, 20, nullptr}}));
  system.createPrioritySystem();
  const std::vector<std::string> frame{"pre:A",    "pre:B",  "bind:fbo", "draw:A", "release:fbo",
                                       "flag:fbo", "draw:B", "post:A",   "post:B"};
  system.processSystem(0, 15, 0);
  EXPECT_EQ(log, frame);
  log.clear();
  system.processSystem(0, 20, 0);  // the stop row still draws into the interval's target
  EXPECT_EQ(log, frame);
}

TEST_F(TrackSystemTest, EqualPrioritiesSortAsTheSelectionSortLeavesThem) {
  addGroup("A", startStopTrack(1, {}));
  addGroup("B", startStopTrack(1, {}));
  addGroup("C", startStopTrack(0, {}));
  system.createPrioritySystem();
  EXPECT_EQ(sortedNames(), (std::vector<std::string>{"C", "B", "A"}));
  system.prioritySanityCheck();
  EXPECT_EQ(system.getTrackGroupByName("C")->getStartStopTrack()->priority, 0);
  EXPECT_EQ(system.getTrackGroupByName("B")->getStartStopTrack()->priority, 1);
  EXPECT_EQ(system.getTrackGroupByName("A")->getStartStopTrack()->priority, 2);

  system.createPrioritySystem();  // rebuilding keeps one entry per group
  EXPECT_EQ(sortedNames(), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(TrackSystemTest, SwapTracksKeepsPrioritiesMatchingPositions) {
  addGroup("A", startStopTrack(0, {}));
  addGroup("B", startStopTrack(1, {}));
  addGroup("C", startStopTrack(2, {}));
  system.createPrioritySystem();
  system.swapTracks(0, 2);
  system.swapTracks(0, 7);
  EXPECT_EQ(sortedNames(), (std::vector<std::string>{"C", "B", "A"}));
  testing::internal::CaptureStdout();
  system.printPriority();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Priority 0 = C\nPriority 1 = B\nPriority 2 = A\n");
}

TEST_F(TrackSystemTest, ValidationStopsAtTheFirstCorruptGroup) {
  addGroup("good", startStopTrack(0, {{1, 2, nullptr}}));
  TrackGroup* bad = addGroup("bad", startStopTrack(1, {}));
  bad->getStartStopTrack()->addKeyframe(new TrackStartStopKeyFrame(5, TrackKeyFrame::STOP));
  system.createPrioritySystem();
  testing::internal::CaptureStdout();
  EXPECT_FALSE(system.validateStartStopTracks());
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("Validating StartStop track data.\n", 0), 0u);
  EXPECT_NE(out.find("NOT TAGGED AS A START KEYFRAME!\n--> StartStop Track : bad has keyframe mismatch\n"),
            std::string::npos);
  EXPECT_TRUE(system.validateInterpolateTracks());
}

TEST_F(TrackSystemTest, GroupsByNameAndTrackCounts) {
  TrackGroup* b = addGroup("b", startStopTrack(0, {}));
  b->addInterpolateTrack(new TrackInterpolate("alpha"));
  b->addInterpolateTrack(new TrackInterpolate("red"));
  addGroup("a", startStopTrack(0, {}));
  EXPECT_EQ(system.size(), 2);
  EXPECT_EQ(system.countAllTracks(), 4);
  EXPECT_EQ(system.getTrackGroup(0)->getName(), "a");
  EXPECT_EQ(system.getTrackGroup(1), b);
  EXPECT_EQ(system.getTrackGroup(2), nullptr);
  EXPECT_EQ(system.getTrackGroup(-1), nullptr);
  EXPECT_EQ(system.getTrackGroupByName("zz"), nullptr);
  EXPECT_EQ(system.getSortedTrackGroup(0), nullptr);
}

TEST_F(TrackSystemTest, ReplacingAGroupDropsTheOldOneFromTheDrawingOrder) {
  addGroup("A", startStopTrack(0, {{0, 10, nullptr}}));
  system.createPrioritySystem();
  TrackGroup* replacement = new TrackGroup("A");
  system.addTrackGroup(replacement);
  EXPECT_EQ(system.size(), 1);
  EXPECT_EQ(system.getSortedTrackGroupCount(), 0);
  ASSERT_NE(replacement->getStartStopTrack(), nullptr);
  EXPECT_EQ(replacement->getStartStopTrack()->priority, -1);
  system.processSystem(0, 5, 0);
  EXPECT_TRUE(log.empty());
}

TEST(TrackSystemRowRate, OnlyRatesFromOneTo1000AreAccepted) {
  TrackSystem system;
  EXPECT_EQ(system.getRowRate(), 20);
  EXPECT_FALSE(system.setRowRate(0));
  EXPECT_FALSE(system.setRowRate(1001));
  EXPECT_FALSE(system.setRowRate(-5));
  EXPECT_EQ(system.getRowRate(), 20);
  EXPECT_TRUE(system.setRowRate(1000));
  EXPECT_EQ(system.getRowRate(), 1000);
  EXPECT_EQ(TrackSystem::rowRateError(0),
            "Invalid row rate 0\n\"rowrate\" in the \"system\" block must be from 1 to 1000\n");
  EXPECT_EQ(TrackSystem::currentRowRate(), TrackSystem::DEFAULT_ROW_RATE);
  ScopedRowRate rate(8);
  EXPECT_EQ(TrackSystem::currentRowRate(), 8);
}

TEST(TrackSystemFill, GeneratesAThousandAlternatingKeyframes) {
  TrackSystem system;
  TrackStartStop track(0);
  std::srand(1);
  system.fillTrack(&track);
  std::vector<TrackKeyFrame*> keys;
  track.fetchKeyFrameVector(keys);
  ASSERT_EQ(keys.size(), 1000u);
  unsigned previous = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i]->type, i % 2 == 0 ? TrackKeyFrame::START : TrackKeyFrame::STOP);
    EXPECT_GE(keys[i]->row - previous, 1u);
    EXPECT_LE(keys[i]->row - previous, 10u);
    previous = keys[i]->row;
  }
  EXPECT_TRUE(track.validateKeyframes());
}

TEST(TrackGroupTracks, LookupByNameAndIndex) {
  TrackGroup group("g");
  EXPECT_FALSE(group.isActive(0, 0));
  EXPECT_EQ(group.getLocalTime(5, 100), 0u);
  TrackInterpolate* first = new TrackInterpolate("alpha");
  TrackInterpolate* second = new TrackInterpolate("alpha");
  group.addInterpolateTrack(first);
  group.addInterpolateTrack(second);
  group.addInterpolateTrack(second);
  EXPECT_EQ(group.getInterpolateTrackCount(), 2);
  EXPECT_EQ(group.getInterpolateTrackByName("alpha"), second);
  EXPECT_EQ(group.getInterpolateTrack(0), first);
  EXPECT_EQ(group.getInterpolateTrack(2), nullptr);
  EXPECT_EQ(group.getInterpolateTrackByName("beta"), nullptr);
}
