#include "resources/generators/textures/TileNoise.h"

#include <cmath>

#include "resources/generators/textures/SeededRandom.h"

TileNoise::TileNoise(uint64_t seed, int period) : period(period), values(static_cast<std::size_t>(period) * period) {
  SeededRandom random(seed);
  for (float& v : values) v = random.unit();
}

float TileNoise::lattice(int x, int y) const {
  const int wx = ((x % period) + period) % period, wy = ((y % period) + period) % period;
  return values[static_cast<std::size_t>(wy) * period + wx];
}

float TileNoise::value(float x, float y) const {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  auto smooth = [](float t) { return t * t * (3.0f - 2.0f * t); };
  const float tx = smooth(x - fx), ty = smooth(y - fy);
  const float top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * tx;
  const float bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

float TileNoise::fractal(float x, float y, int octaves) const {
  float sum = 0.0f, weight = 1.0f, total = 0.0f, scale = 1.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += value(x * scale, y * scale) * weight;
    total += weight;
    weight *= 0.5f;
    scale *= 2.0f;
  }
  return sum / total;
}
