// Phase-accumulating oscillator: sine, band-limited saw and square (polyBLEP corrections at
// the jumps, so high notes do not alias into the spectrum) and triangle. No dependencies.
#pragma once

class Oscillator {
 public:
  enum class Shape { SINE, SAW, SQUARE, TRIANGLE };

  // `phase` in [0, 1): where in the cycle the first sample lies.
  explicit Oscillator(Shape shape, double phase = 0.0);

  // The next sample in [-1, 1] at `frequency` Hz, then the phase advances.
  float next(double frequency, double sampleRate);

 private:
  static double polyBlep(double t, double dt);
  double sample(double dt) const;

  Shape shape;
  double phase;
};
