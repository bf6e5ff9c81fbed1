// The 3D world's generated pictures: the sky's six faces meet without a seam, every picture the
// scenes and effects name exists in a size mipmapping accepts, tiling pictures repeat without an
// edge, the sprites stand on a transparent ground, and the cloth-simulated flag's logo stays in
// the part of its texture the cloth maps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "resources/generators/textures/OverlayFrame.h"
#include "resources/generators/textures/SkyboxTexture.h"
#include "resources/generators/textures/TextureSet.h"

namespace {

constexpr int ALPHA = 3;

class WorldTextures : public ::testing::Test {
 protected:
  static Canvas render(const std::string& fileName) {
    static const TextureSet set;
    static GlyphRasteriser font(TARNVELD_DEFAULT_FONT);
    const GeneratedTexture* picture = set.find(fileName);
    EXPECT_NE(picture, nullptr) << fileName;
    return picture ? picture->render(font) : Canvas(0, 0);
  }
};

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

TEST_F(WorldTextures, SkyFacesMeetWithoutASeam) {
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

TEST_F(WorldTextures, EveryNamedPictureExistsInAMipmappableSize) {
  for (const char* name : {"sky_north.png", "sky_south.png", "sky_east.png", "sky_west.png", "sky_top.png",
                           "sky_bottom.png", "flag.png", "qnvlogo.png", "sprite.png", "robot.png", "hull.png",
                           "tabletex.png", "Particle.png", "bender_overlay.png", "led_display.png",
                           "hoverscreen.png", "screen.png", "floor.png", "banner.png", "camo.png",
                           "tracks.png", "shield.png"}) {
    const Canvas c = render(name);
    auto powerOfTwo = [](int v) { return v > 0 && (v & (v - 1)) == 0; };
    EXPECT_TRUE(powerOfTwo(c.getWidth()) && powerOfTwo(c.getHeight())) << name << " " << c.getWidth() << "x" << c.getHeight();
  }
}

TEST_F(WorldTextures, TilingPicturesRepeatWithoutAnEdge) {
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

TEST_F(WorldTextures, SpritesStandOnATransparentGround) {
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

TEST_F(WorldTextures, ClothFlagLogoStaysInTheMappedPart) {
  const Canvas c = render("qnvlogo.png");
  int outside = 0, inside = 0;
  for (int y = 0; y < c.getHeight(); ++y) {
    for (int x = 0; x < c.getWidth(); ++x) {
      const bool shown = x < OverlayFrame::shownWidth && y < OverlayFrame::shownHeight;
      (shown ? inside : outside) += c.channel8(x, y, ALPHA) > 0;
    }
  }
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(inside, OverlayFrame::shownWidth * OverlayFrame::shownHeight) << "the cloth is opaque";
}

}  // namespace
