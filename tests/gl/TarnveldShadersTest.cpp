// The production's shader programs on a real driver: every pair in the shader directory loads
// through the engine's loader (includes expanded), compiles and links; each program an effect
// drives exposes every sampler and uniform that effect sets, with the type it sets; and the
// passes whose results the effects rely on (separable blur, glow composite, pixelation,
// cross-fade, lens, edge detection and dilation) produce them in the pixels.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/NdcMatrices.h"
#include "demosys/render/Shader.h"
#include "demosys/render/ShaderLoader.h"
#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "tests/gl/GLTestFixture.h"

namespace {

const std::string shaderDir = DEMOSYS_SOURCE_DIR "/resources/shaders/";

struct UniformSpec {
  std::string name;
  GLenum type;
};

// What the effects set on each program, by pool name.
const std::map<std::string, std::vector<UniformSpec>>& effectContract() {
  static const std::map<std::string, std::vector<UniformSpec>> contract = {
      {"blurx",
       {{"source", GL_SAMPLER_2D},
        {"kernel", GL_SAMPLER_2D},
        {"blur_radius", GL_FLOAT},
        {"texture_size", GL_FLOAT}}},
      {"blury",
       {{"source", GL_SAMPLER_2D},
        {"kernel", GL_SAMPLER_2D},
        {"blur_radius", GL_FLOAT},
        {"texture_size", GL_FLOAT}}},
      {"glow_screen", {{"destination", GL_SAMPLER_2D}, {"source", GL_SAMPLER_2D}, {"opacity", GL_FLOAT}}},
      {"zoom_blend", {{"Texture", GL_SAMPLER_2D}, {"zoom_factor", GL_FLOAT}, {"alpha", GL_FLOAT}}},
      {"pixelate", {{"tex", GL_SAMPLER_2D}, {"num_pixels", GL_FLOAT}}},
      {"lens",
       {{"tex", GL_SAMPLER_2D},
        {"rasterScroll", GL_FLOAT},
        {"depth", GL_FLOAT},
        {"multiplier", GL_FLOAT},
        {"divider", GL_FLOAT},
        {"rasterSize2", GL_FLOAT}}},
      {"laplacian",
       {{"Texture", GL_SAMPLER_2D},
        {"contrast", GL_FLOAT},
        {"color", GL_FLOAT_VEC3},
        {"viewportStep", GL_FLOAT}}},
      {"dilate", {{"Texture", GL_SAMPLER_2D}, {"viewportStep", GL_FLOAT}}},
      {"distort",
       {{"Texture0", GL_SAMPLER_2D},
        {"Texture1", GL_SAMPLER_2D},
        {"Texture2", GL_SAMPLER_2D},
        {"Brightness", GL_FLOAT},
        {"Contrast", GL_FLOAT},
        {"NoiseFrame", GL_FLOAT},
        {"NoiseSpeed", GL_FLOAT},
        {"NoiseRamp", GL_FLOAT},
        {"hNoiseFrame", GL_FLOAT},
        {"hNoiseSpeed", GL_FLOAT}}},
      {"crossfade",
       {{"buffer1", GL_SAMPLER_2D},
        {"buffer2", GL_SAMPLER_2D},
        {"buffer1_factor", GL_FLOAT},
        {"buffer2_factor", GL_FLOAT}}},
      {"overlay", {{"texture", GL_SAMPLER_2D}, {"color", GL_FLOAT_VEC4}}},
      {"textured", {{"texture", GL_SAMPLER_2D}, {"color", GL_FLOAT_VEC4}}},
      {"tinted", {{"texture", GL_SAMPLER_2D}, {"color", GL_FLOAT_VEC4}}},
      {"blend", {{"source", GL_SAMPLER_2D}, {"opacity", GL_FLOAT}}},
  };
  return contract;
}

// Base names of the pairs in the shader directory, sorted.
std::vector<std::string> programNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(shaderDir)) {
    if (entry.path().extension() == ".vert") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The type of an active uniform, or 0 when the program has none of that name.
GLenum activeUniformType(GLuint program, const std::string& name) {
  GLint count = 0;
  glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
  for (GLint i = 0; i < count; ++i) {
    char buffer[256];
    GLint size = 0;
    GLenum type = 0;
    glGetActiveUniform(program, static_cast<GLuint>(i), sizeof buffer, nullptr, &size, &type, buffer);
    if (name == buffer) return type;
  }
  return 0;
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
    bool valid = true;
    bool verbose = false;
    ShaderLoader loader(errorMessage, valid, verbose);
    auto shader = std::make_unique<Shader>();
    if (!loader.loadShader(shader.get(), name, shaderDir, {name})) {
      ADD_FAILURE() << name << ": " << errorMessage;
      return nullptr;
    }
    return shader;
  }

  // The effects' full-screen quad: NDC corners, texture coordinates spanning the unit square.
  static void fullScreenQuad() {
    NdcMatrices::push();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glEnd();
    NdcMatrices::pop();
  }

  static void clearTarget(FrameBufferObject& target, float r, float g, float b) {
    target.bind();
    glClearColor(r, g, b, 1);
    glClear(GL_COLOR_BUFFER_BIT);
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
      if (i == 0 || !near(pixels[i], pixels[i - 1], 0)) {
        lengths.push_back(1);
      } else {
        ++lengths.back();
      }
    }
    return lengths;
  }
};

