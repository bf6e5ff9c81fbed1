// The flag plane with its noise baked once into three tiling 256 x 256 tables: waving reads one
// table entry per axis and vertex instead of evaluating noise. The plane maps the whole texture.
// Drawing shows the plane as it is; a shader may move it.
// Depends on: FlagPlane, PeriodicPerlinNoise.
#pragma once

#include <memory>

#include "production/effects/FlagPlane.h"
#include "qnvutils/PeriodicPerlinNoise.h"

class FlagPrecalced : public FlagPlane {
 public:
  static constexpr int tableSize = 256;

  FlagPrecalced(float width, float height, int columns, int rows);

  // Seeds of the tables calcNoise() builds next.
  void setSeedX(int a, int b, int c, float divisor) { seedX = {a, b, c, divisor}; }
  void setSeedY(int a, int b, int c, float divisor) { seedY = {a, b, c, divisor}; }
  void setSeedZ(int a, int b, int c, float divisor) { seedZ = {a, b, c, divisor}; }
  void calcNoise();

  // Displaces the vertices by the tables at column (integer part of i + phase) and row j; without
  // tables the plane stays at rest.
  void wave(float phase);
  void draw() { drawCloth(); }

 private:
  struct Seed {
    int a, b, c;
    float divisor;
  };
  static std::unique_ptr<PeriodicPerlinNoise> table(const Seed& seed, float amplitude, float frequency,
                                                    float persistence, int octaves);

  Seed seedX;
  Seed seedY;
  Seed seedZ;
  std::unique_ptr<PeriodicPerlinNoise> tableX;
  std::unique_ptr<PeriodicPerlinNoise> tableY;
  std::unique_ptr<PeriodicPerlinNoise> tableZ;
};
