// Effects that run framebuffers through a shader over a full-screen quad; the test shaders write
// the uniforms they were given into the colour.
#include <GL/glew.h>

#include <string>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/DistortEffect.h"
#include "production/effects/GlowEffect.h"
#include "production/effects/LaplacianEffect.h"
#include "production/effects/LensEffect.h"
#include "production/effects/PixelateEffect.h"
#include "tests/gl/EffectTestBench.h"

namespace {

using FramebufferPassTest = EffectTest;

// What the production's frames show of these passes (uniform names, texture units, the tracks'
// values, orientation, the blend's opacity), the golden frames check; these tests keep what no frame
// shows: time-driven state, the work buffer, sources the production never picks, a missing resource.
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

TEST_F(FramebufferPassTest, LensScrollGrowsWithFrameTimeFromTheNextFrameOnAndResets) {
  bench.addShader("lens", "uniform float rasterScroll;\n"
                          "void main() { gl_FragColor = vec4(0.0, 0.0, 0.0, 0.5 + rasterScroll * 2.0); }\n");
  bench.addFBO("scene", 32, 32);
  LensEffect& effect = bench.create<LensEffect>("LensEffect", {{"source_buffer", "scene"}});
  testing::internal::CaptureStdout();  // the test shader lacks the uniforms the frames check
  // 400 ms of frame time scroll the raster by 400 / 10 x 0.0025 = 0.1, seen from the next frame on.
  const int alphas[] = {128, 179, 230};
  for (unsigned frame = 0; frame < 3; ++frame) {
    bench.drawFrame(effect, 400 * frame, 400, target);
    EXPECT_NEAR(at(16, 16).a, alphas[frame], 1) << "frame " << frame;
  }
  effect.reset();
  bench.drawFrame(effect, 1200, 0, target);
  testing::internal::GetCapturedStdout();
  EXPECT_NEAR(at(16, 16).a, 128, 1);
}

// What the passes compute the golden frame with edges shows; here the work buffer is left flagged
// for clearing, and straight to the window the second quad still covers it: releasing the work
// buffer restores the window's perspective view, so that quad must set its own matrices.
TEST_F(FramebufferPassTest, LaplacianFlagsItsWorkBufferAndDilatesItOverTheWholeWindow) {
  bench.addShader("laplacian", "void main() { gl_FragColor = vec4(0.4, 0.5, 0.25, 1.0); }\n");
  bench.addShader("dilate",
                  "uniform sampler2D Texture;\nvoid main() { gl_FragColor = texture2D(Texture, gl_TexCoord[0].st); }\n");
  bench.addFBO("scene", 32, 32);
  FrameBufferObject* tmp = bench.addFBO("work", 32, 32);
  LaplacianEffect& effect =
      bench.create<LaplacianEffect>("LaplacianEffect", {{"source_buffer", "scene"}, {"tmp_buffer", "work"}});
  testing::internal::CaptureStdout();  // the test shaders lack the uniforms the effect sets
  bench.drawFrame(effect, 0, 20);
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(tmp->hasClearFlag());
  for (int x : {2, windowWidth / 2, windowWidth - 3}) {
    EXPECT_PRED3(near, readWindow(x, windowHeight / 2), (Rgba{102, 128, 64, 255}), 1) << "x = " << x;
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

// The vertical pass gets its own target's height (the production's glow targets are square, so no
// frame tells width from height there), and the scene buffer is consumed, cleared with the current
// clear colour for the next frame. What the passes and the composite draw (the horizontal pass's
// width, the radius, the kernel, the opacity) and the radial blur's passes, the golden frames show.
TEST_F(FramebufferPassTest, GlowsVerticalPassGetsItsTargetsHeightAndTheSceneIsConsumed) {
  bench.addSolidTexture("kernel9", 28, 28, 28);
  const char* const probe =
      "uniform float texture_size;\nvoid main() { gl_FragColor = vec4(texture_size / 255.0, 0.0, 0.0, 1.0); }\n";
  for (const char* name : {"bx", "by"}) bench.addShader(name, probe);
  bench.addShader("screen", "void main() { gl_FragColor = vec4(1.0); }\n");
  bench.addFBO("scene", 16, 16);
  bench.addFBO("wx", 100, 50);
  FrameBufferObject* wy = bench.addFBO("wy", 30, 60);
  bench.fill("scene", 1, 1, 1);
  GlowEffect& effect = bench.create<GlowEffect>(
      "GlowEffect", {{"blurx_shader", "bx"}, {"blury_shader", "by"}, {"screen_shader", "screen"}, {"source_fbo", "scene"},
                     {"blurx_fbo", "wx"}, {"blury_fbo", "wy"}, {"blur_kernel", "kernel9"}});
  testing::internal::CaptureStdout();  // the test shaders lack most uniforms the glow sets
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  bench.drawFrame(effect, 0, 20, target);
  glClearColor(0, 0, 0, 1);
  testing::internal::GetCapturedStdout();
  EXPECT_PRED3(near, readFBO(*wy, 15, 30), (Rgba{60, 0, 0, 255}), 1) << "the height of the y target";
  EXPECT_PRED3(near, readFBO(*bench.fbo("scene"), 8, 8), (Rgba{51, 102, 153, 255}), 1);
  EXPECT_PRED3(near, at(16, 16), (Rgba{255, 255, 255, 255}), 0) << "the composite reaches the target";
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

}  // namespace
