// Two-pole state-variable filter (trapezoidal integration) giving low-, band- and high-pass
// outputs at once; stable for any cutoff below Nyquist, so cutoff sweeps cannot blow up.
// No dependencies.
#pragma once

class StateVariableFilter {
 public:
  struct Output {
    float low;
    float band;
    float high;
  };

  StateVariableFilter(double cutoff, double resonance, double sampleRate);

  // `cutoff` in Hz (kept below 0.45 x the sample rate); resonance Q > 0.
  void setCutoff(double cutoff);
  Output process(float input);

 private:
  void updateCoefficients();

  double cutoff;
  double damping;
  double sampleRate;
  double a1 = 0.0;
  double a2 = 0.0;
  double a3 = 0.0;
  double ic1 = 0.0;
  double ic2 = 0.0;
};
