// Bass: a saw through a resonant low-pass whose cutoff snaps open on each note, over a sine
// at the same pitch for weight; fills the low spectrum bands between the kicks.
// Depends on: Instrument, Oscillator, Envelope, StateVariableFilter, NoteTable.
#pragma once

#include "resources/generators/song/Instrument.h"

class Bass : public Instrument {
 public:
  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;
};
