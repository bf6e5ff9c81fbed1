// Effects that draw a quad: the overlay and DisplayTexture with their textures (their place, size
// and turn the golden frames show), and the full-screen colour fade, steady or driven by the music
// spectrum (through a timer whose spectrum the test sets).
#include <GL/glew.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/timeline/Timer.h"
#include "production/effects/DisplayTexture.h"
#include "production/effects/FadeEffect.h"
#include "production/effects/OverlayEffect.h"
#include "tests/gl/EffectTestBench.h"

namespace {

const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, white{255, 255, 255, 255};

class TexturedQuadTest : public EffectTest {
 protected:
  void SetUp() override { EffectTest::SetUp(64); }
};

class OverlayEffectTest : public TexturedQuadTest {
 protected:
  // Texel (x, y) of a 64 x 64 texture reads red 4x, green 4y (y counted from the bottom row).
  void SetUp() override {
    TexturedQuadTest::SetUp();
    std::vector<uint8_t> texels;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) texels.insert(texels.end(), {uint8_t(4 * x), uint8_t(4 * y), 0, 255});
    }
    bench.addTexture("picture", 64, 64, texels);
    bench.addShader("over",
                    "uniform sampler2D texture;\nuniform vec4 color;\n"
                    "void main() { gl_FragColor = texture2D(texture, gl_TexCoord[0].st) * color; }\n");
  }
  OverlayEffect& overlay(const std::string& alphablend) {
    OverlayEffect& effect = bench.create<OverlayEffect>(
        "OverlayEffect", {{"texture", "picture"}, {"shader", "over"}, {"alphablend", alphablend}});
    bench.setTrack(effect, "alpha", 0.5f);
    return effect;
  }
};

// The part of the texture it shows, the alpha track and the alpha test, the golden frames with
// overlays check; the production writes "alphablend = 1" only.
TEST_F(OverlayEffectTest, EveryAlphablendButZeroOrFalseBlendsAndTheStateIsHandedBack) {
  const std::pair<const char*, Rgba> cases[] = {{"true", {0, 126, 128, 191}}, {"yes", {0, 126, 128, 191}},
                                                {"0", {0, 252, 0, 255}},      {"false", {0, 252, 0, 255}}};
  for (const auto& [alphablend, expected] : cases) {
    OverlayEffect& effect = overlay(alphablend);
    bench.fill("target", 0, 0, 1);
    bench.drawFrame(effect, 0, 20, target);
    EXPECT_PRED3(near, at(0, 63), expected, 1) << "alphablend " << alphablend;
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  }
}

class DisplayTextureTest : public TexturedQuadTest {
 protected:
  DisplayTexture& display(const std::string& shader, const std::string& texture = "plain") {
    DisplayTexture& effect = bench.create<DisplayTexture>(
        "DisplayTexture", {{"texture", texture}, {"alphablend", "0"}, {"shader", shader}});
    // In front of the identity view; full-size unless a test shrinks it.
    bench.setTrack(effect, "pos.z", 0.5f);
    bench.setTrack(effect, "alpha", 1.0f);
    return effect;
  }
  // A frame in an identity projection, so quad coordinates are the target's own (releasing the last
  // render target, as filling one does, loads the window's perspective view).
  void frame(DisplayTexture& effect, unsigned frameDelta) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    bench.drawFrame(effect, 0, frameDelta, target);
  }
  // Leftmost and rightmost lit pixel of row y, as the centre in normalised coordinates.
  float litCentre(int y) {
    int left = -1, right = -1;
    for (int x = 0; x < 64; ++x) {
      if (at(x, y).r < 128) continue;
      if (left < 0) left = x;
      right = x;
    }
    EXPECT_GE(left, 0) << "nothing lit in row " << y;
    return (static_cast<float>(left + right + 1) / 2.0f) / 32.0f - 1.0f;
  }
};

TEST_F(DisplayTextureTest, ScrollsBySpeedTimesFrameTimeAndKeepsTheOffsetWhenStopped) {
  bench.addTexture("stripes", 4, 1, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
  DisplayTexture& effect = display("none", "stripes");
  bench.setTrack(effect, "scroll.x", 0.25f);
  // Each 15 ms frame moves the texture a quarter of its width, shown from the next frame.
  const Rgba scrolled[] = {red, green, blue};
  for (const Rgba& expected : scrolled) {
    frame(effect, 15);
    EXPECT_PRED3(near, at(4, 32), expected, 0);
  }
  EXPECT_PRED3(near, at(60, 32), green, 0) << "repeats while scrolling: s = 1.44";
  // Stopped (zero or negative speed): the offset of 0.75 stays, and the edge clamps.
  for (float stopped : {0.0f, -1.0f}) {
    bench.setTrack(effect, "scroll.x", stopped);
    for (int repeat = 0; repeat < 2; ++repeat) {
      frame(effect, 15);
      EXPECT_PRED3(near, at(4, 32), white, 0) << "speed " << stopped;
      EXPECT_PRED3(near, at(60, 32), white, 0) << "speed " << stopped;
    }
  }
  effect.reset();
  frame(effect, 15);
  EXPECT_PRED3(near, at(4, 32), red, 0);
}

TEST_F(DisplayTextureTest, DrawsPlainWithoutAShaderAndThroughOneWithTheAlphaAsColour) {
  bench.addSolidTexture("plain", 200, 100, 50);
  bench.addShader(
      "half",
      "uniform sampler2D tex;\nuniform vec4 color;\n"
      "void main() { gl_FragColor = vec4(texture2D(tex, gl_TexCoord[0].st).rgb * 0.5, color.a); }\n");
  DisplayTexture& plain = display("none");
  bench.setTrack(plain, "alpha", 0.4f);
  frame(plain, 15);
  EXPECT_PRED3(near, at(32, 32), (Rgba{200, 100, 50, 255}), 0) << "\"none\" is no shader: the texture as is";

  DisplayTexture& shaded = display("half");
  bench.setTrack(shaded, "alpha", 0.4f);
  frame(shaded, 15);
  EXPECT_PRED3(near, at(32, 32), (Rgba{100, 50, 25, 102}), 1);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

TEST_F(DisplayTextureTest, RandomPositionJittersWithinItsRadiusEveryFrame) {
  bench.addSolidTexture("plain", 255, 255, 255);
  DisplayTexture& effect = display("none");
  bench.setTrack(effect, "size.x", -0.9f);  // half width 0.1
  bench.setTrack(effect, "pos.x", 0.3f);
  bench.fill("target", 0, 0, 0);
  frame(effect, 15);
  EXPECT_NEAR(litCentre(32), 0.3f, 1.0f / 32.0f) << "no jitter at radius 0";

  bench.setTrack(effect, "rndpos.x", 0.5f);
  std::srand(7);
  std::set<float> centres;
  for (int i = 0; i < 30; ++i) {
    bench.fill("target", 0, 0, 0);
    frame(effect, 15);
    float centre = litCentre(32);
    EXPECT_LE(std::abs(centre), 0.5f + 1.0f / 32.0f) << "frame " << i;
    centres.insert(centre);
  }
  EXPECT_GT(centres.size(), 5u);
  EXPECT_GT(*centres.rbegin() - *centres.begin(), 0.4f);
}

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
