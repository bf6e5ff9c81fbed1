// The production's generated pictures: the blur kernel's profile, the noise and stripes, content
// kept inside the part of a full-screen texture that is shown, the loading bar's segments meeting
// their frames, the font atlas honouring its layout, and the files written the same on every run
// and in the orientation the engine's image loader expects.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "qnvutils/Image.h"
#include "resources/generators/textures/BlurKernelTexture.h"
#include "resources/generators/textures/FontAtlasLayout.h"
#include "resources/generators/textures/LoadingBarLayout.h"
#include "resources/generators/textures/OverlayFrame.h"
#include "resources/generators/textures/PngWriter.h"
#include "resources/generators/textures/TextureSet.h"
#include "tests/support/TempTree.h"

namespace {

constexpr int RED = 0, GREEN = 1, ALPHA = 3;

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

// Number of pixels in the rectangle [x0, x1) x [y0, y1) whose alpha is above zero.
int coveredPixels(const Canvas& c, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) count += c.channel8(x, y, ALPHA) > 0;
  }
  return count;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(GeneratedTextures, BlurKernelIsASymmetricOpaquePeak) {
  const Canvas kernel = render("blur_kernel.png");
  ASSERT_EQ(kernel.getWidth(), 64);
  ASSERT_EQ(kernel.getHeight(), 1);
  for (int i = 0; i < 64; ++i) {
    EXPECT_EQ(kernel.channel8(i, 0, ALPHA), 255) << i;
    EXPECT_EQ(kernel.channel8(i, 0, RED), kernel.channel8(63 - i, 0, RED)) << "texel " << i;
    EXPECT_EQ(kernel.channel8(i, 0, RED), kernel.channel8(i, 0, GREEN)) << "grey at " << i;
  }
  for (int i = 1; i < 32; ++i) EXPECT_GT(kernel.channel8(i, 0, RED), kernel.channel8(i - 1, 0, RED)) << i;
  EXPECT_GE(kernel.channel8(31, 0, RED), 254);
  EXPECT_LT(kernel.channel8(0, 0, RED), 20) << "a sigma of 0.4 leaves little weight at the ends";
}

TEST_F(GeneratedTextures, NoiseChannelsAreIndependentAndStripesRunAcross) {
  const Canvas noise = render("noise.png");
  ASSERT_EQ(noise.getWidth(), 256);
  ASSERT_EQ(noise.getHeight(), 256);
  int sameRedGreen = 0, sameRedAlpha = 0;
  long sum = 0;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      sameRedGreen += noise.channel8(x, y, RED) == noise.channel8(x, y, GREEN);
      sameRedAlpha += noise.channel8(x, y, RED) == noise.channel8(x, y, ALPHA);
      sum += noise.channel8(x, y, RED);
    }
  }
  EXPECT_LT(sameRedGreen, 1000) << "independent channels agree about once in 256";
  EXPECT_LT(sameRedAlpha, 1000);
  EXPECT_NEAR(static_cast<double>(sum) / (256 * 256), 127.5, 4.0);

  const Canvas stripes = render("hstripes.png");
  ASSERT_EQ(stripes.getWidth(), 256);
  int brightRows = 0, darkRows = 0;
  for (int y = 0; y < 256; ++y) {
    int low = 255, high = 0;
    for (int x = 0; x < 256; ++x) {
      low = std::min(low, stripes.channel8(x, y, RED));
      high = std::max(high, stripes.channel8(x, y, RED));
    }
    EXPECT_LE(high - low, high / 8 + 2) << "row " << y << " is one band";
    brightRows += low > 140;
    darkRows += high < 90;
  }
  EXPECT_GT(brightRows, 0);
  EXPECT_GT(darkRows, 128);
}

TEST_F(GeneratedTextures, FullScreenPicturesKeepTheirContentInTheShownPart) {
  for (const char* name : {"overlay_title.png", "overlay_credits.png", "overlay_scanlines.png",
                           "Loading1.png", "Loading2.png"}) {
    SCOPED_TRACE(name);
    const Canvas c = render(name);
    ASSERT_EQ(c.getWidth(), OverlayFrame::textureSize);
    ASSERT_EQ(c.getHeight(), OverlayFrame::textureSize);
    const int w = OverlayFrame::shownWidth, h = OverlayFrame::shownHeight, size = OverlayFrame::textureSize;
    EXPECT_EQ(coveredPixels(c, w, 0, size, size), 0) << "right of the shown part";
    EXPECT_EQ(coveredPixels(c, 0, h, w, size), 0) << "below the shown part";
    EXPECT_GT(coveredPixels(c, 0, 0, w, h), 2000);
  }
  // The shown part is the one the overlay quad's texture coordinates select.
  EXPECT_EQ(static_cast<int>(OverlayFrame::shownS * OverlayFrame::textureSize + 0.5f),
            OverlayFrame::shownWidth);
  EXPECT_EQ(static_cast<int>((1.0f - OverlayFrame::shownT) * OverlayFrame::textureSize + 0.5f),
            OverlayFrame::shownHeight);
}

