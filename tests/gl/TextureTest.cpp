// Textures: loading from the directory tree and from the archive, every quad drawer, bind-time
// sampling state, 1D and mipmapped uploads, and the GL error report of a load.
#include <GL/glew.h>

#include <memory>

#include "demosys/render/Texture.h"
#include "demosys/resources/QNVIO.h"
#include "qnvutils/Arc.h"
#include "tests/gl/GLTestFixture.h"

namespace {

const Rgba red{255, 0, 0, 255};
const Rgba green{0, 255, 0, 255};
const Rgba blue{0, 0, 255, 255};
const Rgba white{255, 255, 255, 255};
const Rgba black{0, 0, 0, 255};

// An 8 x 8 image in four coloured quadrants: red top left, green top right, blue bottom left,
// white bottom right (rows top-down, as image files store them).
std::vector<uint8_t> quadrants(int channels) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      Rgba c = y < 4 ? (x < 4 ? red : green) : (x < 4 ? blue : white);
      pixels.insert(pixels.end(), {uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)});
      if (channels == 4) pixels.push_back(255);
    }
  }
  return pixels;
}

class TextureTest : public GLTestFixture {
 protected:
  void SetUp() override {
    GLTestFixture::SetUp();
    ASSERT_TRUE(writePNG(dir.file("quad.png"), 8, 8, 4, quadrants(4)));
  }

  std::unique_ptr<Texture> load(const std::string& name, unsigned int type = GL_TEXTURE_2D,
                                bool mipmap = false) {
    QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
    return std::unique_ptr<Texture>(QNVIO::loadTexture(dir.file(name), type, mipmap));
  }

  // Window pixels at the centres of the four screen quadrants: top left, top right, bottom left,
  // bottom right.
  static std::vector<Rgba> screenQuadrants() {
    int w = windowWidth, h = windowHeight;
    return {readWindow(w / 4, 3 * h / 4), readWindow(3 * w / 4, 3 * h / 4), readWindow(w / 4, h / 4),
            readWindow(3 * w / 4, h / 4)};
  }

  static GLint boundParameter(GLenum target, GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(target, name, &value);
    return value;
  }

  TempDir dir;
};

void expectQuadrants(const std::vector<Rgba>& actual, const std::vector<Rgba>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    EXPECT_PRED3(near, actual[i], expected[i], 0) << "quadrant " << i;
}

TEST_F(TextureTest, LoadedImageDrawsFullScreenUprightAndFlipped) {
  auto texture = load("quad.png");
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->getWidth() * 100 + texture->getHeight(), 808);
  EXPECT_EQ(texture->getBPP(), 32);
  texture->setInterpolation(GL_NEAREST);

  texture->drawQuadFS();
  expectQuadrants(screenQuadrants(), {red, green, blue, white});
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "drawers end with the target disabled";
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  texture->drawQuadFS_Flip();
  expectQuadrants(screenQuadrants(), {blue, white, red, green});
}

