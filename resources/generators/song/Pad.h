// Pad: three detuned saws per note, slowly swelling, through a low-pass that breathes with
// a slow sweep; chords are several notes on the same row. Depends on: Instrument,
// Oscillator, Envelope, NoiseGenerator (start phases), StateVariableFilter, NoteTable.
#pragma once

#include "resources/generators/song/Instrument.h"

class Pad : public Instrument {
 public:
  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;
};
