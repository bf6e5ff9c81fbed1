// The glow on a real driver, with test shaders that write what they were given into the colour:
// the vertical pass gets its own target's height (the production's glow targets are square, so no
// frame tells width from height there), and the scene buffer is consumed, cleared with the current
// clear colour for the next frame. What the passes and the composite draw (the horizontal pass's
// width, the radius, the kernel, the opacity) and the radial blur's passes, the golden frames show.
#include <GL/glew.h>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/GlowEffect.h"
#include "tests/gl/EffectTestBench.h"

namespace {

using GlowEffectTest = EffectTest;

TEST_F(GlowEffectTest, TheVerticalPassGetsItsTargetsHeightAndTheSceneIsConsumed) {
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
