// The value noise of the flag effect, plain and as periodic tables that tile.
#include "qnvutils/PerlinNoise.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "qnvutils/PeriodicPerlinNoise.h"

namespace {

// With seeds (0, 0, c) every lattice point hashes to c, so the lattice is the constant 1 - c / divisor.
PerlinNoise constantLattice(float amplitude, float persistence, int octaves, int c, float divisor) {
  PerlinNoise noise(amplitude, 0.1f, persistence, octaves);
  noise.setSeed(0, 0, c, divisor);
  return noise;
}

void expectRefused(const PeriodicPerlinNoise& noise) {
  EXPECT_FALSE(noise.hasTable());
  EXPECT_FALSE(noise.isValid());
  EXPECT_FALSE(noise.getErrorMessage().empty());
  EXPECT_EQ(noise.getValue(0), 0.0f);
  EXPECT_EQ(noise.getValue(3, 5), 0.0f);
  EXPECT_EQ(noise.getValue(-7, 2, 9), 0.0f);
}

}  // namespace

// Lattice values lie in [-1, 1]; between them calcValue blends along a cosine, cells truncate
// toward zero (-0.5 lies in cell 0 with the weight of |fraction|), and coordinates beyond the int
// range pin the cell.
TEST(PerlinNoise, LatticeValuesAndTheCosineBlendBetweenThem) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  for (int n = -5000; n < 5000; ++n) {
    const float v = noise.noise(n, n / 3, n / 7);
    ASSERT_TRUE(v >= -1.0f && v <= 1.0f) << n;
  }
  EXPECT_FLOAT_EQ(noise.calcValue(3.0f), noise.noise(3));
  EXPECT_FLOAT_EQ(noise.calcValue(-4.0f, 6.0f), noise.noise(-4, 6));
  EXPECT_FLOAT_EQ(noise.calcValue(1.0f, 2.0f, 3.0f), noise.noise(1, 2, 3));
  EXPECT_NEAR(noise.calcValue(4.5f, 2.5f),
              0.25f * (noise.noise(4, 2) + noise.noise(5, 2) + noise.noise(4, 3) + noise.noise(5, 3)), 1e-6);
  EXPECT_NEAR(
      noise.calcValue(0.5f, 0.5f, 0.5f),
      0.125f * (noise.noise(0, 0, 0) + noise.noise(1, 0, 0) + noise.noise(0, 1, 0) + noise.noise(1, 1, 0) +
                noise.noise(0, 0, 1) + noise.noise(1, 0, 1) + noise.noise(0, 1, 1) + noise.noise(1, 1, 1)),
      1e-6);
  // A quarter of the way the cosine weight is (1 - cos(pi / 4)) / 2, not a quarter.
  const float w = 0.14644661f;
  EXPECT_NEAR(noise.calcValue(7.25f), (1.0f - w) * noise.noise(7) + w * noise.noise(8), 1e-6);
  EXPECT_FLOAT_EQ(noise.calcValue(-0.5f), noise.calcValue(0.5f));
  EXPECT_NEAR(noise.calcValue(-1.25f), PerlinNoise::interpolate(noise.noise(-1), noise.noise(0), 0.25f), 1e-6);
  EXPECT_NEAR(noise.calcValue(-2.75f, 1.0f),
              PerlinNoise::interpolate(noise.noise(-2, 1), noise.noise(-1, 1), 0.75f), 1e-6);
  EXPECT_FLOAT_EQ(noise.calcValue(1e12f), noise.noise(0));
  EXPECT_FLOAT_EQ(noise.calcValue(-3e9f, 2.0f), noise.noise(0, 2));
  EXPECT_FLOAT_EQ(noise.calcValue(16777216.0f), noise.noise(16777216));
}

TEST(PerlinNoise, GetValueMapsTheOctaveSumAndClampsToTheDefaultRange) {
  // Lattice -1 everywhere, one octave of amplitude 1: (-1 + 1) / 2 = 0.
  PerlinNoise low = constantLattice(1.0f, 0.5f, 1, 2, 1.0f);
  EXPECT_FLOAT_EQ(low.getValue(3.7f, 1.0f), 0.0f);
  // Lattice 1 with amplitude 0.5: 0.75 before clamping, above the default maximum 0.5.
  PerlinNoise high = constantLattice(0.5f, 0.5f, 1, 0, 1.0f);
  EXPECT_FLOAT_EQ(high.getValue(1.2f), 0.5f);
  EXPECT_FLOAT_EQ(high.getLastValue(), 0.5f);
  // Lattice -3: the sum lands below 0 and is clamped to the default minimum.
  PerlinNoise below = constantLattice(1.0f, 0.5f, 1, 4, 1.0f);
  EXPECT_FLOAT_EQ(below.getValue(0.3f, 0.4f, 0.5f), 0.0f);
}

