// Riser: noise through a band-pass swept upwards over the held gate while it swells, the
// build-up into a new section. Depends on: Instrument, Envelope, NoiseGenerator,
// StateVariableFilter.
#pragma once

#include "resources/generators/song/Instrument.h"

class Riser : public Instrument {
 public:
  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;
};
