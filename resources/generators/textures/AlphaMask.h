// A coverage mask (one float per pixel, 0 to 1, rows top-down) with the operations the glow and
// outline of generated lettering need.
// Depends on: nothing.
#pragma once

#include <vector>

class AlphaMask {
 public:
  AlphaMask() = default;
  AlphaMask(int width, int height);

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  float get(int x, int y) const;
  void set(int x, int y, float value);
  // Pixels outside read as 0.
  float sample(int x, int y) const;

  // Maximum of the source into this mask, the source's top-left pixel at (x, y).
  void combine(const AlphaMask& source, int x, int y);
  // The same mask with margin empty pixels on every side.
  AlphaMask padded(int margin) const;
  // Each pixel the maximum over a disc of the given radius: a thicker outline of the shape.
  AlphaMask dilated(int radius) const;
  // Three box passes of the given radius in each direction: close to a Gaussian.
  AlphaMask blurred(int radius) const;
  // Every value multiplied by factor and clamped to 1.
  AlphaMask scaled(float factor) const;

 private:
  AlphaMask boxPass(int radius, bool horizontal) const;

  int width = 0;
  int height = 0;
  std::vector<float> values;
};