TEST_F(GeneratedTextures, LogoIsNotCutAtTheTextureEdges) {
  const Canvas logo = render("logo.png");
  ASSERT_EQ(logo.getWidth(), 1024);
  ASSERT_EQ(logo.getHeight(), 512);
  EXPECT_EQ(coveredPixels(logo, 0, 0, 1024, 8), 0);
  EXPECT_EQ(coveredPixels(logo, 0, 504, 1024, 512), 0);
  EXPECT_EQ(coveredPixels(logo, 0, 0, 8, 512), 0);
  EXPECT_EQ(coveredPixels(logo, 1016, 0, 1024, 512), 0);
  EXPECT_GT(coveredPixels(logo, 0, 0, 1024, 512), 50000);
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

TEST_F(GeneratedTextures, FontLayoutFillsTheAtlasRowInGlyphOrder) {
  ASSERT_EQ(FontAtlasLayout::glyphOrder().size(), 44u);
  EXPECT_EQ(FontAtlasLayout::offset(0), 0);
  EXPECT_EQ(FontAtlasLayout::offset(1), 41);           // after a 40-pixel "a"
  EXPECT_EQ(FontAtlasLayout::offset(9), 8 * 41 + 18);  // "j" after a 17-pixel "i"
  EXPECT_EQ(FontAtlasLayout::width(FontAtlasLayout::glyphOrder().find('w')), 52);
  EXPECT_EQ(FontAtlasLayout::offset(43) + FontAtlasLayout::width(43), 1598);  // space ends the row
  EXPECT_EQ(FontAtlasLayout::rowHeight, 80);
}

TEST_F(GeneratedTextures, FontGlyphsStayInTheirColumnsAndInTheGlyphRow) {
  const Canvas atlas = render("font.png");
  ASSERT_EQ(atlas.getWidth(), 2048);
  ASSERT_EQ(atlas.getHeight(), FontAtlasLayout::atlasHeight);
  const int rowHeight = FontAtlasLayout::rowHeight;
  EXPECT_EQ(coveredPixels(atlas, 0, rowHeight, 2048, atlas.getHeight()), 0) << "below t = 0.375";
  for (int g = 0; g < FontAtlasLayout::glyphCount; ++g) {
    const char c = FontAtlasLayout::glyphOrder()[g];
    SCOPED_TRACE(std::string("glyph '") + c + "'");
    const int start = FontAtlasLayout::offset(g), end = start + FontAtlasLayout::width(g);
    EXPECT_EQ(coveredPixels(atlas, end, 0, end + 1, rowHeight), 0) << "gap after the glyph";
    const int covered = coveredPixels(atlas, start, 0, end, rowHeight);
    if (c == ' ') {
      EXPECT_EQ(covered, 0);
      continue;
    }
    EXPECT_GT(covered, 10);
    // Inked both in the left and the right half: centred in its slot, not squeezed to one side.
    EXPECT_GT(coveredPixels(atlas, start, 0, start + (end - start) / 2, rowHeight), 0);
    EXPECT_GT(coveredPixels(atlas, start + (end - start) / 2, 0, end, rowHeight), 0);
  }
  const int last = FontAtlasLayout::glyphCount - 1;
  EXPECT_EQ(coveredPixels(atlas, FontAtlasLayout::offset(last), 0, 2048, atlas.getHeight()), 0);
  for (int x : {0, 700, 2047}) EXPECT_EQ(atlas.channel8(x, 100, RED), 255) << "transparent white";
}

// The engine's loader flips the file's rows so that its first row is the texture's last
// (t = 1): written and read back, the canvas's top row must come out last.
TEST_F(GeneratedTextures, WrittenFilesReadBackUprightThroughTheEngineLoader) {
  TempTree dir;
  ASSERT_TRUE(dir.ok());
  Canvas canvas(4, 2);
  canvas.set(0, 0, Colour{1.0f, 0.0f, 0.0f, 1.0f});  // top left red
  canvas.set(3, 1, Colour{0.0f, 0.0f, 1.0f, 0.5f});  // bottom right blue, half transparent
  std::string error;
  ASSERT_TRUE(PngWriter::write(canvas, dir.path("probe.png"), error)) << error;
  Image image(dir.path("probe.png"));
  ASSERT_TRUE(image.exists());
  ASSERT_EQ(image.getWidth(), 4);
  ASSERT_EQ(image.getHeight(), 2);
  ASSERT_EQ(image.getPixelSize(), 4);
  const unsigned char* data = image.getData();
  const unsigned char* textureTopLeft = data + 4 * 4;  // second stored row = t near 1
  EXPECT_EQ(textureTopLeft[0], 255);
  EXPECT_EQ(textureTopLeft[3], 255);
  const unsigned char* textureBottomRight = data + 3 * 4;
  EXPECT_EQ(textureBottomRight[2], 255);
  EXPECT_EQ(textureBottomRight[3], 128);
  EXPECT_FALSE(PngWriter::write(canvas, dir.path("missing/dir/probe.png"), error));
  EXPECT_NE(error.find("missing/dir/probe.png"), std::string::npos) << error;
}

TEST_F(GeneratedTextures, EveryPictureIsWrittenTheSameOnEveryRun) {
  TempTree first, second;
  ASSERT_TRUE(first.ok() && second.ok());
  std::string error;
  ASSERT_TRUE(set().writeAll(first.path(""), TARNVELD_DEFAULT_FONT, error)) << error;
  ASSERT_TRUE(set().writeAll(second.path(""), TARNVELD_DEFAULT_FONT, error)) << error;
  ASSERT_EQ(set().textures().size(), 32u);
  for (const auto& picture : set().textures()) {
    SCOPED_TRACE(picture->fileName());
    const std::string bytes = readFile(first.path(picture->fileName()));
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, readFile(second.path(picture->fileName())));
    EXPECT_TRUE(Image(first.path(picture->fileName())).exists());
  }
}

TEST_F(GeneratedTextures, AMissingFontIsReportedNotDrawn) {
  TempTree dir;
  ASSERT_TRUE(dir.ok());
  std::string error;
  EXPECT_FALSE(set().writeAll(dir.path(""), dir.path("no-such-font.ttf"), error));
  EXPECT_NE(error.find("no-such-font.ttf"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_empty(dir.path("")));
}

}  // namespace
