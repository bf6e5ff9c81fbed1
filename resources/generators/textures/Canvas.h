// An RGBA picture being drawn by the texture generators, with the few painting operations they
// share: source-over blending of a colour, rectangles and coverage masks.
// Rows run top-down as in the image file; the engine's loader flips them, so row 0 ends up at
// texture coordinate t = 1 and the last row at t = 0.
// Depends on: AlphaMask.
#pragma once

#include <vector>

class AlphaMask;

struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;
};

class Canvas {
 public:
  // Transparent black.
  Canvas(int width, int height);

  int getWidth() const { return width; }
  int getHeight() const { return height; }

  Colour get(int x, int y) const;
  void set(int x, int y, const Colour& colour);
  // Source-over of the colour scaled by coverage (0 to 1); pixels outside are ignored.
  void blend(int x, int y, const Colour& colour, float coverage = 1.0f);
  // Blends the half-open rectangle [x0, x1) x [y0, y1).
  void fillRect(int x0, int y0, int x1, int y1, const Colour& colour);
  // Blends the colour through the mask, the mask's top-left pixel at (x, y).
  void stamp(const AlphaMask& mask, int x, int y, const Colour& colour);
  // Blends an anti-aliased capsule: every point within radius of the segment (ax, ay)-(bx, by),
  // in pixel units with pixel centres at half coordinates. A zero-length segment is a disc.
  void fillCapsule(float ax, float ay, float bx, float by, float radius, const Colour& colour);

  // Channels rounded to 8 bits, RGBA, rows as stored.
  std::vector<unsigned char> toRgba8() const;
  // The 8-bit value of one channel (0 red .. 3 alpha) of a pixel, as it will be written.
  int channel8(int x, int y, int channel) const;

 private:
  int width;
  int height;
  std::vector<Colour> pixels;
};
