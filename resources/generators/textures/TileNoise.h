// Smooth value noise that tiles: a square lattice of seeded random values, interpolated with a
// smoothstep and wrapped at the lattice's period, so pictures built from it repeat without a seam.
// Depends on: SeededRandom.
#pragma once

#include <cstdint>
#include <vector>

class TileNoise {
 public:
  TileNoise(uint64_t seed, int period);

  // In 0 to 1; x and y in lattice cells, repeating every `period` cells in both directions.
  float value(float x, float y) const;
  // Octaves of doubling frequency and halving weight, normalised back to 0 to 1. Each octave
  // repeats within the period, so the sum tiles too.
  float fractal(float x, float y, int octaves) const;

 private:
  float lattice(int x, int y) const;

  int period;
  std::vector<float> values;
};
