// Effects that draw a texture on a quad: the overlay (the top-left part of its texture over the
// whole target, blended or not) and DisplayTexture (a quad placed, jittered and scrolled by its
// tracks, plain or through a shader). Its place, size and turn the golden frames show.
#include <GL/glew.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/DisplayTexture.h"
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

}  // namespace
