// A timeline replaced while the demo plays: the live groups keep their track objects (effects hold
// them), take the new keyframes, start/stop intervals and priorities, and point start keyframes at
// the pool's framebuffers by name; a group the new timeline lacks falls silent.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "demosys/resources/DataFBOPool.h"
#include "demosys/timeline/TrackText.h"
#include "tests/demosys/TimelineTestSupport.h"

namespace {

using timeline_test::interpolateTrack;
using timeline_test::startStopTrack;

TEST(TrackSystemReplace, GroupsKeepTheirTrackObjectsAndTakeTheNewTimeline) {
  timeline_test::ScopedRowRate rate(20);
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
  auto* target = new timeline_test::RecordingTarget("glow", log);
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

}  // namespace
