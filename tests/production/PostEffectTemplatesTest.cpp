// The post-processing effect classes as the loader sees them: each registered under its class
// name, each template making fresh instances of its own class, and each declaring exactly its
// tracks in the order the track files are bound by.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/DataEffectPool.h"
#include "production/TarnveldEffects.h"
#include "production/effects/BlendEffect.h"
#include "production/effects/CameraLensEffect.h"
#include "production/effects/CrossfadeEffect.h"
#include "production/effects/DisplayTexture.h"
#include "production/effects/DistortEffect.h"
#include "production/effects/FadeEffect.h"
#include "production/effects/GlowEffect.h"
#include "production/effects/LaplacianEffect.h"
#include "production/effects/LensEffect.h"
#include "production/effects/OverlayEffect.h"
#include "production/effects/PixelateEffect.h"
#include "production/effects/RadialBlurEffect.h"

namespace {

struct PostEffectClass {
  std::string name;
  std::function<Effect*()> make;
  std::function<bool(Effect*)> isOfClass;
  std::vector<std::string> tracks;
};

template <class T>
PostEffectClass postEffect(const std::string& name, std::vector<std::string> tracks) {
  return {name, [] { return new T(); }, [](Effect* e) { return dynamic_cast<T*>(e) != nullptr; }, tracks};
}

const std::vector<PostEffectClass>& postEffects() {
  static const std::vector<PostEffectClass> classes = {
      postEffect<GlowEffect>("GlowEffect", {}),
      postEffect<RadialBlurEffect>("RadialBlurEffect", {"num_passes"}),
      postEffect<PixelateEffect>("PixelateEffect", {"pixel_size"}),
      postEffect<LensEffect>("LensEffect", {"depth", "multiplier", "divider"}),
      postEffect<LaplacianEffect>("LaplacianEffect", {}),
      postEffect<DistortEffect>("DistortEffect", {"source"}),
      postEffect<CrossfadeEffect>("CrossfadeEffect", {"factor1", "factor2"}),
      postEffect<FadeEffect>("FadeEffect", {"alpha", "red", "green", "blue", "fmod", "volume"}),
      postEffect<OverlayEffect>("OverlayEffect", {"alpha"}),
      postEffect<DisplayTexture>("DisplayTexture",
                                 {"alpha", "pos.x", "pos.y", "pos.z", "size.x", "size.y", "rot.x", "rot.y",
                                  "rot.z", "scroll.x", "scroll.y", "rndpos.x", "rndpos.y"}),
      postEffect<CameraLensEffect>("CameraLensEffect", {"track_fov"}),
      postEffect<BlendEffect>("BlendEffect", {}),
  };
  return classes;
}

std::vector<std::string> declaredTracks(Effect& effect) {
  std::vector<std::string> names;
  for (int i = 0; i < effect.getTrackCount(); ++i) names.push_back(effect.getTrackName(i));
  return names;
}

TEST(PostEffectTemplatesTest, InstancesAreFreshObjectsOfTheirClassDeclaringTheirTracksInOrder) {
  for (const PostEffectClass& c : postEffects()) {
    std::unique_ptr<Effect> prototype(c.make());
    std::unique_ptr<Effect> first(prototype->getInstance());
    std::unique_ptr<Effect> second(prototype->getInstance());
    EXPECT_TRUE(c.isOfClass(first.get())) << c.name;
    EXPECT_NE(first.get(), second.get()) << c.name;
    EXPECT_EQ(prototype->getTrackCount(), 0) << c.name << ": the template declares nothing itself";
    first->registerTracks();
    EXPECT_EQ(declaredTracks(*first), c.tracks) << c.name;
    EXPECT_EQ(second->getTrackCount(), 0) << c.name << ": instances share no track list";
  }
}

TEST(PostEffectTemplatesTest, TheProductionRegistersEachUnderItsClassName) {
  char program[] = "tarnveld";
  char* argv[] = {program, nullptr};
  Demo demo(1, argv);
  registerTarnveldEffects(demo);
  for (const PostEffectClass& c : postEffects()) {
    ASSERT_TRUE(QNVDemosys::effectTemplatePool->exist(c.name)) << c.name;
    EXPECT_TRUE(c.isOfClass(QNVDemosys::effectTemplatePool->getEffect(c.name))) << c.name;
  }
}

}  // namespace