TEST_F(TextureTest, ArchiveEntryDrawsAsTheFileAndMissingOrUndecodableImagesGiveNoTexture) {
  ASSERT_TRUE(dir.archive("pack.7z", "", {"quad.png"}));
  ASSERT_TRUE(arc_load(dir.file("pack.7z")));
  std::unique_ptr<Texture> fromArchive(QNVIO::loadTexture("quad.png", GL_TEXTURE_2D, false, QNVIO::QNV_RESOURCES_7Z));
  std::unique_ptr<Texture> missing(QNVIO::loadTexture("none.png", GL_TEXTURE_2D, false, QNVIO::QNV_RESOURCES_7Z));
  arc_close();
  ASSERT_NE(fromArchive, nullptr);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(fromArchive->getFilename(), "quad.png");
  fromArchive->setInterpolation(GL_NEAREST);
  fromArchive->drawQuadFS();
  expectQuadrants(screenQuadrants(), {red, green, blue, white});

  dir.write("text.png", "not an image");
  QNVIO::debug = true;
  testing::internal::CaptureStdout();
  EXPECT_EQ(load("absent.png"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading texture : " + dir.file("absent.png") + "\n");
  QNVIO::debug = false;
  EXPECT_EQ(load("text.png"), nullptr);
  EXPECT_EQ(QNVIO::loadTexture(dir.file("quad.png"), GL_TEXTURE_2D, false, 7), nullptr) << "unknown source";
}

TEST_F(TextureTest, RgbImagesWithUnalignedRowsUploadUnskewed) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x)
      rgb.insert(rgb.end(), {uint8_t(x == 2 ? 255 : 0), uint8_t(y == 0 ? 255 : 0), 0});
  }
  ASSERT_TRUE(writePNG(dir.file("rgb.png"), 3, 3, 3, rgb));
  auto texture = load("rgb.png");
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->getBPP(), 24);
  texture->setInterpolation(GL_NEAREST);
  texture->drawQuadFS();
  EXPECT_PRED3(near, readWindow(5, windowHeight - 5), green, 0);
  EXPECT_PRED3(near, readWindow(windowWidth - 5, windowHeight - 5), (Rgba{255, 255, 0, 255}), 0);
  EXPECT_PRED3(near, readWindow(windowWidth - 5, 5), red, 0);
  EXPECT_PRED3(near, readWindow(5, 5), (Rgba{0, 0, 0, 255}), 0);
}

// A 1D texture is as long as the image's larger side; a mipmapped load carries the chain down to 1 x 1
// and samples through it.
TEST_F(TextureTest, OneDimensionalAndMipmappedLoadsGiveTheirLevels) {
  ASSERT_TRUE(writePNG(dir.file("strip.png"), 4, 256, 4, std::vector<uint8_t>(4 * 256 * 4, 200)));
  const struct {
    const char* file;
    GLenum type;
    bool mipmap;
    GLint level, width, minFilter;
  } cases[] = {{"strip.png", GL_TEXTURE_1D, false, 0, 256, GL_LINEAR},
               {"quad.png", GL_TEXTURE_2D, true, 3, 1, GL_LINEAR_MIPMAP_LINEAR}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    auto texture = load(c.file, c.type, c.mipmap);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->getType(), c.type);
    EXPECT_EQ(texture->isMipmapped(), c.mipmap);
    texture->bind();
    GLint width = 0;
    glGetTexLevelParameteriv(c.type, c.level, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(boundParameter(c.type, GL_TEXTURE_MIN_FILTER), c.minFilter);
    texture->release();
  }
}

TEST_F(TextureTest, PendingGlErrorsArePrintedWithTheFileName) {
  glEnable(0x1234);  // leaves GL_INVALID_ENUM pending
  testing::internal::CaptureStdout();
  auto texture = load("quad.png");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "[GL_ERROR] 'invalid enumerant' in ->" + dir.file("quad.png") + "\n");
  EXPECT_NE(texture, nullptr) << "loading goes on after an error";
}

