// Test helper: runs `demosys scene render` on a scene file at 320 x 180 and sorts the PNG's pixels
// into a few hues (background, red, green, yellow, blue), with where each lies in the picture.
// Depends on: ToolRun, Image (DevIL decoding).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "qnvutils/Image.h"
#include "tests/support/ToolRun.h"

enum Hue { BACKGROUND, RED, GREEN, YELLOW, BLUE, OTHER };

inline Hue hue(const unsigned char* p) {
  const int r = p[0], g = p[1], b = p[2];
  if (r < 40 && g < 40 && b < 40) return BACKGROUND;
  if (r > 2 * g && r > 2 * b) return RED;
  if (g > 2 * r && g > 2 * b) return GREEN;
  if (r > 2 * b && g > 2 * b) return YELLOW;
  return b > 2 * r && b > 2 * g ? BLUE : OTHER;
}

// Where one hue lies in a picture, rows counted from the bottom.
struct Extent {
  int count = 0, left = 1 << 20, right = -1, bottom = 1 << 20, top = -1;
  long rowSum = 0;
  double meanRow() const { return count == 0 ? 0.0 : static_cast<double>(rowSum) / count; }
  bool upright() const { return top - bottom > 3 * (right - left) / 2; }  // clearly taller than wide
  void add(int x, int y) {
    ++count, rowSum += y;
    left = std::min(left, x), right = std::max(right, x), bottom = std::min(bottom, y), top = std::max(top, y);
  }
};

struct ScenePreviewRun {
  int status = -1;
  std::string out;  // the tool's
  Extent hues[OTHER + 1];
  Hue centre = OTHER;  // the hue at the picture's centre
  bool borderClear = true;

  // png is overwritten; options follow the file and the size.
  static ScenePreviewRun of(const std::string& scene, const std::string& png, const std::string& options) {
    ScenePreviewRun p;
    std::remove(png.c_str());
    ToolRun run = ToolRun::of("scene render " + scene + " --size 320x180 --out " + png + " " + options);
    p.status = run.status, p.out = run.out;
    if (run.status != 0) return p;
    Image image(png);
    const int w = image.getWidth(), h = image.getHeight();
    EXPECT_TRUE(w == 320 && h == 180 && image.getData() != nullptr) << w << "x" << h;
    if (image.getData() == nullptr) return p;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const Hue c = hue(image.getData() + (y * w + x) * image.getPixelSize());
        p.hues[c].add(x, y);
        if (x == w / 2 && y == h / 2) p.centre = c;
        if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && c != BACKGROUND) p.borderClear = false;
      }
    }
    return p;
  }
};
