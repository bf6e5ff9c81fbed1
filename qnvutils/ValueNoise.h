// The value-noise arithmetic shared by PerlinNoise and PeriodicPerlinNoise: the integer
// lattice hash, the cosine blend between lattice values, the octave sum and the mapping of
// a sum into the output range. The classes differ only in how they address the lattice,
// which they pass in as a callable lattice(x, y, z) -> float.
// Depends on: nothing.
#pragma once

#include <cmath>

class ValueNoise {
 public:
  static constexpr int defaultSeedA = 15731;
  static constexpr int defaultSeedB = 789221;
  static constexpr int defaultSeedC = 1376312589;
  static constexpr float defaultDivisor = 1073741824.0f;

  // A lattice cell along one axis: the coordinate truncated toward zero and the cosine
  // weight of its fractional part (negative below zero, where the weight mirrors).
  struct Axis {
    int cell;
    float weight;
  };

  // Lattice value of the combined coordinate n, in (-1, 1] for the default constants.
  // Unsigned arithmetic keeps the wrap-around well defined.
  static float hash(unsigned int n, int seedA, int seedB, int seedC, float divisor) {
    const unsigned int m = (n << 13) ^ n;
    const unsigned int h = (m * m * static_cast<unsigned int>(seedA) + static_cast<unsigned int>(seedB)) * m +
                           static_cast<unsigned int>(seedC);
    return 1.0f - static_cast<float>(h & 0x7fffffffu) / divisor;
  }

  static unsigned int combine(int x, int y, int z) {
    return static_cast<unsigned int>(x) + 57u * static_cast<unsigned int>(y) +
           13u * static_cast<unsigned int>(z);
  }

  static float weight(float t) { return (1.0f - std::cos(t * pi)) * 0.5f; }
  static float blend(float a, float b, float w) { return (1.0f - w) * a + w * b; }
  static float interpolate(float a, float b, float t) { return blend(a, b, weight(t)); }

  static Axis axis(float coordinate) {
    // Outside the int range (or NaN) there is no fraction left to blend; pin the cell
    // rather than convert out of range.
    if (!(coordinate > -cellLimit && coordinate < cellLimit)) return {0, 0.0f};
    const int cell = static_cast<int>(coordinate);
    return {cell, weight(coordinate - static_cast<float>(cell))};
  }

  // The four lattice values around a cell of a plane, for samples that share the cell.
  struct Corners {
    float x0y0, x1y0, x0y1, x1y1;
  };
  template <class Lattice>
  static Corners corners(const Lattice& lattice, int x, int y, int z) {
    return {lattice(x, y, z), lattice(x + 1, y, z), lattice(x, y + 1, z), lattice(x + 1, y + 1, z)};
  }
  // Along x first, then y.
  static float blend(const Corners& c, float wx, float wy) {
    return blend(blend(c.x0y0, c.x1y0, wx), blend(c.x0y1, c.x1y1, wx), wy);
  }

  template <class Lattice>
  static float sample(const Lattice& lattice, Axis x, int y, int z) {
    return blend(lattice(x.cell, y, z), lattice(x.cell + 1, y, z), x.weight);
  }
  template <class Lattice>
  static float sample(const Lattice& lattice, Axis x, Axis y, int z) {
    return blend(corners(lattice, x.cell, y.cell, z), x.weight, y.weight);
  }
  template <class Lattice>
  static float sample(const Lattice& lattice, Axis x, Axis y, Axis z) {
    return blend(sample(lattice, x, y, z.cell), sample(lattice, x, y, z.cell + 1), z.weight);
  }

  // sum += sampleAt(frequency) * amplitude per octave, the frequency doubling and the
  // amplitude scaled by persistence after each. The running values are the caller's so
  // that a lattice depending on the current frequency can read it.
  template <class Sample>
  static void sumOctaves(float& sum, float& frequency, float& amplitude, float persistence, int octaves,
                         const Sample& sampleAt) {
    for (int octave = 0; octave < octaves; ++octave) {
      sum += sampleAt(frequency) * amplitude;
      frequency *= 2.0f;
      amplitude *= persistence;
    }
  }

  // Maps an octave sum from [-1, 1] to [0, 1] and clamps it into [minValue, maxValue].
  static float toRange(float sum, float minValue, float maxValue) {
    float value = (sum + 1.0f) * 0.5f;
    if (value < minValue) value = minValue;
    if (value > maxValue) value = maxValue;
    return value;
  }

 private:
  static constexpr float pi = 3.1415927f;
  static constexpr float cellLimit = 2147483648.0f;
};
