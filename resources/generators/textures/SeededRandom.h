// A small pseudo-random generator (SplitMix64) whose sequence is the same on every platform and
// library, so generated pictures come out byte for byte the same on every build.
// Depends on: nothing.
#pragma once

#include <cstdint>

class SeededRandom {
 public:
  explicit SeededRandom(uint64_t seed) : state(seed) {}

  uint64_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  float unit() { return static_cast<float>(next() >> 40) / 16777216.0f; }
  // Uniform in [low, high].
  int range(int low, int high) {
    return low + static_cast<int>(next() % static_cast<uint64_t>(high - low + 1));
  }
  unsigned char byte() { return static_cast<unsigned char>(next() >> 56); }

 private:
  uint64_t state;
};
