#include "resources/generators/song/Oscillator.h"

#include <cmath>

Oscillator::Oscillator(Shape shape, double phase) : shape(shape), phase(phase - std::floor(phase)) {}

float Oscillator::next(double frequency, double sampleRate) {
  double dt = frequency / sampleRate;
  double value = sample(dt);
  phase += dt;
  phase -= std::floor(phase);
  return static_cast<float>(value);
}

// Residual of a unit step smoothed over one sample on each side of the jump at t = 0.
double Oscillator::polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Oscillator::sample(double dt) const {
  switch (shape) {
    case Shape::SINE:
      return std::sin(2.0 * M_PI * phase);
    case Shape::SAW:
      return 2.0 * phase - 1.0 - polyBlep(phase, dt);
    case Shape::SQUARE: {
      double halfPhase = phase + 0.5 - std::floor(phase + 0.5);
      return (phase < 0.5 ? 1.0 : -1.0) + polyBlep(phase, dt) - polyBlep(halfPhase, dt);
    }
    case Shape::TRIANGLE:
      return 4.0 * std::fabs(phase - 0.5) - 1.0;
  }
  return 0.0;
}