TEST(PerlinNoise, ValueRangeClampsAndSetsTheAmplitude) {
  PerlinNoise noise(1.0f, 0.05f, 0.5f, 3);
  noise.setValueRange(0.2f, 0.8f);
  EXPECT_NEAR(noise.getAmplitude(), 0.6f, 1e-6);
  for (int i = 0; i < 2000; ++i) {
    const float v = noise.getValue(i * 0.73f, i * 0.11f);
    ASSERT_GE(v, 0.2f);
    ASSERT_LE(v, 0.8f);
  }
  noise.setValueRange(0.8f, -0.4f);
  EXPECT_NEAR(noise.getAmplitude(), 1.2f, 1e-6);

  PerlinNoise top = constantLattice(1.0f, 0.5f, 1, 0, 1.0f);
  top.setValueRange(0.2f, 0.8f);
  EXPECT_FLOAT_EQ(top.getValue(4.0f), 0.8f);
  PerlinNoise bottom = constantLattice(1.0f, 0.5f, 1, 4, 1.0f);
  bottom.setValueRange(0.2f, 0.8f);
  EXPECT_FLOAT_EQ(bottom.getValue(4.0f), 0.2f);
}

// The grid path must agree with sample-by-sample evaluation: the cloth flag's three
// generators on the flag's own coordinates, and grids with negative, fractional and wide rows.
TEST(PerlinNoise, GridEvaluationMatchesSingleSamples) {
  struct Case {
    float amplitude, frequency, persistence;
    int octaves;
    float xStart, xStep, yStart, yStep;
    int columns, rows;
    bool range;
  };
  const Case cases[] = {
      {0.525f, 0.01f, 1.0f, 1, 12.75f, 1.0f, 0.0f, 1.0f, 64, 64, false},
      {0.925f, 0.015f, 0.5f, 2, 12.75f, 1.0f, 0.0f, 1.0f, 64, 64, false},
      {1.0f, 0.025f, 0.33f, 3, 12.75f, 1.0f, 0.0f, 1.0f, 64, 64, true},
      {1.0f, 0.3f, 0.5f, 3, -40.3f, 0.37f, -7.9f, 0.61f, 300, 5, false},
      {0.8f, 1.7f, 0.6f, 4, 1000.5f, -3.1f, 3.3f, -2.2f, 7, 40, true},
  };
  for (const Case& c : cases) {
    PerlinNoise grid(c.amplitude, c.frequency, c.persistence, c.octaves);
    PerlinNoise single(c.amplitude, c.frequency, c.persistence, c.octaves);
    grid.setSeed(14731, 788221, 1370312589, 1072741632.0f);
    single.setSeed(14731, 788221, 1370312589, 1072741632.0f);
    if (c.range) {
      grid.setValueRange(-2.0f, 2.0f);
      single.setValueRange(-2.0f, 2.0f);
    }
    std::vector<float> xs(c.columns), ys(c.rows), out(c.columns * c.rows);
    for (int i = 0; i < c.columns; ++i) xs[i] = c.xStart + static_cast<float>(i) * c.xStep;
    for (int j = 0; j < c.rows; ++j) ys[j] = c.yStart + static_cast<float>(j) * c.yStep;
    grid.getValues(xs.data(), c.columns, ys.data(), c.rows, out.data());
    for (int j = 0; j < c.rows; ++j) {
      for (int i = 0; i < c.columns; ++i) {
        ASSERT_NEAR(out[j * c.columns + i], single.getValue(xs[i], ys[j]), 1e-6)
            << "column " << i << " row " << j;
      }
    }
    EXPECT_EQ(grid.getLastValue(), out.back());
  }
  PerlinNoise empty(1.0f, 0.1f, 0.5f, 2);
  float x = 1.0f, out = -5.0f;
  empty.getValues(&x, 0, &x, 1, &out);
  empty.getValues(&x, 1, &x, -3, &out);
  EXPECT_EQ(out, -5.0f) << "an empty grid writes nothing";
}

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
