#include "qnvutils/PerlinNoise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// With seeds (0, 0, c) every lattice point hashes to c, so the lattice is the constant 1 - c / divisor.
PerlinNoise constantLattice(float amplitude, float persistence, int octaves, int c, float divisor) {
  PerlinNoise noise(amplitude, 0.1f, persistence, octaves);
  noise.setSeed(0, 0, c, divisor);
  return noise;
}

}  // namespace

TEST(PerlinNoise, LatticeHashWithDefaultSeeds) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  // n = 0: m = 0, the hash is seedC itself.
  EXPECT_FLOAT_EQ(noise.noise(0), 1.0f - 1376312589.0f / 1073741824.0f);
  EXPECT_NEAR(noise.noise(0), 1.0 - 1376312589.0 / 1073741824.0, 1e-6);
  EXPECT_FLOAT_EQ(noise.noise(1), -0.22637308f);
  // Negative coordinates wrap as unsigned: n = 0xffffffff.
  EXPECT_FLOAT_EQ(noise.noise(-1), 0.90012628f);
}

TEST(PerlinNoise, LatticeCoordinatesCombineAsXPlus57YPlus13Z) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  EXPECT_EQ(noise.noise(1, 1), noise.noise(58));
  EXPECT_EQ(noise.noise(0, 0, 1), noise.noise(13));
  EXPECT_EQ(noise.noise(2, 3, 4), noise.noise(2 + 57 * 3 + 13 * 4));
  EXPECT_EQ(noise.noise(5, 0), noise.noise(5));
  EXPECT_NE(noise.noise(1), noise.noise(2));
}

TEST(PerlinNoise, LatticeValuesStayInMinusOneToOne) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  for (int n = -5000; n < 5000; ++n) {
    const float v = noise.noise(n, n / 3, n / 7);
    ASSERT_GE(v, -1.0f);
    ASSERT_LE(v, 1.0f);
  }
}

TEST(PerlinNoise, SeedsReplaceTheHashConstants) {
  PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  const float before = noise.noise(7, 3);
  noise.setSeed(15431, 789021, 1376412589, 1073441728.0f);
  EXPECT_NE(noise.noise(7, 3), before);
  noise.setSeed(0, 0, 0, 1.0f);
  EXPECT_EQ(noise.noise(7, 3), 1.0f);
  EXPECT_EQ(noise.noise(-40, 12, 9), 1.0f);
}

TEST(PerlinNoise, CalcValueAtIntegersIsTheLatticeValue) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  EXPECT_FLOAT_EQ(noise.calcValue(3.0f), noise.noise(3));
  EXPECT_FLOAT_EQ(noise.calcValue(2.0f, 5.0f), noise.noise(2, 5));
  EXPECT_FLOAT_EQ(noise.calcValue(1.0f, 2.0f, 3.0f), noise.noise(1, 2, 3));
  EXPECT_FLOAT_EQ(noise.calcValue(-4.0f, 6.0f), noise.noise(-4, 6));
}

TEST(PerlinNoise, CalcValueBlendsNeighboursAlongACosine) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  EXPECT_NEAR(noise.calcValue(0.5f), 0.5f * (noise.noise(0) + noise.noise(1)), 1e-6);
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
}

TEST(PerlinNoise, NegativeCoordinatesTruncateTowardZero) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  // -0.5 lies in cell 0 (not -1), with the weight of |fraction|.
  EXPECT_FLOAT_EQ(noise.calcValue(-0.5f), noise.calcValue(0.5f));
  EXPECT_NEAR(noise.calcValue(-1.25f), PerlinNoise::interpolate(noise.noise(-1), noise.noise(0), 0.25f),
              1e-6);
  EXPECT_NEAR(noise.calcValue(-2.75f, 1.0f),
              PerlinNoise::interpolate(noise.noise(-2, 1), noise.noise(-1, 1), 0.75f), 1e-6);
}

TEST(PerlinNoise, InterpolateFollowsHalfACosine) {
  EXPECT_FLOAT_EQ(PerlinNoise::interpolate(2.0f, 6.0f, 0.0f), 2.0f);
  EXPECT_FLOAT_EQ(PerlinNoise::interpolate(2.0f, 6.0f, 1.0f), 6.0f);
  EXPECT_FLOAT_EQ(PerlinNoise::interpolate(2.0f, 6.0f, 0.5f), 4.0f);
  EXPECT_NEAR(PerlinNoise::interpolate(0.0f, 1.0f, 0.75f), 0.85355339f, 1e-6);
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

TEST(PerlinNoise, OctavesScaleByPersistence) {
  // Lattice -0.5, amplitudes 1 and 0.5: sum -0.75, mapped (1 - 0.75) / 2.
  PerlinNoise noise = constantLattice(1.0f, 0.5f, 2, 3, 2.0f);
  EXPECT_FLOAT_EQ(noise.getValue(9.1f, 2.0f), 0.125f);
  // Lattice 0.5 over three octaves with persistence 0.25: sum 0.5 * (1 + 0.25 + 0.0625).
  PerlinNoise three = constantLattice(1.0f, 0.25f, 3, 1, 2.0f);
  EXPECT_FLOAT_EQ(three.getValue(1.0f), (0.65625f + 1.0f) * 0.5f);
}

TEST(PerlinNoise, OctavesDoubleTheFrequency) {
  PerlinNoise noise(1.0f, 0.3f, 0.5f, 2);
  const float x = 5.3f;
  const float y = 2.0f;
  const float z = -1.7f;
  const auto expected = [](float sum) { return std::clamp((sum + 1.0f) * 0.5f, 0.0f, 1.0f); };
  EXPECT_NEAR(noise.getValue(x), expected(noise.calcValue(x * 0.3f) + 0.5f * noise.calcValue(x * 0.6f)),
              1e-6);
  EXPECT_NEAR(noise.getValue(x, y),
              expected(noise.calcValue(x * 0.3f, y * 0.3f) + 0.5f * noise.calcValue(x * 0.6f, y * 0.6f)),
              1e-6);
  EXPECT_NEAR(noise.getValue(x, y, z),
              expected(noise.calcValue(x * 0.3f, y * 0.3f, z * 0.3f) +
                       0.5f * noise.calcValue(x * 0.6f, y * 0.6f, z * 0.6f)),
              1e-6);
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

TEST(PerlinNoise, CoordinatesBeyondTheIntRangePinTheCell) {
  const PerlinNoise noise(1.0f, 1.0f, 0.5f, 1);
  EXPECT_FLOAT_EQ(noise.calcValue(1e12f), noise.noise(0));
  EXPECT_FLOAT_EQ(noise.calcValue(-3e9f, 2.0f), noise.noise(0, 2));
  EXPECT_FLOAT_EQ(noise.calcValue(16777216.0f), noise.noise(16777216));
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
}

TEST(PerlinNoise, EmptyGridWritesNothing) {
  PerlinNoise noise(1.0f, 0.1f, 0.5f, 2);
  float x = 1.0f;
  float out = -5.0f;
  noise.getValues(&x, 0, &x, 1, &out);
  noise.getValues(&x, 1, &x, -3, &out);
  EXPECT_EQ(out, -5.0f);
  EXPECT_EQ(noise.getLastValue(), 0.0f);
}
