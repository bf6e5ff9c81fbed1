// Value noise baked once into a table that tiles: the lattice closes on itself at the table
// edge, octave by octave, and samples are read back by integer coordinates with a single
// array read. Tables of two or three dimensions are meant to be square or cubic.
// A table is refused (none is held, every lookup reads 0, isValid() is false) when a size
// is below 2, the sizes multiply beyond maxTableEntries, or dimensions is not 1, 2 or 3.
// Depends on: ValueNoise.
#pragma once

#include <string>
#include <vector>

class PeriodicPerlinNoise {
 public:
  static constexpr long maxTableEntries = 1L << 24;

  PeriodicPerlinNoise(float amplitude, float frequency, float persistence, int octaves, int dimensions);
  PeriodicPerlinNoise(float amplitude, float frequency, float persistence, int octaves, int size,
                      int dimensions);

  // Both only affect tables built afterwards.
  void setSeed(int a, int b, int c, float divisor);
  void setValueRange(float min, float max);

  // Rebuild the table for the configured dimensions; axes not given are one entry deep.
  void setSize(int x);
  void setSize(int x, int y);
  void setSize(int x, int y, int z);

  // Table reads. Coordinates repeat every size - 1 entries (negative ones too), so the last
  // row and column are never read. A lookup needing an axis the table lacks reads 0.
  float getValue(int x) const;
  float getValue(int x, int y) const;
  float getValue(int x, int y, int z) const;

  // The lattice wraps by the frequency of the octave being built.
  float noise(int x) const;
  float noise(int x, int y) const;
  float noise(int x, int y, int z) const;
  static float interpolate(float a, float b, float t);
  float calcValue(float x) const;
  float calcValue(float x, float y) const;
  float calcValue(float x, float y, float z) const;

  bool isValid() const { return errorMessage.empty(); }
  const std::string& getErrorMessage() const { return errorMessage; }
  bool hasTable() const { return !table.empty(); }

 private:
  auto lattice() const {
    return [this](int x, int y, int z) { return noise(x, y, z); };
  }
  void rebuild(int x, int y, int z, int givenSizes);
  bool acceptSizes(int givenSizes);
  template <class Sample>
  float octaveValue(const Sample& sampleAt);
  void fillTable();
  float entryValue(int x, int y, int z);
  int wrapLattice(int c, int size) const;
  static int wrapLookup(int c, int size);

  float amplitude;
  float frequency;
  float persistence;
  int octaves;
  int sizeX = 0;
  int sizeY = 0;
  int sizeZ = 0;
  int dimensions;
  std::vector<float> table;
  float sum = 0.0f;
  float currentFrequency = 0.0f;
  float currentAmplitude = 0.0f;
  int seedA;
  int seedB;
  int seedC;
  float divisor;
  float minValue = 0.0f;
  float maxValue;
  std::string errorMessage;
};
