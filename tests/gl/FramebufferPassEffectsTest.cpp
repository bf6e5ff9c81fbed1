// Effects that run framebuffers through a shader over a full-screen quad: a missing resource, lens,
// Laplacian, distort and blend. Test shaders write the samplers and uniforms they were
// given into the colour, so the pixels prove names, values and texture orientation.
#include <GL/glew.h>

#include <string>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/BlendEffect.h"
#include "production/effects/DistortEffect.h"
#include "production/effects/LaplacianEffect.h"
#include "production/effects/LensEffect.h"
#include "production/effects/PixelateEffect.h"
#include "tests/gl/EffectTestBench.h"

namespace {

using FramebufferPassTest = EffectTest;

// What the production's frames show of these passes (uniform names, texture units, the tracks'
// values, orientation), the golden frames check; these tests keep what no frame shows: time-driven
// state, resets, the work buffer, a missing resource.
TEST_F(FramebufferPassTest, AnEffectMissingAResourceSaysSoOnceAndDrawsNothing) {
  bench.addFBO("scene", 32, 32);
  bench.fill("target", 0, 0, 1);
  testing::internal::CaptureStdout();
  PixelateEffect& effect =
      bench.create<PixelateEffect>("PixelateEffect", {{"pixelate", "nope"}, {"source", "scene"}});
  bench.drawFrame(effect, 0, 20, target);
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "Effect PixelateEffect_instance draws nothing, missing: shader \"nope\"\n");
  EXPECT_PRED3(near, at(16, 16), (Rgba{0, 0, 255, 255}), 0);
}

TEST_F(FramebufferPassTest, LensGetsItsTracksAndAScrollThatGrowsWithFrameTime) {
  bench.addShader(
      "lens",
      "uniform sampler2D tex;\nuniform float rasterScroll;\nuniform float depth;\n"
      "uniform float multiplier;\nuniform float divider;\nuniform float rasterSize2;\n"
      "void main() {\n"
      "  gl_FragColor = vec4(texture2D(tex, gl_TexCoord[0].st).r, depth * 0.1,\n"
      "                      multiplier * 0.1 + divider * 0.02, rasterSize2 * 0.5 + rasterScroll * 2.0);\n"
      "}\n");
  bench.addFBO("scene", 32, 32);
  bench.fill("scene", 0.8f, 0, 0);
  LensEffect& effect = bench.create<LensEffect>("LensEffect", {{"source_buffer", "scene"}});
  bench.setTrack(effect, "depth", 2.0f);
  bench.setTrack(effect, "multiplier", 3.0f);
  bench.setTrack(effect, "divider", 5.0f);

  // 400 ms of frame time scroll the raster by 400 / 10 x 0.0025 = 0.1, seen from the next frame on.
  bench.drawFrame(effect, 0, 400, target);
  EXPECT_PRED3(near, at(16, 16), (Rgba{204, 51, 102, 128}), 1);
  bench.drawFrame(effect, 400, 400, target);
  EXPECT_PRED3(near, at(16, 16), (Rgba{204, 51, 102, 179}), 1);
  bench.drawFrame(effect, 800, 400, target);
  EXPECT_PRED3(near, at(16, 16), (Rgba{204, 51, 102, 230}), 1);
  effect.reset();
  bench.drawFrame(effect, 1200, 0, target);
  EXPECT_PRED3(near, at(16, 16), (Rgba{204, 51, 102, 128}), 1);
}

