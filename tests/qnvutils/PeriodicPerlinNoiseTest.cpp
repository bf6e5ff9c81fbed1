#include "qnvutils/PeriodicPerlinNoise.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "qnvutils/PerlinNoise.h"

namespace {

void expectRefused(const PeriodicPerlinNoise& noise) {
  EXPECT_FALSE(noise.hasTable());
  EXPECT_FALSE(noise.isValid());
  EXPECT_FALSE(noise.getErrorMessage().empty());
  EXPECT_EQ(noise.getValue(0), 0.0f);
  EXPECT_EQ(noise.getValue(3, 5), 0.0f);
  EXPECT_EQ(noise.getValue(-7, 2, 9), 0.0f);
}

}  // namespace

TEST(PeriodicPerlinNoise, FlagTableLookupRepeatsEvery255EntriesAndNegativeLookupsWrapIntoIt) {
  const PeriodicPerlinNoise noise(0.925f, 0.015f, 0.5f, 2, 256, 2);
  ASSERT_TRUE(noise.hasTable() && noise.isValid());
  for (int y = 0; y < 256; y += 17) {
    EXPECT_EQ(noise.getValue(255, y), noise.getValue(0, y));
    EXPECT_EQ(noise.getValue(y, 255), noise.getValue(y, 0));
    EXPECT_EQ(noise.getValue(y + 510, y + 255), noise.getValue(y, y));
    EXPECT_EQ(noise.getValue(-1 - y, 3), noise.getValue(254 - y, 3));
  }
  for (int i = 0; i < 256; ++i) ASSERT_TRUE(noise.getValue(i, 3 * i) >= 0.0f && noise.getValue(i, 3 * i) <= 0.925f);
  EXPECT_EQ(noise.getValue(INT_MIN, INT_MIN), noise.getValue(INT_MIN % 255 + 255, INT_MIN % 255 + 255));
  const PeriodicPerlinNoise line(1.0f, 0.1f, 0.5f, 1, 16, 1);
  EXPECT_EQ(line.getValue(-16), line.getValue(14));
}

// Size 16 with frequency 0.125: the first octave's lattice keeps 0 and 1 (16 * 0.125 = 2), the
// second's 0 to 3 (16 * 0.25 = 4); the next point folds back to 0 so the table closes on itself.
TEST(PeriodicPerlinNoise, LatticeClosesAtTheTableEdgePerOctave) {
  const PeriodicPerlinNoise line(1.0f, 0.125f, 0.5f, 2, 16, 1);
  const PerlinNoise plain(1.0f, 0.125f, 0.5f, 2);
  const float first = PerlinNoise::interpolate(plain.noise(1), plain.noise(0), 0.75f);
  const float second = PerlinNoise::interpolate(plain.noise(3), plain.noise(0), 0.5f);
  EXPECT_NEAR(line.getValue(14), (first + 0.5f * second + 1.0f) * 0.5f, 1e-6);
  const float unwrapped = PerlinNoise::interpolate(plain.noise(1), plain.noise(2), 0.75f);
  EXPECT_GT(std::abs(first - unwrapped), 1e-3f);

  const PeriodicPerlinNoise square(1.0f, 0.125f, 0.5f, 1, 16, 2);
  const float corners =
      0.25f * (plain.noise(1, 1) + plain.noise(0, 1) + plain.noise(1, 0) + plain.noise(0, 0));
  EXPECT_NEAR(square.getValue(12, 12), (corners + 1.0f) * 0.5f, 1e-6);
}

TEST(PeriodicPerlinNoise, CubeLayersStackPlanesOfTheSquare) {
  const PeriodicPerlinNoise cube(1.0f, 0.5f, 0.5f, 2, 8, 3);
  const PeriodicPerlinNoise square(1.0f, 0.5f, 0.5f, 2, 8, 2);
  ASSERT_TRUE(cube.hasTable());
  PerlinNoise plain(1.0f, 0.5f, 0.5f, 2);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) ASSERT_EQ(cube.getValue(x, y, 0), square.getValue(x, y));
  }
  // Lattice coordinates stay below 8 * 0.5 = 4 (8 in the second octave) up to 2.
  for (int z = 1; z < 3; ++z) {
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 3; ++x) {
        ASSERT_FLOAT_EQ(cube.getValue(x, y, z),
                        plain.getValue(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
      }
    }
  }
  EXPECT_EQ(cube.getValue(2, 3, 8), cube.getValue(2, 3, 1));
}

// Sizes below two and tables too large are refused, and a refused table reads 0; so does a lookup
// of more axes than the table was sized for, instead of reading past its end.
TEST(PeriodicPerlinNoise, RefusedSizesAndLookupsOfMissingAxesReadZero) {
  expectRefused(PeriodicPerlinNoise(1.0f, 0.1f, 0.5f, 1, 1, 2));
  expectRefused(PeriodicPerlinNoise(1.0f, 0.1f, 0.5f, 1, -5, 3));
  expectRefused(PeriodicPerlinNoise(1.0f, 0.1f, 0.5f, 1, 70000, 2));
  PeriodicPerlinNoise noise(1.0f, 0.1f, 0.5f, 1, 2);
  noise.setSize(64, 1);
  expectRefused(noise);
  noise.setSize(INT_MAX, INT_MAX, INT_MAX);
  expectRefused(noise);
  noise.setSize(100000, 100000);
  EXPECT_EQ(noise.getErrorMessage(), "Noise table too large\n");
  noise.setSize(64, 64);
  EXPECT_TRUE(noise.hasTable() && noise.isValid() && noise.getErrorMessage().empty());
  const PeriodicPerlinNoise line(1.0f, 0.1f, 0.5f, 1, 64, 1);
  EXPECT_GT(line.getValue(10), 0.0f);
  EXPECT_EQ(line.getValue(10, 3), 0.0f);
  const PeriodicPerlinNoise square(1.0f, 0.1f, 0.5f, 1, 64, 2);
  EXPECT_EQ(square.getValue(10), square.getValue(10, 0));
  EXPECT_EQ(square.getValue(10, 3, 3), 0.0f);
}
