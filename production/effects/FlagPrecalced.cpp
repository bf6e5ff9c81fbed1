#include "production/effects/FlagPrecalced.h"

#include "qnvutils/ValueNoise.h"

namespace {

constexpr FlagPlane::TextureArea wholeTexture{1.0f, 0.0f, 1.0f};
constexpr int dimensions = 2;

}  // namespace

FlagPrecalced::FlagPrecalced(float width, float height, int columns, int rows)
    : FlagPlane(width, height, columns, rows, wholeTexture) {
  const Seed standard{ValueNoise::defaultSeedA, ValueNoise::defaultSeedB, ValueNoise::defaultSeedC,
                      ValueNoise::defaultDivisor};
  seedX = seedY = seedZ = standard;
}

std::unique_ptr<PeriodicPerlinNoise> FlagPrecalced::table(const Seed& seed, float amplitude, float frequency,
                                                          float persistence, int octaves) {
  auto noise = std::make_unique<PeriodicPerlinNoise>(amplitude, frequency, persistence, octaves, dimensions);
  noise->setSeed(seed.a, seed.b, seed.c, seed.divisor);
  noise->setSize(tableSize, tableSize);
  return noise;
}

void FlagPrecalced::calcNoise() {
  tableX = table(seedX, 0.525f, 0.01f, 0.0f, 1);
  tableY = table(seedY, 0.925f, 0.015f, 0.5f, 2);
  tableZ = table(seedZ, 0.925f, 0.02f, 0.33f, 3);
}

void FlagPrecalced::wave(float phase) {
  if (!tableX || !tableY || !tableZ) return;
  writeWave([this, phase](int i, int j, int) {
    const int s = static_cast<int>(static_cast<float>(i) + phase);
    return Noise{tableX->getValue(s, j), tableY->getValue(s, j), tableZ->getValue(s, j)};
  });
}
