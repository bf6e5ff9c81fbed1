// The production's shader programs and its shader cache: every pair loads, compiles and links; the
// blur and pixelation at settings the golden frames do not show; and the cache's placements no
// golden frame tells apart (a fault planted in any other showed in a frame of the arena).
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Shader.h"
#include "demosys/render/ShaderLoader.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/scene/QNVObject.h"
#include "demosys/scene/QNVScene.h"
#include "production/TarnveldShaderCache.h"
#include "production/effects/FullScreenQuad.h"
#include "tests/gl/EffectTestBench.h"
#include "tests/gl/GLTestFixture.h"
#include "tests/gl/SceneEffectStage.h"
#include "tests/support/SceneSamples.h"

namespace {

const std::string shaderDir = DEMOSYS_SOURCE_DIR "/resources/shaders/";

// Base names of the pairs in the shader directory, sorted.
std::vector<std::string> programNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(shaderDir)) {
    if (entry.path().extension() == ".vert") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Texels as RGBA bytes, rows bottom-up as GL stores them.
std::vector<uint8_t> pixels(int width, int height, Rgba (*colourAt)(int x, int y)) {
  std::vector<uint8_t> data;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgba c = colourAt(x, y);
      data.insert(data.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                               static_cast<uint8_t>(c.b), static_cast<uint8_t>(c.a)});
    }
  }
  return data;
}

std::unique_ptr<Texture> texture(int width, int height, Rgba (*colourAt)(int x, int y)) {
  std::vector<uint8_t> data = pixels(width, height, colourAt);
  auto t = std::make_unique<Texture>(width, height, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, data.data());
  t->setInterpolation(GL_NEAREST);
  return t;
}

class TarnveldShadersTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  }
  // Shader::release leaves the fixed-function enables of units 1 and 2 on.
  void TearDown() override {
    for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE2, GL_TEXTURE0}) {
      glActiveTexture(unit);
      glDisable(GL_TEXTURE_2D);
    }
    GLTestFixture::TearDown();
  }

  // Loads name.vert/name.frag as the demo's shader stage does; null (and a failure) if it fails.
  static std::unique_ptr<Shader> load(const std::string& name) {
    std::string errorMessage;
    bool valid = true, verbose = false;
    ShaderLoader loader(errorMessage, valid, verbose);
    auto shader = std::make_unique<Shader>();
    if (loader.loadShader(shader.get(), name, shaderDir, {name})) return shader;
    ADD_FAILURE() << name << ": " << errorMessage;
    return nullptr;
  }

  // One pass of the program over the effects' full-screen quad into target, its uniforms set by set.
  static void pass(Shader& shader, FrameBufferObject& target, const std::function<void(Shader&)>& set) {
    target.bind();
    shader.use();
    set(shader);
    FullScreenQuad::draw();
    shader.release();
    target.release();
  }

  // One row (or column) of a target's pixels.
  static std::vector<Rgba> line(FrameBufferObject& target, bool alongX, int at) {
    std::vector<Rgba> out;
    int length = alongX ? target.getWidth() : target.getHeight();
    for (int i = 0; i < length; ++i) out.push_back(alongX ? readFBO(target, i, at) : readFBO(target, at, i));
    return out;
  }

  // Lengths of the runs of equal colour along a line.
  static std::vector<int> runs(const std::vector<Rgba>& pixels) {
    std::vector<int> lengths;
    for (size_t i = 0; i < pixels.size(); ++i) {
      if (i == 0 || !near(pixels[i], pixels[i - 1], 0)) lengths.push_back(0);
      ++lengths.back();
    }
    return lengths;
  }
};

TEST_F(TarnveldShadersTest, EveryProgramLoadsWithItsIncludes) {
  for (const std::string& name : programNames()) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(std::filesystem::exists(shaderDir + name + ".frag"));
    std::unique_ptr<Shader> shader = load(name);
    if (!shader) continue;
    EXPECT_TRUE(shader->isValid());
    EXPECT_EQ(shader->getVertexSource().find("#include"), std::string::npos);
    EXPECT_EQ(shader->getFragmentSource().find("#include"), std::string::npos);
  }
}

