// Bass drum: a sine swept from about 300 Hz down to 48 Hz, softly saturated, with a short
// noise click. The sweep puts its energy in the lowest spectrum bands on every beat.
// Depends on: Instrument, Oscillator, Envelope, NoiseGenerator, StateVariableFilter.
#pragma once

#include "resources/generators/song/Instrument.h"

class Kick : public Instrument {
 public:
  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;
};
