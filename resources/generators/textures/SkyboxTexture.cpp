#include "resources/generators/textures/SkyboxTexture.h"

#include <algorithm>
#include <cmath>

#include "resources/generators/textures/SeededRandom.h"
#include "resources/generators/textures/TileNoise.h"

namespace {

constexpr float pi = 3.14159265f;
constexpr const char* faceNames[SkyboxTexture::faceCount] = {"north", "south", "east", "west", "top", "bottom"};

Colour mix(const Colour& a, const Colour& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, 1.0f};
}

// Azimuth 0 to 1 around the horizon and elevation -1 to 1 of a direction.
void sphereCoordinates(const float d[3], float& azimuth, float& elevation) {
  const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  elevation = d[1] / length;
  azimuth = (std::atan2(d[0], -d[2]) + pi) / (2.0f * pi);
}

// The skyline: 160 buildings around the horizon, each with a height (in elevation) and a seed
// for its windows.
struct Skyline {
  static constexpr int buildings = 160;
  float height[buildings];
  uint64_t seed[buildings];
  Skyline() {
    SeededRandom random(0x5C1E);
    for (int i = 0; i < buildings; ++i) {
      const float tall = random.unit() < 0.15f ? 0.05f : 0.0f;
      height[i] = 0.012f + random.unit() * 0.03f + tall;
      seed[i] = random.next();
    }
  }
};

// Lit windows: a grid of cells over azimuth and elevation, a third of them warm and bright.
float windowLight(const Skyline& skyline, int building, float azimuth, float elevation) {
  const int column = static_cast<int>(azimuth * Skyline::buildings * 6.0f);
  const int row = static_cast<int>((elevation + 0.1f) * 220.0f);
  const float cx = azimuth * Skyline::buildings * 6.0f - column, cy = (elevation + 0.1f) * 220.0f - row;
  if (cx < 0.25f || cx > 0.75f || cy < 0.3f || cy > 0.8f) return 0.0f;
  SeededRandom random(skyline.seed[building] ^ (static_cast<uint64_t>(column) * 7919u + row));
  return random.unit() < 0.35f ? 0.5f + 0.5f * random.unit() : 0.0f;
}

Colour skyColour(const float d[3]) {
  static const Skyline skyline;
  static const TileNoise clouds(0xC10D, 16);
  float azimuth, elevation;
  sphereCoordinates(d, azimuth, elevation);
  const Colour zenith{0.005f, 0.01f, 0.04f, 1.0f}, horizon{0.16f, 0.08f, 0.12f, 1.0f};
  const Colour glow{0.95f, 0.45f, 0.15f, 1.0f};
  const float up = std::max(elevation, 0.0f);
  Colour sky = mix(horizon, zenith, std::pow(up, 0.45f));
  // The city's light scattered in the haze, strongest just over the roofs.
  const float haze = std::exp(-up * 9.0f) * (0.55f + 0.45f * clouds.value(azimuth * 16.0f, 3.0f));
  sky = mix(sky, glow, 0.55f * haze);
  // Thin clouds lit from below, fading out towards the zenith where azimuth pinches together.
  const float cloud = clouds.fractal(azimuth * 16.0f, up * 12.0f, 4);
  const float cover = std::clamp((cloud - 0.55f) * 3.0f, 0.0f, 1.0f) * std::clamp(1.0f - up * 1.6f, 0.0f, 1.0f);
  sky = mix(sky, Colour{0.35f, 0.18f, 0.14f, 1.0f}, cover * 0.6f);
  const int building = std::min(static_cast<int>(azimuth * Skyline::buildings), Skyline::buildings - 1);
  if (elevation < skyline.height[building]) {
    const Colour wall{0.015f, 0.012f, 0.02f, 1.0f}, lit{1.0f, 0.78f, 0.4f, 1.0f};
    const float light = elevation > -0.02f ? windowLight(skyline, building, azimuth, elevation) : 0.0f;
    sky = mix(wall, lit, light);
  }
  return sky;
}

}  // namespace

std::string SkyboxTexture::fileName() const { return std::string("sky_") + faceNames[face] + ".png"; }

void SkyboxTexture::direction(Face face, float u, float v, float out[3]) {
  const float table[faceCount][3] = {
      {u, v, -1.0f}, {-u, v, 1.0f}, {1.0f, v, u}, {-1.0f, v, -u}, {u, 1.0f, -v}, {u, -1.0f, v}};
  std::copy(table[face], table[face] + 3, out);
}

Canvas SkyboxTexture::render(GlyphRasteriser&) const {
  Canvas canvas(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float d[3];
      direction(face, 2.0f * (x + 0.5f) / size - 1.0f, 1.0f - 2.0f * (y + 0.5f) / size, d);
      canvas.set(x, y, skyColour(d));
    }
  }
  drawStars(canvas);
  return canvas;
}

void SkyboxTexture::drawStars(Canvas& canvas) const {
  SeededRandom random(0x57A25);
  for (int i = 0; i < 2600; ++i) {
    // Uniform on the sphere: height uniform, angle uniform.
    const float y = 2.0f * random.unit() - 1.0f, angle = 2.0f * pi * random.unit();
    const float ring = std::sqrt(1.0f - y * y);
    const float star[3] = {ring * std::cos(angle), y, ring * std::sin(angle)};
    const float brightness = std::pow(random.unit(), 3.0f);
    const float warmth = random.unit();  // drawn before any face skips the star: one sequence
    if (y < 0.06f) continue;  // none in the glow over the roofs
    // The star's position on this face: solve direction(face, u, v) ~ star.
    float axis[3], uAxis[3], vAxis[3];
    direction(face, 0.0f, 0.0f, axis);
    direction(face, 1.0f, 0.0f, uAxis);
    direction(face, 0.0f, 1.0f, vAxis);
    const float along = star[0] * axis[0] + star[1] * axis[1] + star[2] * axis[2];
    if (along <= 0.0f) continue;
    float u = 0.0f, v = 0.0f;
    for (int k = 0; k < 3; ++k) {
      u += star[k] * (uAxis[k] - axis[k]);
      v += star[k] * (vAxis[k] - axis[k]);
    }
    u /= along;
    v /= along;
    if (std::abs(u) > 1.02f || std::abs(v) > 1.02f) continue;
    const float px = (u + 1.0f) * 0.5f * size, py = (1.0f - v) * 0.5f * size;
    const float fade = std::clamp((y - 0.06f) * 5.0f, 0.0f, 1.0f);
    const Colour tint{0.85f + 0.15f * warmth, 0.9f, 1.0f, (0.35f + 0.65f * brightness) * fade};
    canvas.fillCapsule(px, py, px, py, 0.45f + 0.9f * brightness, tint);
  }
}
