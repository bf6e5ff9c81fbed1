// White noise from a seeded xorshift generator: the same seed gives the same samples on every
// machine, which keeps the rendered song byte-identical between builds. No dependencies.
#pragma once

#include <cstdint>

class NoiseGenerator {
 public:
  explicit NoiseGenerator(uint32_t seed);

  // Uniform in [-1, 1).
  float next();
  // Uniform in [0, 1).
  double unit();

 private:
  uint32_t nextBits();

  uint32_t state;
};