TEST_F(TextureTest, SamplingSettingsTakeEffectAtTheNextBind) {
  std::vector<uint8_t> pixels(4 * 4 * 4, 255);
  Texture texture(4, 4, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, pixels.data());
  const struct {
    GLenum name;
    GLint initial, set;
  } settings[] = {{GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE, GL_REPEAT},
                  {GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE, GL_MIRRORED_REPEAT},
                  {GL_TEXTURE_MIN_FILTER, GL_LINEAR, GL_NEAREST},
                  {GL_TEXTURE_MAG_FILTER, GL_LINEAR, GL_NEAREST},
                  {GL_TEXTURE_ENV_MODE, GL_REPLACE, GL_MODULATE}};
  auto expectBound = [&](bool afterBind) {
    for (const auto& s : settings) {
      GLint value = 0;
      if (s.name == GL_TEXTURE_ENV_MODE) glGetTexEnviv(GL_TEXTURE_ENV, s.name, &value);
      else glGetTexParameteriv(GL_TEXTURE_2D, s.name, &value);
      EXPECT_EQ(value, afterBind ? s.set : s.initial) << std::hex << s.name;
    }
  };
  texture.bind();
  texture.setTextureWrap(GL_REPEAT, GL_MIRRORED_REPEAT);
  texture.setInterpolation(GL_NEAREST);
  texture.setTextureEnv(GL_MODULATE);
  expectBound(false);
  texture.bind();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  expectBound(true);
  texture.release();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

TEST_F(TextureTest, BlendedDrawersBlendAlphaTestAndLeaveDepthOn) {
  // Left half opaque green, right half fully transparent.
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), {0, 255, 0, 255, 0, 255, 0, 0});
  Texture texture(2, 4, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, pixels.data());
  texture.setInterpolation(GL_NEAREST);
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_NEVER);  // would hide the quad if the drawer left depth testing on while drawing
  texture.drawQuadBlendFS(GL_ONE, GL_ZERO);
  glDepthFunc(GL_LESS);
  EXPECT_PRED3(near, readWindow(10, 10), green, 0);
  EXPECT_PRED3(near, readWindow(windowWidth - 10, 10), (Rgba{0, 0, 255, 255}), 0) << "alpha 0 is tested away";
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));

  glDisable(GL_DEPTH_TEST);
  glClear(GL_COLOR_BUFFER_BIT);
  texture.drawQuadScaledBlend(GL_ONE, GL_ZERO, Vector2f(1.0f, 1.0f), Vector2f(-1.0f, 1.0f));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glDisable(GL_DEPTH_TEST);
  EXPECT_PRED3(near, readWindow(10, windowHeight - 10), green, 0)
      << "upper left quarter, left half of texture";
  EXPECT_PRED3(near, readWindow(10, 10), (Rgba{0, 0, 255, 255}), 0);
}

TEST_F(TextureTest, ScaledQuadsUseTheCurrentMatrices) {
  std::vector<uint8_t> pixels(4 * 4, 255);
  Texture texture(2, 2, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, pixels.data());
  texture.drawQuadScaled(Vector2f(1.0f, 1.0f));
  EXPECT_PRED3(near, readWindow(windowWidth / 2, windowHeight / 2), white, 0);
  EXPECT_PRED3(near, readWindow(windowWidth / 8, windowHeight / 2), black, 0);

  glClear(GL_COLOR_BUFFER_BIT);
  glTranslatef(0.5f, 0.0f, 0.0f);
  texture.drawQuadScaled(Vector2f(0.5f, 1.0f), Vector2f(0.0f, 0.0f));
  glLoadIdentity();
  EXPECT_PRED3(near, readWindow(7 * windowWidth / 8 - 4, windowHeight / 4), white, 0);
  EXPECT_PRED3(near, readWindow(7 * windowWidth / 8 - 4, 3 * windowHeight / 4), black, 0);
  EXPECT_PRED3(near, readWindow(windowWidth / 2, windowHeight / 4), black, 0);
}

TEST_F(TextureTest, UpdateTextureReplacesTheImage) {
  Texture texture(4, 4, GL_RGBA, GL_RGBA);
  texture.isMipmapped(true);
  texture.setFileSize(99);
  std::vector<uint8_t> redPixels = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  texture.updateTexture(2, 2, GL_RGBA, GL_RGBA, redPixels.data());
  EXPECT_EQ(texture.getWidth(), 2);
  EXPECT_FALSE(texture.isMipmapped());
  EXPECT_EQ(texture.getMemorySize(), 2 * 2 * 4);
  texture.drawQuadFS();
  EXPECT_PRED3(near, readWindow(windowWidth / 2, windowHeight / 2), red, 0);
}

TEST_F(TextureTest, WrappedNameIsDeletedWithTheTexture) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glBindTexture(GL_TEXTURE_2D, 0);
  {
    Texture wrapped("a.png", name);
    EXPECT_EQ(wrapped.getID(), name);
  }
  EXPECT_FALSE(glIsTexture(name));
}

}  // namespace