// A Gaussian profile over [-1, 1] at half brightness: the blur must not depend on its scale.
Rgba halfBrightKernel(int x, int) {
  float u = (static_cast<float>(x) + 0.5f) / 64.0f * 2.0f - 1.0f;
  int grey = static_cast<int>(std::lround(128.0 * std::exp(-u * u / (2.0 * 0.4 * 0.4))));
  return {grey, grey, grey, 255};
}
Rgba verticalWhiteLine(int x, int) { return x == 32 ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 255}; }
Rgba horizontalWhiteLine(int, int y) { return y == 32 ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 255}; }

int sum(const std::vector<Rgba>& row) {
  int total = 0;
  for (const Rgba& c : row) total += c.r;
  return total;
}

// Radius 4 spreads a line over the nine taps next to each other, 8 two texels apart, 0 not at all;
// the weights are normalised by their sum.
TEST_F(TarnveldShadersTest, BlurSpreadsALineOverItsRadiusInBothDirectionsKeepingItsBrightness) {
  const std::vector<uint8_t> weights = pixels(64, 1, halfBrightKernel);
  Texture kernel(64, 1, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, weights.data());  // sampled linearly
  const struct {
    const char* name;
    bool alongX;
    Rgba (*source)(int, int);
    float radius;
  } passes[] = {{"blurx", true, verticalWhiteLine, 4.0f}, {"blury", false, horizontalWhiteLine, 4.0f},
                {"blurx", true, verticalWhiteLine, 8.0f}, {"blurx", true, verticalWhiteLine, 0.0f}};
  for (const auto& p : passes) {
    SCOPED_TRACE(testing::Message() << p.name << " radius " << p.radius);
    std::unique_ptr<Shader> shader = load(p.name);
    ASSERT_TRUE(shader);
    auto picture = texture(p.alongX ? 64 : 8, p.alongX ? 8 : 64, p.source);
    FrameBufferObject target(picture->getWidth(), picture->getHeight(), false, false);
    pass(*shader, target, [&](Shader& s) {
      s.setTextureUnit0("source", picture.get());
      s.setTextureUnit1("kernel", &kernel);
      s.setUniform1f("blur_radius", p.radius);
      s.setUniform1f("texture_size", 64.0f);
    });
    const std::vector<Rgba> row = line(target, p.alongX, 4);
    const int step = p.radius >= 8.0f ? 2 : 1;
    for (int i = 0; i < 64; ++i) {
      const int offset = std::abs(i - 32);
      const bool tap = offset <= static_cast<int>(p.radius) && offset % step == 0;
      EXPECT_EQ(row[i].r > 0, tap) << "pixel " << i;
    }
    for (int k = step; k <= static_cast<int>(p.radius); k += step) {
      EXPECT_NEAR(row[32 - k].r, row[32 + k].r, 1) << "offset " << k;
      EXPECT_LT(row[32 + k].r, row[32 + k - step].r) << "offset " << k;
    }
    EXPECT_NEAR(sum(row), 255, 5);
  }
}

Rgba gradient(int x, int y) { return {x * 4, y * 4, 128, 255}; }

