#include "resources/generators/textures/AlphaMask.h"

#include <algorithm>

AlphaMask::AlphaMask(int width, int height)
    : width(width), height(height), values(static_cast<std::size_t>(width) * height, 0.0f) {}

float AlphaMask::get(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }

void AlphaMask::set(int x, int y, float value) { values[static_cast<std::size_t>(y) * width + x] = value; }

float AlphaMask::sample(int x, int y) const {
  return (x < 0 || y < 0 || x >= width || y >= height) ? 0.0f : get(x, y);
}

void AlphaMask::combine(const AlphaMask& source, int x, int y) {
  for (int sy = 0; sy < source.height; ++sy) {
    for (int sx = 0; sx < source.width; ++sx) {
      const int tx = x + sx, ty = y + sy;
      if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
      set(tx, ty, std::max(get(tx, ty), source.get(sx, sy)));
    }
  }
}

AlphaMask AlphaMask::padded(int margin) const {
  AlphaMask result(width + 2 * margin, height + 2 * margin);
  result.combine(*this, margin, margin);
  return result;
}

AlphaMask AlphaMask::dilated(int radius) const {
  AlphaMask result(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float best = 0.0f;
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          if (dx * dx + dy * dy <= radius * radius) best = std::max(best, sample(x + dx, y + dy));
        }
      }
      result.set(x, y, best);
    }
  }
  return result;
}

AlphaMask AlphaMask::boxPass(int radius, bool horizontal) const {
  AlphaMask result(width, height);
  const float norm = 1.0f / static_cast<float>(2 * radius + 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float sum = 0.0f;
      for (int d = -radius; d <= radius; ++d) sum += horizontal ? sample(x + d, y) : sample(x, y + d);
      result.set(x, y, sum * norm);
    }
  }
  return result;
}

AlphaMask AlphaMask::blurred(int radius) const {
  AlphaMask result = *this;
  for (int pass = 0; pass < 3; ++pass) result = result.boxPass(radius, true).boxPass(radius, false);
  return result;
}

AlphaMask AlphaMask::scaled(float factor) const {
  AlphaMask result = *this;
  for (float& v : result.values) v = std::min(v * factor, 1.0f);
  return result;
}
