// The blur effects on a real driver, with test shaders that write what they were given into the
// colour: the glow's two separable passes, its composite and the consumed source; the radial
// blur's fixed pass count, falling blend weight and growing zoom.
#include <GL/glew.h>

#include <string>

#include "demosys/render/FrameBufferObject.h"
#include "production/effects/GlowEffect.h"
#include "production/effects/RadialBlurEffect.h"
#include "tests/gl/EffectTestBench.h"

namespace {

// A nine-tap blur along dir, each tap weighted by the kernel texture's red.
std::string blurShader(const std::string& dir) {
  return "uniform sampler2D source;\nuniform sampler2D kernel;\n"
         "uniform float blur_radius;\nuniform float texture_size;\n"
         "void main() {\n"
         "  vec4 sum = vec4(0.0);\n"
         "  for (int i = -4; i <= 4; ++i) {\n"
         "    float w = texture2D(kernel, vec2((float(i) + 4.5) / 9.0, 0.5)).r;\n"
         "    vec2 step = " +
         dir +
         " * float(i) * (blur_radius / 4.0) / texture_size;\n"
         "    sum += w * texture2D(source, gl_TexCoord[0].st + step);\n"
         "  }\n"
         "  gl_FragColor = sum;\n"
         "}\n";
}

class GlowEffectTest : public EffectTest {
 protected:
  void addKernel() {
    std::vector<uint8_t> weights;
    for (int i = 0; i < 9; ++i) weights.insert(weights.end(), {28, 28, 28, 255});
    bench.addTexture("kernel9", 9, 1, weights);
  }

  GlowEffect& glow() {
    return bench.create<GlowEffect>("GlowEffect", {{"blurx_shader", "bx"},
                                                   {"blury_shader", "by"},
                                                   {"screen_shader", "screen"},
                                                   {"source_fbo", "scene"},
                                                   {"blurx_fbo", "wx"},
                                                   {"blury_fbo", "wy"},
                                                   {"blur_kernel", "kernel9"}});
  }
};

TEST_F(GlowEffectTest, CompositeShowsTheBlurBesideTheSceneAndTheSceneIsConsumed) {
  addKernel();
  bench.addShader("bx", blurShader("vec2(1.0, 0.0)"));
  bench.addShader("by", blurShader("vec2(0.0, 1.0)"));
  bench.addShader(
      "screen",
      "uniform sampler2D destination;\nuniform sampler2D source;\nuniform float opacity;\n"
      "void main() {\n"
      "  vec2 uv = gl_TexCoord[0].st;\n"
      "  gl_FragColor = vec4(texture2D(destination, uv).r, texture2D(source, uv).r, opacity, 1.0);\n"
      "}\n");
  for (const char* name : {"scene", "wx", "wy"}) bench.addFBO(name, 64, 64);
  FrameBufferObject* screen = bench.addFBO("screen", 64, 64);
  bench.paint("scene", 32, 0, 33, 64, 1, 1, 1);
  GlowEffect& effect = glow();

  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  bench.drawFrame(effect, 0, 20, screen);

  // One bright column: the horizontal pass spreads it over four texels each side at the kernel's
  // weight, the vertical pass keeps a column's level, the composite puts scene and blur side by side.
  EXPECT_PRED3(near, readFBO(*screen, 32, 10), (Rgba{255, 28, 128, 255}), 2);
  EXPECT_PRED3(near, readFBO(*screen, 29, 40), (Rgba{0, 28, 128, 255}), 2);
  EXPECT_PRED3(near, readFBO(*screen, 36, 40), (Rgba{0, 28, 128, 255}), 2);
  EXPECT_PRED3(near, readFBO(*screen, 27, 40), (Rgba{0, 0, 128, 255}), 1);
  EXPECT_PRED3(near, readFBO(*screen, 40, 40), (Rgba{0, 0, 128, 255}), 1);
  for (int x : {0, 32, 63}) {
    EXPECT_PRED3(near, readFBO(*bench.fbo("scene"), x, 32), (Rgba{51, 102, 153, 255}), 1)
        << "the scene buffer is cleared with the current clear colour, x = " << x;
  }
  glClearColor(0, 0, 0, 1);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(GlowEffectTest, EachBlurPassGetsItsTargetsSizeAlongItsAxisAndTheRadius) {
  addKernel();
  const std::string probe =
      "uniform sampler2D source;\nuniform sampler2D kernel;\n"
      "uniform float blur_radius;\nuniform float texture_size;\n"
      "void main() {\n"
      "  float k = texture2D(kernel, vec2(0.5)).r + texture2D(source, vec2(0.5)).r;\n"
      "  gl_FragColor = vec4(texture_size / 255.0, blur_radius * 10.0 / 255.0, k, 1.0);\n"
      "}\n";
  bench.addShader("bx", probe);
  bench.addShader("by", probe);
  bench.addShader("screen", "void main() { gl_FragColor = vec4(1.0); }\n");
  bench.addFBO("scene", 64, 64);
  FrameBufferObject* wx = bench.addFBO("wx", 100, 50);
  FrameBufferObject* wy = bench.addFBO("wy", 30, 60);
  GlowEffect& effect = glow();
  bench.drawFrame(effect, 0, 20, bench.addFBO("screen", 16, 16));
  // Blue: the kernel's 28 plus the source's red (the empty scene, then the x pass's red of 100).
  EXPECT_PRED3(near, readFBO(*wx, 50, 25), (Rgba{100, 40, 28, 255}), 1) << "width of the x target";
  EXPECT_PRED3(near, readFBO(*wy, 15, 30), (Rgba{60, 40, 128, 255}), 1) << "height of the y target";
}

class RadialBlurEffectTest : public EffectTest {
 protected:
  // Writes the sampled red, the blend weight and half the zoom; opaque, so each pass replaces.
  void SetUp() override {
    EffectTest::SetUp();
    bench.addShader(
        "zoom",
        "uniform sampler2D Texture;\nuniform float alpha;\nuniform float zoom_factor;\n"
        "void main() {\n"
        "  gl_FragColor = vec4(texture2D(Texture, gl_TexCoord[0].st).r, alpha, zoom_factor / 2.0, 1.0);\n"
        "}\n");
    for (const char* name : {"off", "bx", "by"}) bench.addFBO(name, 32, 32);
    bench.fill("off", 0.6f, 0.0f, 0.0f);
  }

  RadialBlurEffect& blur() {
    return bench.create<RadialBlurEffect>(
        "RadialBlurEffect", {{"zoom_blend", "zoom"}, {"offscreen", "off"}, {"blurx", "bx"}, {"blury", "by"}});
  }
};

// Always 15 passes (the last at zoom 1 + 14 x 0.0666667, halved: 0.967 -> 246); the weight falls
// by 1 / num_passes per pass: 1 - 14/30 = 0.533 (136). A second frame starts again from zoom 1 and
// full weight.
TEST_F(RadialBlurEffectTest, NumPassesOnlySetsHowFastTheWeightFallsAndEachFrameStartsAfresh) {
  RadialBlurEffect& effect = blur();
  bench.setTrack(effect, "num_passes", 30.0f);
  for (unsigned time : {0u, 20u}) {
    bench.drawFrame(effect, time, 20, target);
    EXPECT_PRED3(near, at(16, 16), (Rgba{153, 136, 246, 255}), 1) << "frame at " << time;
  }
  EXPECT_TRUE(bench.fbo("bx")->hasClearFlag());
  EXPECT_TRUE(bench.fbo("by")->hasClearFlag());
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

}  // namespace
