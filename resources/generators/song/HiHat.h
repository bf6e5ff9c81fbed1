// Hi-hat: high-passed noise with a metallic cluster of square waves, all above 7 kHz so it
// shows in the upper spectrum bands. Note OPEN rings longer; any other note is closed.
// Depends on: Instrument, Oscillator, Envelope, NoiseGenerator, StateVariableFilter.
#pragma once

#include "resources/generators/song/Instrument.h"

class HiHat : public Instrument {
 public:
  static constexpr int CLOSED = 42;
  static constexpr int OPEN = 46;

  double length(const NoteEvent& note, double gate) const override;
  void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
              std::size_t frames) const override;

 private:
  static double ring(int note);
};
