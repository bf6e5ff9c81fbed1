// A synthesised instrument: renders one note at a time into a mono buffer, each note from
// fresh oscillator and filter state, so a note sounds the same wherever it is placed and
// rendering a window of the song needs no history. Depends on: NoteEvent.
#pragma once

#include <cstddef>
#include <cstdint>

#include "resources/generators/song/NoteEvent.h"

class Instrument {
 public:
  virtual ~Instrument() = default;

  // Seconds the note sounds when its key is held for `gate` seconds, tail included.
  virtual double length(const NoteEvent& note, double gate) const = 0;
  // Adds the note into out[0, frames), frame 0 being its start; `seed` varies its noise.
  virtual void render(const NoteEvent& note, double gate, uint32_t seed, float* out,
                      std::size_t frames) const = 0;
};
