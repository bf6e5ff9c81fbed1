#include "resources/generators/song/Bass.h"

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoteTable.h"
#include "resources/generators/song/Oscillator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
const Envelope AMP(0.004, 0.2, 0.75, 0.05, 1.5);
const Envelope CUTOFF(0.002, 0.18, 0.15, 0.05, 2.0);
// Filter coefficients are recomputed every this many frames: a tan() per frame buys nothing.
const std::size_t CONTROL_STEP = 16;
}  // namespace

double Bass::length(const NoteEvent&, double gate) const { return AMP.length(gate); }

void Bass::render(const NoteEvent& note, double gate, uint32_t, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  const double pitch = NoteTable::frequency(note.note);
  Oscillator saw(Oscillator::Shape::SAW);
  Oscillator sub(Oscillator::Shape::SINE);
  StateVariableFilter lowPass(200.0, 1.2, rate);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    if (i % CONTROL_STEP == 0) lowPass.setCutoff(180.0 + 1400.0 * CUTOFF.level(t, gate));
    double body = 0.55 * lowPass.process(saw.next(pitch, rate)).low + 0.45 * sub.next(pitch, rate);
    out[i] += static_cast<float>(note.velocity * AMP.level(t, gate) * body);
  }
}
