// The track system, its groups, start/stop and interpolation tracks, without GL; binding a target
// around the draw and flagging it for clearing show in the golden and capture frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "demosys/resources/DataFBOPool.h"
#include "demosys/timeline/TrackGroup.h"
#include "demosys/timeline/TrackText.h"
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

// A timeline replaced while the demo plays: effects hold the live groups' track objects, so these
// stay and take the new keys; a group the new timeline lacks falls silent.
TEST(TrackSystemReplace, GroupsKeepTheirTrackObjectsAndTakeTheNewTimeline) {
  ScopedRowRate rate(20);
  TrackSystem live;
  for (const char* name : {"a", "b"}) {
    auto* group = new TrackGroup(name);
    group->setStartStopTrack(startStopTrack(0, {{0, 10, nullptr}}));
    group->addInterpolateTrack(interpolateTrack("alpha", {{0, 0, 0.25f}}));
    live.addTrackGroup(group);
  }
  live.createPrioritySystem();
  TrackInterpolate* heldAlpha = live.getTrackGroupByName("a")->getInterpolateTrackByName("alpha");
  std::vector<std::string> log;
  DataFBOPool pool;
  auto* target = new RecordingTarget("glow", log);
  pool.addFBO("glow", target);

  TrackText reader;
  std::unique_ptr<TrackSystem> fresh(reader.read(
      "effect a priority 5\n  start 20 glow\n  stop 30\n  track alpha\n    0 STEP 0.75\n"
      "effect c\n  start 0\n  stop 5\n"));
  ASSERT_TRUE(fresh) << reader.getErrorMessage();
  live.takeTracksFrom(*fresh, &pool);

  TrackGroup* a = live.getTrackGroupByName("a");
  EXPECT_EQ(a->getInterpolateTrackByName("alpha"), heldAlpha) << "the effect's track object stays";
  EXPECT_FLOAT_EQ(heldAlpha->getValue(0), 0.75f);
  EXPECT_FALSE(a->isActive(0, 5));
  EXPECT_TRUE(a->isActive(0, 25));
  EXPECT_EQ(a->getStartStopTrack()->getRenderTarget(25), static_cast<FrameBufferObject*>(target));
  TrackGroup* b = live.getTrackGroupByName("b");
  EXPECT_FALSE(b->isActive(0, 5)) << "a group the new timeline lacks falls silent";
  EXPECT_FLOAT_EQ(b->getInterpolateTrackByName("alpha")->getValue(0), 0.0f);
  EXPECT_EQ(live.getTrackGroupByName("c"), nullptr) << "groups of effects the demo lacks are ignored";
  ASSERT_EQ(live.getSortedTrackGroupCount(), 2);
  EXPECT_EQ(live.getSortedTrackGroup(1), a) << "drawing order from the new priorities, renumbered";
  EXPECT_EQ(a->getStartStopTrack()->priority, 1);
}

TEST(EffectBase, PlainEffectReportsFallbacks) {
  Effect effect;
  testing::internal::CaptureStdout();
  effect.predraw(0);
  effect.draw(0, 0);
  effect.postdraw(0);
  effect.musicEvent();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Fallback draw method! This should never happen!\n"
            "Fallback music event method called! This should never happen!\n");
}

TEST(EffectBase, GetTrackUsesTheGroupOrAStandbyTrack) {
  Effect effect;
  TrackInterpolate* standby = effect.getTrack("alpha");
  ASSERT_NE(standby, nullptr);
  EXPECT_EQ(standby->getValue(1000), 0.0f);
  EXPECT_EQ(effect.getTrack("alpha"), standby);
  EXPECT_EQ(standby->getName(), "alpha");

  TrackGroup group("e");
  TrackInterpolate* alpha = new TrackInterpolate("alpha");
  group.addInterpolateTrack(alpha);
  effect.setTrackGroup(&group);
  EXPECT_EQ(effect.getTrack("alpha"), alpha);
  EXPECT_EQ(effect.getTrack("beta"), nullptr);
}

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
