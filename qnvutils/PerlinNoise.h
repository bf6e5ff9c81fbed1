// Value noise evaluated on demand: hashed lattice values blended along a cosine, summed
// over octaves and mapped into a clamped [0, 1] range. The cloth flags displace their
// vertices with it every frame, so nothing here allocates.
// Depends on: ValueNoise.
#pragma once

class PerlinNoise {
 public:
  PerlinNoise(float amplitude, float frequency, float persistence, int octaves);

  void setSeed(int a, int b, int c, float divisor);
  // Clamp range of getValue; the octave amplitude becomes the width of the range.
  void setValueRange(float min, float max);

  float noise(int x) const;
  float noise(int x, int y) const;
  float noise(int x, int y, int z) const;
  static float interpolate(float a, float b, float t);

  float calcValue(float x) const;
  float calcValue(float x, float y) const;
  float calcValue(float x, float y, float z) const;

  float getValue(float x);
  float getValue(float x, float y);
  float getValue(float x, float y, float z);
  // out[j * countX + i] = getValue(xs[i], ys[j]) for a whole grid of samples, with the
  // per-column and per-row weights computed once per octave instead of per sample.
  void getValues(const float* xs, int countX, const float* ys, int countY, float* out);

  float getLastValue() const { return lastValue; }
  float getAmplitude() const { return amplitude; }

 private:
  auto lattice() const {
    return [this](int x, int y, int z) { return noise(x, y, z); };
  }
  template <class Sample>
  float octaveValue(const Sample& sampleAt);
  void addOctave(float f, float a, const float* xs, int countX, const float* ys, int countY,
                 float* sums) const;

  float amplitude;
  float frequency;
  float persistence;
  int octaves;
  float lastValue = 0.0f;
  int seedA;
  int seedB;
  int seedC;
  float divisor;
  float minValue = 0.0f;
  float maxValue;
};
