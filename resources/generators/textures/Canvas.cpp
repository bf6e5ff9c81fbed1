#include "resources/generators/textures/Canvas.h"

#include <algorithm>
#include <cmath>

#include "resources/generators/textures/AlphaMask.h"

namespace {

unsigned char toByte(float value) {
  return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width(width), height(height), pixels(static_cast<std::size_t>(width) * height) {}

Colour Canvas::get(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

void Canvas::set(int x, int y, const Colour& colour) {
  pixels[static_cast<std::size_t>(y) * width + x] = colour;
}

void Canvas::blend(int x, int y, const Colour& colour, float coverage) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  const float sa = std::clamp(colour.a * coverage, 0.0f, 1.0f);
  if (sa <= 0.0f) return;
  Colour& d = pixels[static_cast<std::size_t>(y) * width + x];
  const float da = d.a * (1.0f - sa);
  const float outA = sa + da;
  d.r = (colour.r * sa + d.r * da) / outA;
  d.g = (colour.g * sa + d.g * da) / outA;
  d.b = (colour.b * sa + d.b * da) / outA;
  d.a = outA;
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, const Colour& colour) {
  for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) blend(x, y, colour);
  }
}

void Canvas::stamp(const AlphaMask& mask, int x, int y, const Colour& colour) {
  for (int my = 0; my < mask.getHeight(); ++my) {
    for (int mx = 0; mx < mask.getWidth(); ++mx) blend(x + mx, y + my, colour, mask.get(mx, my));
  }
}

void Canvas::fillCapsule(float ax, float ay, float bx, float by, float radius, const Colour& colour) {
  const float dx = bx - ax, dy = by - ay, lengthSquared = dx * dx + dy * dy;
  const int x0 = static_cast<int>(std::floor(std::min(ax, bx) - radius - 1.0f));
  const int x1 = static_cast<int>(std::ceil(std::max(ax, bx) + radius + 1.0f));
  const int y0 = static_cast<int>(std::floor(std::min(ay, by) - radius - 1.0f));
  const int y1 = static_cast<int>(std::ceil(std::max(ay, by) + radius + 1.0f));
  for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) {
      const float px = x + 0.5f - ax, py = y + 0.5f - ay;
      const float t = lengthSquared > 0.0f ? std::clamp((px * dx + py * dy) / lengthSquared, 0.0f, 1.0f) : 0.0f;
      const float distance = std::hypot(px - t * dx, py - t * dy);
      // One pixel of soft edge keeps the outline free of stair steps.
      blend(x, y, colour, std::clamp(radius - distance + 0.5f, 0.0f, 1.0f));
    }
  }
}

std::vector<unsigned char> Canvas::toRgba8() const {
  std::vector<unsigned char> bytes;
  bytes.reserve(pixels.size() * 4);
  for (const Colour& c : pixels) {
    bytes.insert(bytes.end(), {toByte(c.r), toByte(c.g), toByte(c.b), toByte(c.a)});
  }
  return bytes;
}

int Canvas::channel8(int x, int y, int channel) const {
  const Colour c = get(x, y);
  const float values[4] = {c.r, c.g, c.b, c.a};
  return toByte(values[channel]);
}