TEST_F(TarnveldShadersTest, EveryProgramInTheDirectoryLoadsWithItsIncludesAndLinks) {
  std::vector<std::string> names = programNames();
  for (const auto& entry : effectContract()) {
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), entry.first))
        << entry.first << ".vert missing";
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(std::filesystem::exists(shaderDir + name + ".frag"));
    std::unique_ptr<Shader> shader = load(name);
    if (!shader) continue;
    EXPECT_TRUE(shader->isValid());
    EXPECT_EQ(shader->getVertexSource().find("#include"), std::string::npos);
    EXPECT_EQ(shader->getFragmentSource().find("#include"), std::string::npos);
  }
}

TEST_F(TarnveldShadersTest, EffectProgramsExposeEverySamplerAndUniformTheirEffectsSet) {
  for (const auto& [name, uniforms] : effectContract()) {
    std::unique_ptr<Shader> shader = load(name);
    if (!shader) continue;
    GLuint program = shader->getProgramHandle();
    for (const UniformSpec& uniform : uniforms) {
      EXPECT_GE(glGetUniformLocation(program, uniform.name.c_str()), 0) << name << ": " << uniform.name;
      EXPECT_EQ(activeUniformType(program, uniform.name), uniform.type) << name << ": " << uniform.name;
    }
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

class TarnveldBlurTest : public TarnveldShadersTest {
 protected:
  // The line through a 64-texel source after one blur pass at the given radius.
  std::vector<Rgba> blurred(const std::string& name, bool alongX, Rgba (*source)(int, int), float radius) {
    std::unique_ptr<Shader> shader = load(name);
    if (!shader) return {};
    auto picture = texture(alongX ? 64 : 8, alongX ? 8 : 64, source);
    FrameBufferObject target(picture->getWidth(), picture->getHeight(), false, false);
    target.bind();
    shader->use();
    shader->setTextureUnit0("source", picture.get());
    shader->setTextureUnit1("kernel", kernel.get());
    shader->setUniform1f("blur_radius", radius);
    shader->setUniform1f("texture_size", 64.0f);
    fullScreenQuad();
    shader->release();
    target.release();
    return line(target, alongX, 4);
  }

  static int sum(const std::vector<Rgba>& row) {
    int total = 0;
    for (const Rgba& c : row) total += c.r;
    return total;
  }

  // Made once the window (and GL) exists.
  void SetUp() override {
    TarnveldShadersTest::SetUp();
    kernel = std::make_unique<Texture>(64, 1, GL_TEXTURE_2D, GL_RGBA, GL_RGBA,
                                       pixels(64, 1, halfBrightKernel).data());
  }
  void TearDown() override {
    kernel.reset();
    TarnveldShadersTest::TearDown();
  }

  std::unique_ptr<Texture> kernel;
};

TEST_F(TarnveldBlurTest, BothDirectionsSpreadALineOverTheRadiusKeepingItsBrightness) {
  struct Pass {
    const char* name;
    bool alongX;
    Rgba (*source)(int, int);
  };
  for (const Pass& pass :
       {Pass{"blurx", true, verticalWhiteLine}, Pass{"blury", false, horizontalWhiteLine}}) {
    SCOPED_TRACE(pass.name);
    std::vector<Rgba> row = blurred(pass.name, pass.alongX, pass.source, 4.0f);
    ASSERT_EQ(row.size(), 64u);
    for (int i = 0; i < 64; ++i) {
      if (std::abs(i - 32) > 4) {
        EXPECT_EQ(row[i].r, 0) << "pixel " << i << " lies beyond the radius";
      }
    }
    for (int k = 1; k <= 4; ++k) {
      EXPECT_NEAR(row[32 - k].r, row[32 + k].r, 1) << "offset " << k;
      EXPECT_LT(row[32 + k].r, row[32 + k - 1].r) << "offset " << k;
      EXPECT_GT(row[32 + k].r, 0) << "offset " << k;
    }
    EXPECT_NEAR(sum(row), 255, 5) << "the weights are normalised by their sum";
  }
}

TEST_F(TarnveldBlurTest, OtherRadiiSpreadTheSameTapsWiderOrLeaveThePictureAlone) {
  // Twice the radius: the nine taps two texels apart.
  std::vector<Rgba> wide = blurred("blurx", true, verticalWhiteLine, 8.0f);
  ASSERT_EQ(wide.size(), 64u);
  for (int i = 0; i < 64; ++i) {
    bool tap = std::abs(i - 32) <= 8 && (i - 32) % 2 == 0;
    EXPECT_EQ(wide[i].r > 0, tap) << "pixel " << i;
  }
  EXPECT_NEAR(sum(wide), 255, 5);

  std::vector<Rgba> none = blurred("blurx", true, verticalWhiteLine, 0.0f);
  ASSERT_EQ(none.size(), 64u);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(none[i].r, verticalWhiteLine(i, 0).r) << "pixel " << i;
}

Rgba gradient(int x, int y) { return {x * 4, y * 4, 128, 255}; }

TEST_F(TarnveldShadersTest, PixelateShowsNumPixelsEqualSquareBlocksAcross) {
  std::unique_ptr<Shader> shader = load("pixelate");
  ASSERT_TRUE(shader);
  auto source = texture(64, 64, gradient);
  FrameBufferObject target(320, 180, false, false);
  auto render = [&](float numPixels) {
    target.bind();
    shader->use();
    shader->setTextureUnit0("tex", source.get());
    shader->setUniform1f("num_pixels", numPixels);
    fullScreenQuad();
    shader->release();
    target.release();
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

TEST_F(TarnveldShadersTest, CrossfadeWeighsTwoTargetsByTheirFactors) {
  std::unique_ptr<Shader> shader = load("crossfade");
  ASSERT_TRUE(shader);
  FrameBufferObject first(32, 32, false, false);
  FrameBufferObject second(32, 32, false, false);
  clearTarget(first, 200 / 255.0f, 40 / 255.0f, 0.0f);
  clearTarget(second, 0.0f, 80 / 255.0f, 240 / 255.0f);
  auto mix = [&](float f1, float f2) {
    clearScreen();
    shader->use();
    shader->setUniform1f("buffer1_factor", f1);
    shader->setUniform1f("buffer2_factor", f2);
    shader->setTextureUnit0("buffer1", first.getColorBuffer());
    shader->setTextureUnit1("buffer2", second.getColorBuffer());
    fullScreenQuad();
    shader->release();
    return readWindow(windowWidth / 2, windowHeight / 2);
  };
  EXPECT_PRED3(near, mix(1.0f, 0.0f), (Rgba{200, 40, 0, 255}), 1);
  EXPECT_PRED3(near, mix(0.0f, 1.0f), (Rgba{0, 80, 240, 255}), 1);
  EXPECT_PRED3(near, mix(0.25f, 0.75f), (Rgba{50, 70, 180, 255}), 1);
}

TEST_F(TarnveldShadersTest, LensLeavesTheImageAloneAtRestAndMagnifiesItsMiddleWithDepth) {
  std::unique_ptr<Shader> shader = load("lens");
  ASSERT_TRUE(shader);
  auto source = texture(64, 64, gradient);
  FrameBufferObject target(64, 64, false, false);
  auto render = [&](float depth, float multiplier) {
    target.bind();
    shader->use();
    shader->setTextureUnit0("tex", source.get());
    shader->setUniform1f("rasterScroll", 0.3f);
    shader->setUniform1f("depth", depth);
    shader->setUniform1f("multiplier", multiplier);
    shader->setUniform1f("divider", 1.0f);
    shader->setUniform1f("rasterSize2", 1.0f);
    fullScreenQuad();
    shader->release();
    target.release();
  };

  render(0.0f, 0.0f);
  for (int x : {0, 20, 32, 40, 63}) {
    EXPECT_PRED3(near, readFBO(target, x, 32), gradient(x, 32), 0) << "pixel " << x;
  }

  render(0.5f, 0.0f);
  Rgba inside = readFBO(target, 40, 32);
  EXPECT_GT(inside.r, 128) << "right of the middle the picture still lies right of it";
  EXPECT_LT(inside.r, gradient(40, 32).r) << "but nearer to the middle: magnified";
  EXPECT_PRED3(near, readFBO(target, 2, 32), gradient(2, 32), 0) << "outside the lens nothing moves";

  // Raster lines darken the lens in bands, with undarkened gaps between them; outside the lens
  // they are not drawn.
  render(0.0f, 8.0f);
  std::vector<Rgba> column = line(target, false, 32);
  int darkest = 255, brightest = 0;
  for (int y = 16; y < 48; ++y) {
    darkest = std::min(darkest, column[y].b);
    brightest = std::max(brightest, column[y].b);
  }
  EXPECT_LT(darkest, 100);
  EXPECT_GE(brightest, 124);
  EXPECT_PRED3(near, readFBO(target, 32, 0), gradient(32, 0), 0);
}

TEST_F(TarnveldShadersTest, GlowCompositeBrightensOnlyWhereTheBlurIsBrightNeverPastWhite) {
  std::unique_ptr<Shader> shader = load("glow_screen");
  ASSERT_TRUE(shader);
  FrameBufferObject image(32, 32, false, false);
  FrameBufferObject glow(32, 32, false, false);
  clearTarget(image, 100 / 255.0f, 200 / 255.0f, 0.0f);
  auto composite = [&](float opacity) {
    clearScreen();
    shader->use();
    shader->setUniform1f("opacity", opacity);
    shader->setTextureUnit0("destination", image.getColorBuffer());
    shader->setTextureUnit1("source", glow.getColorBuffer());
    fullScreenQuad();
    shader->release();
    return readWindow(windowWidth / 2, windowHeight / 2);
  };
  clearTarget(glow, 0.0f, 0.0f, 0.0f);
  EXPECT_PRED3(near, composite(0.5f), (Rgba{100, 200, 0, 255}), 1);
  clearTarget(glow, 1.0f, 1.0f, 1.0f);
  Rgba lit = composite(0.5f);
  EXPECT_GT(lit.r, 100);
  EXPECT_GT(lit.g, 200);
  EXPECT_GT(lit.b, 0);
  EXPECT_PRED3(near, composite(1.0f), (Rgba{255, 255, 255, 255}), 0);
  EXPECT_PRED3(near, composite(0.0f), (Rgba{100, 200, 0, 255}), 1);
}

Rgba blackThenWhite(int x, int) { return x < 32 ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255}; }

TEST_F(TarnveldShadersTest, LaplacianMarksOnlyEdgesInItsColourAndDilateWidensThem) {
  std::unique_ptr<Shader> laplacian = load("laplacian");
  std::unique_ptr<Shader> dilate = load("dilate");
  ASSERT_TRUE(laplacian && dilate);
  auto source = texture(64, 8, blackThenWhite);
  FrameBufferObject edges(64, 8, false, false);
  FrameBufferObject widened(64, 8, false, false);
  const float step = 1.0f / 64.0f;

  edges.bind();
  laplacian->use();
  laplacian->setTextureUnit0("Texture", source.get());
  laplacian->setUniform1f("contrast", 2.0f);
  laplacian->setUniform3f("color", 1.0f, 0.0f, 0.0f);
  laplacian->setUniform1f("viewportStep", step);
  fullScreenQuad();
  laplacian->release();
  edges.release();

  widened.bind();
  dilate->use();
  dilate->setTextureUnit0("Texture", edges.getColorBuffer());
  dilate->setUniform1f("viewportStep", step);
  fullScreenQuad();
  dilate->release();
  widened.release();

  const Rgba red{255, 0, 0, 255};
  std::vector<Rgba> edgeRow = line(edges, true, 4);
  std::vector<Rgba> wideRow = line(widened, true, 4);
  for (int x = 0; x < 64; ++x) {
    bool onEdge = x == 31 || x == 32;
    bool nearEdge = x >= 30 && x <= 33;
    EXPECT_EQ(edgeRow[x].r, onEdge ? 255 : 0) << "edge pixel " << x;
    EXPECT_EQ(edgeRow[x].g + edgeRow[x].b, 0) << "edge pixel " << x;
    if (nearEdge) {
      EXPECT_PRED3(near, wideRow[x], red, 0) << "dilated pixel " << x;
    } else {
      EXPECT_EQ(wideRow[x].r, 0) << "dilated pixel " << x;
    }
  }
}

}  // namespace
