#include "qnvutils/PeriodicPerlinNoise.h"

#include <cmath>

#include "qnvutils/ValueNoise.h"

PeriodicPerlinNoise::PeriodicPerlinNoise(float amplitude, float frequency, float persistence, int octaves,
                                         int dimensions)
    : amplitude(amplitude),
      frequency(frequency),
      persistence(persistence),
      octaves(octaves),
      dimensions(dimensions),
      seedA(ValueNoise::defaultSeedA),
      seedB(ValueNoise::defaultSeedB),
      seedC(ValueNoise::defaultSeedC),
      divisor(ValueNoise::defaultDivisor),
      maxValue(amplitude) {}

PeriodicPerlinNoise::PeriodicPerlinNoise(float amplitude, float frequency, float persistence, int octaves,
                                         int size, int dimensions)
    : PeriodicPerlinNoise(amplitude, frequency, persistence, octaves, dimensions) {
  rebuild(size, dimensions >= 2 ? size : 1, dimensions >= 3 ? size : 1, dimensions);
}

void PeriodicPerlinNoise::setSeed(int a, int b, int c, float divisor) {
  seedA = a;
  seedB = b;
  seedC = c;
  this->divisor = divisor;
}

void PeriodicPerlinNoise::setValueRange(float min, float max) {
  minValue = min;
  maxValue = max;
  amplitude = max > min ? max - min : min - max;
}

void PeriodicPerlinNoise::setSize(int x) { rebuild(x, 1, 1, 1); }

void PeriodicPerlinNoise::setSize(int x, int y) { rebuild(x, y, 1, 2); }

void PeriodicPerlinNoise::setSize(int x, int y, int z) { rebuild(x, y, z, 3); }

void PeriodicPerlinNoise::rebuild(int x, int y, int z, int givenSizes) {
  std::vector<float>().swap(table);
  sizeX = x;
  sizeY = y;
  sizeZ = z;
  errorMessage.clear();
  if (!acceptSizes(givenSizes)) return;
  table.assign(static_cast<std::size_t>(sizeX) * sizeY * sizeZ, 0.0f);
  fillTable();
}

// Lookups divide by size - 1, and the product of the sizes must stay a sane allocation.
bool PeriodicPerlinNoise::acceptSizes(int givenSizes) {
  if (dimensions < 1 || dimensions > 3) {
    errorMessage = "Noise table dimensions must be 1, 2 or 3\n";
    return false;
  }
  const int sizes[3] = {sizeX, sizeY, sizeZ};
  long entries = 1;
  for (int axis = 0; axis < 3; ++axis) {
    if (sizes[axis] < (axis < givenSizes ? 2 : 1)) {
      errorMessage = "Noise table sizes must be at least 2\n";
      return false;
    }
    entries *= sizes[axis];
    if (entries > maxTableEntries) {
      errorMessage = "Noise table too large\n";
      return false;
    }
  }
  return true;
}

// Entries are stored with x varying fastest, then y, then z. Rows are sizeX entries long,
// which for the square tables in use is the same as sizeY and keeps any other shape inside
// the table.
void PeriodicPerlinNoise::fillTable() {
  const int depth = dimensions == 3 ? sizeZ : 1;
  const int height = dimensions >= 2 ? sizeY : 1;
  std::size_t k = 0;
  for (int z = 0; z < depth; ++z) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < sizeX; ++x) table[k++] = entryValue(x, y, z);
    }
  }
}

float PeriodicPerlinNoise::entryValue(int x, int y, int z) {
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  const float fz = static_cast<float>(z);
  switch (dimensions) {
    case 1:
      return octaveValue([&](float f) { return calcValue(fx * f); });
    case 2:
      return octaveValue([&](float f) { return calcValue(fx * f, fy * f); });
    default:
      return octaveValue([&](float f) { return calcValue(fx * f, fy * f, fz * f); });
  }
}

// The working state lives in the object because the wrapping lattice reads the frequency
// of the octave being computed.
template <class Sample>
float PeriodicPerlinNoise::octaveValue(const Sample& sampleAt) {
  sum = 0.0f;
  currentFrequency = frequency;
  currentAmplitude = amplitude;
  ValueNoise::sumOctaves(sum, currentFrequency, currentAmplitude, persistence, octaves, sampleAt);
  return ValueNoise::toRange(sum, minValue, maxValue);
}

float PeriodicPerlinNoise::getValue(int x) const {
  if (table.empty()) return 0.0f;
  return table[wrapLookup(x, sizeX)];
}

float PeriodicPerlinNoise::getValue(int x, int y) const {
  if (table.empty() || sizeY < 2) return 0.0f;
  return table[static_cast<std::size_t>(sizeX) * wrapLookup(y, sizeY) + wrapLookup(x, sizeX)];
}

float PeriodicPerlinNoise::getValue(int x, int y, int z) const {
  if (table.empty() || sizeY < 2 || sizeZ < 2) return 0.0f;
  const std::size_t plane = static_cast<std::size_t>(sizeX) * sizeY;
  return table[plane * wrapLookup(z, sizeZ) + static_cast<std::size_t>(sizeX) * wrapLookup(y, sizeY) +
               wrapLookup(x, sizeX)];
}

int PeriodicPerlinNoise::wrapLookup(int c, int size) {
  const int period = size - 1;
  const int r = c % period;
  return r < 0 ? r + period : r;
}

// A lattice coordinate at or past size x current frequency (truncated) folds back to 0.
int PeriodicPerlinNoise::wrapLattice(int c, int size) const {
  const float limit = static_cast<float>(size) * currentFrequency;
  return static_cast<double>(c) < std::trunc(static_cast<double>(limit)) ? c : 0;
}

float PeriodicPerlinNoise::noise(int x) const { return noise(x, 0, 0); }

float PeriodicPerlinNoise::noise(int x, int y) const { return noise(x, y, 0); }

float PeriodicPerlinNoise::noise(int x, int y, int z) const {
  const unsigned int n =
      ValueNoise::combine(wrapLattice(x, sizeX), wrapLattice(y, sizeY), wrapLattice(z, sizeZ));
  return ValueNoise::hash(n, seedA, seedB, seedC, divisor);
}

float PeriodicPerlinNoise::interpolate(float a, float b, float t) { return ValueNoise::interpolate(a, b, t); }

float PeriodicPerlinNoise::calcValue(float x) const {
  return ValueNoise::sample(lattice(), ValueNoise::axis(x), 0, 0);
}

float PeriodicPerlinNoise::calcValue(float x, float y) const {
  return ValueNoise::sample(lattice(), ValueNoise::axis(x), ValueNoise::axis(y), 0);
}

float PeriodicPerlinNoise::calcValue(float x, float y, float z) const {
  return ValueNoise::sample(lattice(), ValueNoise::axis(x), ValueNoise::axis(y), ValueNoise::axis(z));
}
