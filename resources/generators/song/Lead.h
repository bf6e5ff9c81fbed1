// Lead: a saw and a slightly detuned square with delayed vibrato, through a low-pass that
// opens on each note; carries the melody in the middle spectrum bands.
// Depends on: Instrument, Oscillator, Envelope, StateVariableFilter, NoteTable.
#pragma once

#include "resources/generators/song/Instrument.h"

class Lead : public Instrument {
 public:
  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;

 private:
  static double vibrato(double time);
};
