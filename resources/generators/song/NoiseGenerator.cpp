#include "resources/generators/song/NoiseGenerator.h"

// Zero is the one state xorshift never leaves.
NoiseGenerator::NoiseGenerator(uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}

uint32_t NoiseGenerator::nextBits() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

double NoiseGenerator::unit() { return (nextBits() >> 8) * (1.0 / 16777216.0); }

float NoiseGenerator::next() { return static_cast<float>(unit() * 2.0 - 1.0); }
