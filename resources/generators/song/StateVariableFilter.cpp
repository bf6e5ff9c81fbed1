#include "resources/generators/song/StateVariableFilter.h"

#include <algorithm>
#include <cmath>

StateVariableFilter::StateVariableFilter(double cutoff, double resonance, double sampleRate)
    : cutoff(cutoff), damping(1.0 / resonance), sampleRate(sampleRate) {
  updateCoefficients();
}

void StateVariableFilter::setCutoff(double hz) {
  cutoff = hz;
  updateCoefficients();
}

void StateVariableFilter::updateCoefficients() {
  double limited = std::clamp(cutoff, 10.0, 0.45 * sampleRate);
  double g = std::tan(M_PI * limited / sampleRate);
  a1 = 1.0 / (1.0 + g * (g + damping));
  a2 = g * a1;
  a3 = g * a2;
}

StateVariableFilter::Output StateVariableFilter::process(float input) {
  double v3 = input - ic2;
  double v1 = a1 * ic1 + a2 * v3;
  double v2 = ic2 + a2 * ic1 + a3 * v3;
  ic1 = 2.0 * v1 - ic1;
  ic2 = 2.0 * v2 - ic2;
  return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(input - damping * v1 - v2)};
}
