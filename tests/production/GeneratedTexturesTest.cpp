// The production's generated pictures: the blur kernel's profile, the noise and stripes, content
// kept inside the part of a full-screen texture that is shown, the loading bar's segments meeting
// their frames, the font atlas honouring its layout, the files written the same on every run
// and in the orientation the engine's image loader expects; for the 3D world, the sky's six faces
// meeting without a seam, pictures in sizes mipmapping accepts, tiling pictures repeating without an
// edge and sprites standing on a transparent ground.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
#include "resources/generators/textures/SkyboxTexture.h"
#include "resources/generators/textures/TextureSet.h"
#include "tests/support/BuildTree.h"
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
  int sameRedGreen = 0;
  long sum = 0;
  for (int i = 0; i < 256 * 256; ++i) {
    sameRedGreen += noise.channel8(i % 256, i / 256, RED) == noise.channel8(i % 256, i / 256, GREEN);
    sum += noise.channel8(i % 256, i / 256, RED);
  }
  EXPECT_LT(sameRedGreen, 1000) << "independent channels agree about once in 256";
  EXPECT_NEAR(static_cast<double>(sum) / (256 * 256), 127.5, 4.0);
  const Canvas stripes = render("hstripes.png");
  int darkRows = 0, brightRows = 0;
  for (int y = 0; y < 256; ++y) {
    int low = 255, high = 0;
    for (int x = 0; x < 256; ++x) {
      low = std::min(low, stripes.channel8(x, y, RED));
      high = std::max(high, stripes.channel8(x, y, RED));
    }
    EXPECT_LE(high - low, high / 8 + 2) << "row " << y << " is one band";
    darkRows += high < 90;
    brightRows += low > 140;
  }
  EXPECT_GT(darkRows, 128);
  EXPECT_GT(brightRows, 0);
}

TEST_F(GeneratedTextures, FullScreenPicturesKeepTheirContentInTheShownPart) {
  for (const char* name : {"overlay_title.png", "overlay_credits.png", "overlay_scanlines.png",
                           "Loading1.png", "Loading2.png", "qnvlogo.png"}) {
    SCOPED_TRACE(name);
    const Canvas c = render(name);
    ASSERT_EQ(c.getWidth(), OverlayFrame::textureSize);
    ASSERT_EQ(c.getHeight(), OverlayFrame::textureSize);
    const int w = OverlayFrame::shownWidth, h = OverlayFrame::shownHeight, size = OverlayFrame::textureSize;
    EXPECT_EQ(coveredPixels(c, w, 0, size, size), 0) << "right of the shown part";
    EXPECT_EQ(coveredPixels(c, 0, h, w, size), 0) << "below the shown part";
    EXPECT_GT(coveredPixels(c, 0, 0, w, h), 2000);
  }
  // The cloth-simulated flag maps all of the shown part: its logo is opaque there.
  EXPECT_EQ(coveredPixels(render("qnvlogo.png"), 0, 0, OverlayFrame::shownWidth, OverlayFrame::shownHeight),
            OverlayFrame::shownWidth * OverlayFrame::shownHeight);
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
    const std::string bytes = readFile(dir.path(picture->fileName()));
    const Image image(dir.path(picture->fileName()));
    EXPECT_TRUE(powerOfTwo(image.getWidth()) && powerOfTwo(image.getHeight()))
        << picture->fileName() << " must be mipmappable: " << image.getWidth() << "x" << image.getHeight();
    EXPECT_EQ(bytes, readFile(buildTreePath("tarnveld/resources/graphics/" + picture->fileName())))
        << picture->fileName();
  }
}

int difference(const Canvas& a, int ax, int ay, const Canvas& b, int bx, int by) {
  int sum = 0;
  for (int c = 0; c < 3; ++c) sum += std::abs(a.channel8(ax, ay, c) - b.channel8(bx, by, c));
  return sum;
}