TEST_F(FramebufferPassTest, LaplacianFindsEdgesIntoItsWorkBufferAndDilatesThemOntoTheWindow) {
  bench.addShader("laplacian",
                  "uniform sampler2D Texture;\nuniform float contrast;\nuniform vec3 color;\n"
                  "uniform float viewportStep;\n"
                  "void main() {\n"
                  "  gl_FragColor = vec4(texture2D(Texture, gl_TexCoord[0].st).r * contrast * 0.25,\n"
                  "                      color.r * 0.5 + color.g + color.b, viewportStep * 256.0, 1.0);\n"
                  "}\n");
  bench.addShader(
      "dilate",
      "uniform sampler2D Texture;\nuniform float viewportStep;\n"
      "void main() {\n"
      "  gl_FragColor = texture2D(Texture, gl_TexCoord[0].st) + vec4(0.0, 0.0, viewportStep * 256.0, 0.0);\n"
      "}\n");
  bench.addFBO("scene", 32, 32);
  FrameBufferObject* tmp = bench.addFBO("work", 32, 32);
  bench.fill("scene", 0.8f, 0, 0);
  LaplacianEffect& effect =
      bench.create<LaplacianEffect>("LaplacianEffect", {{"source_buffer", "scene"}, {"tmp_buffer", "work"}});

  // Straight to the window: releasing the work buffer restores the window's perspective view, so
  // the second quad must set its own matrices.
  bench.drawFrame(effect, 0, 20);
  EXPECT_PRED3(near, readFBO(*tmp, 16, 16), (Rgba{102, 128, 64, 255}), 1);
  EXPECT_TRUE(tmp->hasClearFlag());
  for (int x : {2, windowWidth / 2, windowWidth - 3}) {
    EXPECT_PRED3(near, readWindow(x, windowHeight / 2), (Rgba{102, 128, 128, 255}), 1) << "x = " << x;
  }
}

class DistortEffectTest : public FramebufferPassTest {
 protected:
  DistortEffect& distort() {
    bench.addTexture("stripes", 2, 1, {100, 0, 0, 255, 100, 0, 0, 255});
    bench.addSolidTexture("grain", 0, 200, 0);
    const char* const names[4] = {"offscreen", "offscreen2", "offscreen3", "offscreen4"};
    const float colours[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    for (int i = 0; i < 4; ++i) {
      bench.addFBO(names[i], 32, 32);
      bench.fill(names[i], colours[i][0], colours[i][1], colours[i][2]);
    }
    return bench.create<DistortEffect>("DistortEffect",
                                       {{"hstripes", "stripes"}, {"noise", "grain"}, {"distort", "dist"}});
  }
};

TEST_F(DistortEffectTest, TheSourceTrackPicksTheFramebufferOnlyStrictlyInsideEachBand) {
  bench.addShader("dist",
                  "uniform sampler2D Texture0;\n"
                  "void main() { gl_FragColor = texture2D(Texture0, gl_TexCoord[0].st); }\n");
  DistortEffect& effect = distort();
  const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, white{255, 255, 255, 255};
  const std::pair<float, Rgba> cases[] = {{0.0f, red},   {1.0f, red}, {1.5f, red},  {1.6f, green},
                                          {2.0f, green}, {2.5f, red}, {3.0f, blue}, {4.0f, white},
                                          {4.5f, red},   {5.0f, red}, {-2.0f, red}};
  for (const auto& c : cases) {
    bench.setTrack(effect, "source", c.first);
    bench.fill("target", 0, 0, 0);
    bench.drawFrame(effect, 0, 20, target);
    EXPECT_PRED3(near, at(16, 16), c.second, 0) << "source = " << c.first;
  }
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(FramebufferPassTest, BlendLaysItsSourceOverTheTargetWithItsOpacity) {
  bench.addShader("blend",
                  "uniform sampler2D source;\nuniform float opacity;\n"
                  "void main() {\n"
                  "  vec4 c = texture2D(source, gl_TexCoord[0].st);\n"
                  "  gl_FragColor = vec4(c.rgb, c.a * opacity);\n"
                  "}\n");
  bench.addFBO("layer", 32, 32);
  bench.fill("layer", 0, 0, 1);
  bench.fill("target", 1, 0, 0);
  BlendEffect& effect = bench.create<BlendEffect>(
      "BlendEffect", {{"opacity", "0.25"}, {"shader", "blend"}, {"source", "layer"}});
  bench.drawFrame(effect, 0, 20, target);
  // Alpha blends too: 0.25 x 0.25 + 0.75 x 1.
  EXPECT_PRED3(near, at(16, 16), (Rgba{191, 0, 64, 207}), 1);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  // A reset returns to the script's opacity, not to full cover.
  effect.reset();
  EXPECT_FLOAT_EQ(effect.getOpacity(), 0.25f);
}

}  // namespace