TEST_F(TarnveldShadersTest, PixelateShowsNumPixelsEqualSquareBlocksAcross) {
  std::unique_ptr<Shader> shader = load("pixelate");
  ASSERT_TRUE(shader);
  auto source = texture(64, 64, gradient);
  FrameBufferObject target(320, 180, false, false);
  auto render = [&](float numPixels) {
    pass(*shader, target, [&](Shader& s) {
      s.setTextureUnit0("tex", source.get());
      s.setUniform1f("num_pixels", numPixels);
    });
  };
  // 16 blocks across a 16:9 picture are 9 blocks down: 20 x 20 pixels each here.
  render(16.0f);
  EXPECT_EQ(runs(line(target, true, 90)), std::vector<int>(16, 20));
  EXPECT_EQ(runs(line(target, false, 160)), std::vector<int>(9, 20));
  // Each block shows the source at its centre: block (8, 4) the texel at (8.5 / 16, 4.5 / 9).
  EXPECT_PRED3(near, readFBO(target, 165, 85), gradient(34, 32), 0);
  render(0.0f);
  EXPECT_EQ(runs(line(target, true, 90)).size(), 64u) << "below one block the image passes through";
}

struct Part {
  const char* name;
  const char* parent;  // "" for a root
};

// One cube per part.
SceneDescription fixture(const std::vector<Part>& parts) {
  SceneDescription scene;
  scene.meshes.push_back(sampleCube(1, "cube"));
  for (size_t i = 0; i < parts.size(); ++i) {
    int parent = -1;
    for (size_t k = 0; k < i; ++k) parent = std::string(parts[k].name) == parts[i].parent ? 10 + static_cast<int>(k) : parent;
    scene.nodes.push_back(sampleNode(10 + static_cast<int>(i), SCENE_NODE_MESH, parent, 1, parts[i].name, Vector3f()));
  }
  return scene;
}

using TarnveldShaderCacheTest = GLTestFixture;

TEST_F(TarnveldShaderCacheTest, InstancesNoFrameTellsApartSitOnTheirObjects) {
  EffectTestBench bench;
  SceneEffectStage stage(bench);
  for (const char* key : {"light_directional", "light_directional_fog", "texture", "light_textured_directional", "crowd",
                          "color", "color_pattern", "volmeter", "texturetrans", "texturecolor", "scale_y", "screen"}) {
    bench.addShader(key, "void main() { gl_FragColor = vec4(1.0); }");
  }
  Texture* sprite = bench.addSolidTexture("sprite", 9, 9, 9);
  QNVScene* arena = stage.addScene("arena", fixture({{"TankBody2", ""},
                                                     {"Ballong", ""}, {"Fins", "Ballong"}}));
  QNVScene* master = stage.addScene("master_droid", fixture({{"GlowingParts", ""}}));
  ASSERT_TRUE(arena != nullptr && master != nullptr);
  TarnveldShaderCache cache;
  cache.init();
  const struct {
    QNVScene* scene;
    const char* object;
    const char* instance;
  } placed[] = {{arena, "TankBody2", "light_texture_shader_instance"}, {master, "GlowingParts", "red_glow_instance"}};
  for (const auto& p : placed) {
    ShaderInstance* instance = cache.getShaderInstance(p.instance);
    EXPECT_NE(instance, nullptr) << p.instance;
    EXPECT_EQ(p.scene->getObjectByName(p.object)->getShaderInstance(), instance) << p.object << " wants " << p.instance;
  }
  EXPECT_FALSE(arena->getObjectByName("Ballong")->isVisible());
  EXPECT_FALSE(arena->getObjectByName("Fins")->isVisible()) << "the balloon is hidden with its parts";
  GLint wrap = 0;
  sprite->bind();
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
  sprite->release();
  EXPECT_EQ(wrap, GL_REPEAT);
}

// A shader the pool lacks leaves its instance out and the objects with what they had.
TEST_F(TarnveldShaderCacheTest, MissingShadersLeaveInstancesOut) {
  EffectTestBench bench;
  SceneEffectStage stage(bench);
  QNVScene* master = stage.addScene("master_droid", fixture({{"GlowingParts", ""}}));
  ASSERT_NE(master, nullptr);
  TarnveldShaderCache cache;
  cache.init();
  EXPECT_EQ(cache.getShaderInstance("red_glow_instance"), nullptr);
  EXPECT_EQ(master->getObjectByName("GlowingParts")->getShaderInstance(), nullptr);
}

}  // namespace
