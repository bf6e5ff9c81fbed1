// Snare drum: a short falling tone for the shell and band-limited noise for the wires,
// landing in the middle spectrum bands. Depends on: Instrument, Oscillator, Envelope,
// NoiseGenerator, StateVariableFilter.
#pragma once

#include "resources/generators/song/Instrument.h"

class Snare : public Instrument {
 public:
  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;
};
