// The effect base class: fallbacks of a plain effect, track names, and the
// track lookup with and without a track group.
#include <gtest/gtest.h>

#include <memory>

#include "demosys/effect/Effect.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/timeline/TrackGroup.h"

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
