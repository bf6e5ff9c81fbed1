// The production's generated content where no rendered frame shows a fault: texels a filter reads at
// the edges, files the same on every run, in the orientation and sizes the engine's loader takes, and
// the text writer's "random" tables (all drawable, the same on every run).
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "production/effects/Textwriter.h"
#include "production/effects/TextwriterEffect.h"
#include "qnvutils/File.h"
#include "qnvutils/Image.h"
#include "resources/generators/textures/LoadingBarLayout.h"
#include "resources/generators/textures/OverlayFrame.h"
#include "resources/generators/textures/PngWriter.h"
#include "resources/generators/textures/TextureSet.h"
#include "tests/support/BuildTree.h"
#include "tests/support/TempTree.h"

namespace {

constexpr int RED = 0, ALPHA = 3;

class GeneratedTextures : public ::testing::Test {
 protected:
  static Canvas render(const std::string& fileName) {
    const GeneratedTexture* picture = set().find(fileName);
    EXPECT_NE(picture, nullptr) << fileName;
    return picture ? picture->render(font()) : Canvas(0, 0);
  }
  static const TextureSet& set() {
    static const TextureSet textures;
    return textures;
  }
  static GlyphRasteriser& font() {
    static GlyphRasteriser rasteriser(TARNVELD_DEFAULT_FONT);
    return rasteriser;
  }
  void SetUp() override { ASSERT_TRUE(font().isValid()) << font().getErrorMessage(); }
};

// A half-texel shift or a black transparent ground shows only where filtering blends edge texels:
// the kernel weighs texel i as texel 63 - i, and the atlas's empty texels are white.
TEST_F(GeneratedTextures, FilteredEdgesAreSymmetricAndWhite) {
  const Canvas kernel = render("blur_kernel.png");
  ASSERT_EQ(kernel.getWidth(), 64);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(kernel.channel8(i, 0, RED), kernel.channel8(63 - i, 0, RED)) << i;
  const Canvas atlas = render("font.png");
  for (int x : {0, 700, 2047}) EXPECT_EQ(atlas.channel8(x, 100, RED), 255) << "transparent white";
}

// Each copy of the overlay, shifted by the loading display, lights the inside of the matching
// frame of the background and leaves the frames' borders visible.
TEST_F(GeneratedTextures, LoadingSegmentsFillTheSevenFrames) {
  const Canvas background = render("Loading1.png");
  const Canvas overlay = render("Loading2.png");
  const int midY = (LoadingBarLayout::top + LoadingBarLayout::bottom) / 2;
  const int left = LoadingBarLayout::firstLeft, right = left + LoadingBarLayout::segmentWidth;
  EXPECT_EQ(overlay.channel8(left + 2, midY, ALPHA), 255);
  EXPECT_EQ(overlay.channel8(right - 3, midY, ALPHA), 255);
  EXPECT_LT(overlay.channel8(right + 3 * 4, midY, ALPHA), 128) << "only a faint glow past the segment";
  for (int i = 0; i < LoadingBarLayout::segments; ++i) {
    SCOPED_TRACE(i);
    const int shift =
        static_cast<int>(0.258f / 2.0f * OverlayFrame::shownWidth * static_cast<float>(i) + 0.5f);
    const int frameLeft = LoadingBarLayout::segmentLeft(i);
    EXPECT_NEAR(frameLeft, left + shift, 1);
    // Frame borders one pixel outside the segment, dark inside.
    EXPECT_GT(background.channel8(frameLeft - 1, midY, RED), 90);
    EXPECT_GT(background.channel8(frameLeft + LoadingBarLayout::segmentWidth, midY, RED), 90);
    EXPECT_LT(background.channel8(frameLeft + 10, midY, RED), 40);
  }
  EXPECT_LT(LoadingBarLayout::segmentLeft(6) + LoadingBarLayout::segmentWidth + 2, OverlayFrame::shownWidth);
}

// The engine's loader flips the file's rows so that its first row is the texture's last (t = 1):
// written and read back, the canvas's top row must come out last. Every picture is written as the
// build wrote it, in a size mipmapping accepts; a missing font or directory is reported, not drawn.
TEST_F(GeneratedTextures, FilesReadBackUprightAndAreWrittenAsTheBuildDid) {
  TempTree dir;
  Canvas canvas(4, 2);
  canvas.set(0, 0, Colour{1.0f, 0.0f, 0.0f, 1.0f});  // top left red
  canvas.set(3, 1, Colour{0.0f, 0.0f, 1.0f, 0.5f});  // bottom right blue, half transparent
  std::string error;
  ASSERT_TRUE(PngWriter::write(canvas, dir.path("probe.png"), error)) << error;
  Image image(dir.path("probe.png"));
  ASSERT_TRUE(image.exists() && image.getWidth() == 4 && image.getHeight() == 2 && image.getPixelSize() == 4);
  const unsigned char* topLeft = image.getData() + 4 * 4;  // second stored row = t near 1
  const unsigned char* bottomRight = image.getData() + 3 * 4;
  EXPECT_EQ(std::vector<int>({topLeft[0], topLeft[3], bottomRight[2], bottomRight[3]}),
            std::vector<int>({255, 255, 255, 128}));
  EXPECT_FALSE(PngWriter::write(canvas, dir.path("missing/dir/probe.png"), error));
  EXPECT_NE(error.find("missing/dir/probe.png"), std::string::npos) << error;
  EXPECT_FALSE(set().writeAll(dir.path("fonts"), dir.path("no-such-font.ttf"), error));
  EXPECT_NE(error.find("no-such-font.ttf"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.path("fonts/noise.png")));

  ASSERT_TRUE(set().writeAll(dir.path(""), TARNVELD_DEFAULT_FONT, error)) << error;
  ASSERT_EQ(set().textures().size(), 32u);
  auto powerOfTwo = [](int v) { return v > 0 && (v & (v - 1)) == 0; };
  for (const auto& picture : set().textures()) {
    const Image image(dir.path(picture->fileName()));
    EXPECT_TRUE(powerOfTwo(image.getWidth()) && powerOfTwo(image.getHeight()))
        << picture->fileName() << " must be mipmappable: " << image.getWidth() << "x" << image.getHeight();
    EXPECT_EQ(dir.read(picture->fileName()),
              File(buildTreePath("tarnveld/resources/graphics/" + picture->fileName()), File::MODE_READ).getAsString())
        << picture->fileName();
  }
}

TEST_F(GeneratedTextures, SpritesStandOnATransparentGround) {
  struct Probe {
    const char* name;
    int x, y;
    bool opaque;
  };
  const Probe probes[] = {
      {"Particle.png", 32, 32, true},        {"Particle.png", 0, 0, false},
      {"bender_overlay.png", 32, 33, true},  {"bender_overlay.png", 2, 62, false},
      {"shield.png", 128, 128, true},        {"shield.png", 4, 250, false},
      {"sprite.png", 32, 27, true},          {"sprite.png", 96, 27, true},
      {"sprite.png", 160, 27, true},         {"sprite.png", 224, 27, true},
      {"sprite.png", 1, 1, false},           {"sprite.png", 130, 1, false},
  };
  for (const Probe& p : probes) {
    const int alpha = render(p.name).channel8(p.x, p.y, ALPHA);
    EXPECT_EQ(alpha > 200, p.opaque) << p.name << " at " << p.x << "," << p.y << ": alpha " << alpha;
    if (!p.opaque) {
      EXPECT_EQ(alpha, 0) << p.name << " at " << p.x << "," << p.y;
    }
  }
}

}  // namespace