// The face and pixel a direction falls on: the face whose axis it leans on most.
void locate(const float d[3], int& face, int& x, int& y) {
  float best = -1.0f;
  for (int f = 0; f < SkyboxTexture::faceCount; ++f) {
    float axis[3], uAxis[3], vAxis[3];
    SkyboxTexture::direction(static_cast<SkyboxTexture::Face>(f), 0, 0, axis);
    SkyboxTexture::direction(static_cast<SkyboxTexture::Face>(f), 1, 0, uAxis);
    SkyboxTexture::direction(static_cast<SkyboxTexture::Face>(f), 0, 1, vAxis);
    const float along = d[0] * axis[0] + d[1] * axis[1] + d[2] * axis[2];
    if (along <= best) continue;
    best = along;
    float u = 0, v = 0;
    for (int k = 0; k < 3; ++k) {
      u += d[k] * (uAxis[k] - axis[k]) / along;
      v += d[k] * (vAxis[k] - axis[k]) / along;
    }
    face = f;
    x = std::min(SkyboxTexture::size - 1, static_cast<int>((u + 1) * 0.5f * SkyboxTexture::size));
    y = std::min(SkyboxTexture::size - 1, static_cast<int>((1 - v) * 0.5f * SkyboxTexture::size));
  }
}

TEST_F(GeneratedTextures, SkyFacesMeetWithoutASeam) {
  Canvas faces[SkyboxTexture::faceCount] = {Canvas(0, 0), Canvas(0, 0), Canvas(0, 0),
                                            Canvas(0, 0), Canvas(0, 0), Canvas(0, 0)};
  const char* names[] = {"sky_north.png", "sky_south.png", "sky_east.png", "sky_west.png", "sky_top.png", "sky_bottom.png"};
  for (int f = 0; f < SkyboxTexture::faceCount; ++f) faces[f] = render(names[f]);
  const int n = SkyboxTexture::size;
  for (int f = 0; f < SkyboxTexture::faceCount; ++f) {
    long total = 0;
    int samples = 0;
    for (int i = 0; i < n; i += 4) {
      // Each border pixel against the pixel just across the edge, on whichever face that is.
      const int border[4][2] = {{0, i}, {n - 1, i}, {i, 0}, {i, n - 1}};
      for (const auto& p : border) {
        const float u = 2.0f * (p[0] + 0.5f) / n - 1.0f, v = 1.0f - 2.0f * (p[1] + 0.5f) / n;
        float d[3];
        SkyboxTexture::direction(static_cast<SkyboxTexture::Face>(f), u * 1.006f, v * 1.006f, d);
        int g = f, x = 0, y = 0;
        locate(d, g, x, y);
        ASSERT_NE(g, f) << names[f] << " border pixel " << p[0] << "," << p[1] << " leads nowhere";
        total += difference(faces[f], p[0], p[1], faces[g], x, y);
        ++samples;
      }
    }
    EXPECT_LT(total / samples, 6) << names[f] << ": colours jump across its edges";
  }
  EXPECT_GT(faces[0].channel8(n / 2, n / 2 - 30, 0), faces[0].channel8(n / 2, 0, 0))
      << "the city glow lights the horizon, not the zenith";
}

TEST_F(GeneratedTextures, TilingPicturesRepeatWithoutAnEdge) {
  // The step from the last column back to the first is no larger than steps inside the picture.
  for (const char* name : {"robot.png", "hull.png", "camo.png", "tracks.png", "tabletex.png", "led_display.png",
                           "hoverscreen.png"}) {
    const Canvas c = render(name);
    long wrap = 0, inside = 0;
    for (int y = 0; y < c.getHeight(); ++y) {
      wrap += difference(c, c.getWidth() - 1, y, c, 0, y);
      inside += difference(c, c.getWidth() / 2 - 1, y, c, c.getWidth() / 2, y);
    }
    EXPECT_LE(wrap, inside * 2 + c.getHeight() * 6) << name;
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
