// The track system: drawing order by priority (selection sort with its tie order), the three
// passes of a frame, start/stop validation, row rates and group bookkeeping. Binding a target
// around the draw and flagging it for clearing show in the golden and capture frames.
#include <gtest/gtest.h>

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
  std::vector<std::string> sorted() const {
    std::vector<std::string> names;
    for (int i = 0; i < system.getSortedTrackGroupCount(); ++i) {
      const TrackGroup* group = system.getSortedTrackGroup(i);
      names.push_back(group->getName() + std::to_string(group->getStartStopTrack()->priority));
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
  EXPECT_FALSE(system.isEffectActive("C"));
  EXPECT_FALSE(system.isEffectActive("D"));
  EXPECT_EQ(system.getActiveTrackGroupCount(), 2);
  log.clear();
  system.processSystem(10000, 200, 16);
  EXPECT_EQ(log, (std::vector<std::string>{"pre:C", "draw:C", "post:C"}));
  EXPECT_FALSE(system.isEffectActive("A"));
}

TEST_F(TrackSystemTest, EqualPrioritiesSortAsTheSelectionSortLeavesThemAndAreRenumbered) {
  addGroup("A", startStopTrack(1, {}));
  addGroup("B", startStopTrack(1, {}));
  addGroup("C", startStopTrack(0, {}));
  system.createPrioritySystem();
  system.prioritySanityCheck();
  EXPECT_EQ(sorted(), (std::vector<std::string>{"C0", "B1", "A2"}));
  system.createPrioritySystem();  // rebuilding keeps one entry per group
  EXPECT_EQ(sorted(), (std::vector<std::string>{"C0", "B1", "A2"}));
  // Replacing a group drops the old one from the drawing order.
  TrackGroup* replacement = new TrackGroup("A");
  system.addTrackGroup(replacement);
  EXPECT_EQ(system.size(), 3);
  EXPECT_EQ(sorted(), (std::vector<std::string>{"C0", "B1"}));
  ASSERT_NE(replacement->getStartStopTrack(), nullptr);
  EXPECT_EQ(replacement->getStartStopTrack()->priority, -1);
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

TEST(TrackSystemRowRate, OnlyRatesFromOneTo1000AreAccepted) {
  TrackSystem system;
  EXPECT_EQ(system.getRowRate(), 20);
  for (int bad : {0, 1001, -5}) EXPECT_FALSE(system.setRowRate(bad)) << bad;
  EXPECT_EQ(system.getRowRate(), 20);
  EXPECT_TRUE(system.setRowRate(1000));
  EXPECT_EQ(system.getRowRate(), 1000);
  EXPECT_EQ(TrackSystem::rowRateError(0),
            "Invalid row rate 0\n\"rowrate\" in the \"system\" block must be from 1 to 1000\n");
  EXPECT_EQ(TrackSystem::currentRowRate(), TrackSystem::DEFAULT_ROW_RATE);
  ScopedRowRate rate(8);
  EXPECT_EQ(TrackSystem::currentRowRate(), 8);
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
