#include "qnvutils/PerlinNoise.h"

#include "qnvutils/ValueNoise.h"

PerlinNoise::PerlinNoise(float amplitude, float frequency, float persistence, int octaves)
    : amplitude(amplitude),
      frequency(frequency),
      persistence(persistence),
      octaves(octaves),
      seedA(ValueNoise::defaultSeedA),
      seedB(ValueNoise::defaultSeedB),
      seedC(ValueNoise::defaultSeedC),
      divisor(ValueNoise::defaultDivisor),
      maxValue(amplitude) {}

void PerlinNoise::setSeed(int a, int b, int c, float divisor) {
  seedA = a;
  seedB = b;
  seedC = c;
  this->divisor = divisor;
}

void PerlinNoise::setValueRange(float min, float max) {
  minValue = min;
  maxValue = max;
  amplitude = max > min ? max - min : min - max;
}

float PerlinNoise::noise(int x) const { return noise(x, 0, 0); }

float PerlinNoise::noise(int x, int y) const { return noise(x, y, 0); }

float PerlinNoise::noise(int x, int y, int z) const {
  return ValueNoise::hash(ValueNoise::combine(x, y, z), seedA, seedB, seedC, divisor);
}

float PerlinNoise::interpolate(float a, float b, float t) { return ValueNoise::interpolate(a, b, t); }

float PerlinNoise::calcValue(float x) const {
  return ValueNoise::sample(lattice(), ValueNoise::axis(x), 0, 0);
}

float PerlinNoise::calcValue(float x, float y) const {
  return ValueNoise::sample(lattice(), ValueNoise::axis(x), ValueNoise::axis(y), 0);
}

float PerlinNoise::calcValue(float x, float y, float z) const {
  return ValueNoise::sample(lattice(), ValueNoise::axis(x), ValueNoise::axis(y), ValueNoise::axis(z));
}

template <class Sample>
float PerlinNoise::octaveValue(const Sample& sampleAt) {
  float sum = 0.0f;
  float f = frequency;
  float a = amplitude;
  ValueNoise::sumOctaves(sum, f, a, persistence, octaves, sampleAt);
  lastValue = ValueNoise::toRange(sum, minValue, maxValue);
  return lastValue;
}

float PerlinNoise::getValue(float x) {
  return octaveValue([&](float f) { return calcValue(x * f); });
}

float PerlinNoise::getValue(float x, float y) {
  return octaveValue([&](float f) { return calcValue(x * f, y * f); });
}

float PerlinNoise::getValue(float x, float y, float z) {
  return octaveValue([&](float f) { return calcValue(x * f, y * f, z * f); });
}

void PerlinNoise::getValues(const float* xs, int countX, const float* ys, int countY, float* out) {
  if (countX <= 0 || countY <= 0) return;
  const long count = static_cast<long>(countX) * countY;
  for (long k = 0; k < count; ++k) out[k] = 0.0f;
  float f = frequency;
  float a = amplitude;
  for (int octave = 0; octave < octaves; ++octave) {
    addOctave(f, a, xs, countX, ys, countY, out);
    f *= 2.0f;
    a *= persistence;
  }
  for (long k = 0; k < count; ++k) out[k] = ValueNoise::toRange(out[k], minValue, maxValue);
  lastValue = out[count - 1];
}

// Adds one octave to every sum of the grid. Columns are taken in blocks so that their
// axes fit on the stack; each row's axis is computed once per block, and neighbouring
// samples in the same lattice cell share its corner values.
void PerlinNoise::addOctave(float f, float a, const float* xs, int countX, const float* ys, int countY,
                            float* sums) const {
  constexpr int blockSize = 256;
  ValueNoise::Axis columns[blockSize];
  for (int first = 0; first < countX; first += blockSize) {
    const int width = countX - first < blockSize ? countX - first : blockSize;
    for (int c = 0; c < width; ++c) columns[c] = ValueNoise::axis(xs[first + c] * f);
    for (int j = 0; j < countY; ++j) {
      const ValueNoise::Axis row = ValueNoise::axis(ys[j] * f);
      float* rowSums = sums + static_cast<long>(j) * countX + first;
      ValueNoise::Corners corners = ValueNoise::corners(lattice(), columns[0].cell, row.cell, 0);
      for (int c = 0; c < width; ++c) {
        if (c > 0 && columns[c].cell != columns[c - 1].cell) {
          corners = ValueNoise::corners(lattice(), columns[c].cell, row.cell, 0);
        }
        rowSums[c] += ValueNoise::blend(corners, columns[c].weight, row.weight) * a;
      }
    }
  }
}