namespace {

const std::regex tableLine("([0-9]+)\\.\\.\\.\\.\\.\\.([0-9]+)\\|");

// The running numbers at the start of each line of every text, in order.
std::vector<long> runningNumbers(const std::vector<std::string>& texts) {
  std::vector<long> numbers;
  for (const std::string& text : texts) {
    for (auto line = std::sregex_iterator(text.begin(), text.end(), tableLine);
         line != std::sregex_iterator(); ++line)
      numbers.push_back(std::stol((*line)[1]));
  }
  return numbers;
}

// A new set carries on from the last set's running number until that has passed a million.
TEST(TextwriterEffectTexts, AHundredTablesOfSixLinesWhoseRunningNumberContinuesAndRestarts) {
  TextwriterEffect effect;
  effect.random();
  const std::vector<std::string>& texts = effect.getRandomTexts();
  ASSERT_EQ(texts.size(), 100u);
  const std::regex table("(([0-9]+)\\.\\.\\.\\.\\.\\.([0-9]+)\\|){6}");
  for (const std::string& text : texts) EXPECT_TRUE(std::regex_match(text, table)) << text;
  long previousLast = runningNumbers(texts).back();
  effect.random();
  EXPECT_GT(runningNumbers(effect.getRandomTexts()).front(), previousLast);
  bool restarted = false;
  for (int set = 0; set < 20 && !restarted; ++set) {
    effect.random();
    // Past a million the numbers are written in scientific form ("1.00123e+06").
    restarted = std::stod(effect.getRandomTexts().front()) < 1000.0;
  }
  EXPECT_TRUE(restarted);
}

}  // namespace
