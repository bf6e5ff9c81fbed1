// The full-screen colour fade, steady or driven by the music spectrum (through a timer whose
// spectrum the test sets): where the alpha track and where a band gives the opacity.
#include <GL/glew.h>

#include <memory>
#include <string>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/timeline/Timer.h"
#include "production/effects/FadeEffect.h"
#include "tests/gl/EffectTestBench.h"

namespace {

// Band i of the spectrum reads 0.002 x i; remembers how it was asked.
class SpectrumTimer : public Timer {
 public:
  SpectrumTimer() : Timer(20) {}
  void GetDirectSoundData(SoundChannel which, int count, float* out) override {
    ++calls;
    channel = which;
    length = count;
    for (int i = 0; i < count; ++i) out[i] = 0.002f * static_cast<float>(i);
  }
  int calls = 0;
  SoundChannel channel = LEFT;
  int length = 0;
};

class FadeEffectTest : public EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp(16);
    auto owned = std::make_unique<SpectrumTimer>();
    timer = owned.get();
    bench.setTimer(std::move(owned));
    fade = &bench.create<FadeEffect>("FadeEffect", {});
    bench.setTrack(*fade, "red", 1.0f);
    bench.setTrack(*fade, "alpha", 0.5f);
  }

  // Red over opaque black: the red that shows is the fade's opacity.
  int shownOpacity(float fmod) {
    bench.setTrack(*fade, "fmod", fmod);
    bench.fill("target", 0, 0, 0);
    bench.drawFrame(*fade, 0, 20, target);
    return at(8, 8).r;
  }

  SpectrumTimer* timer = nullptr;
  FadeEffect* fade = nullptr;
};

// Its colour and the opacity of a band the production's flash reads, the golden frames show.
TEST_F(FadeEffectTest, OutsideTheSpectrumBandsTheAlphaTrackIsTheOpacity) {
  for (float fmod : {0.0f, 0.9f, 64.0f, 64.5f, 100.0f, -3.0f, 1e12f}) {
    EXPECT_NEAR(shownOpacity(fmod), 128, 1) << "fmod = " << fmod;
  }
  EXPECT_EQ(timer->calls, 0) << "the spectrum is read only when a band is chosen";
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(FadeEffectTest, ABandTakesTwiceTheSumOfItAndItsNeighbours) {
  // Band 10: 2 x 0.002 x (9 + 10 + 11) = 0.12.
  EXPECT_NEAR(shownOpacity(10.0f), 31, 1);
  EXPECT_EQ(timer->calls, 1);
  EXPECT_EQ(timer->channel, Timer::AVERAGE);
  EXPECT_EQ(timer->length, 64);
  EXPECT_NEAR(shownOpacity(10.7f), 31, 1) << "the band is fmod truncated";
  EXPECT_NEAR(shownOpacity(1.0f), 3, 1) << "bands 0, 1, 2";
}

TEST_F(FadeEffectTest, TheTopBandCountsItselfForTheMissingUpperNeighbour) {
  // 2 x 0.002 x (62 + 63 + 63) = 0.752; reading past the spectrum would give something else.
  EXPECT_NEAR(shownOpacity(63.0f), 192, 1);
  EXPECT_NEAR(shownOpacity(63.99f), 192, 1);
}

}  // namespace
