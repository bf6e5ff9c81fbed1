#include "resources/generators/song/Lead.h"

#include <algorithm>
#include <cmath>

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoteTable.h"
#include "resources/generators/song/Oscillator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
const Envelope AMP(0.01, 0.25, 0.7, 0.18, 1.5);
const Envelope CUTOFF(0.005, 0.3, 0.4, 0.2, 2.0);
const double DETUNE = std::pow(2.0, 5.0 / 1200.0);
const std::size_t CONTROL_STEP = 16;
}  // namespace

double Lead::length(const NoteEvent&, double gate) const { return AMP.length(gate); }

// Pitch factor: vibrato fades in over the first half second so short notes stay straight.
double Lead::vibrato(double time) {
  double depth = 0.2 * std::clamp((time - 0.2) / 0.3, 0.0, 1.0);
  return std::pow(2.0, depth * std::sin(2.0 * M_PI * 5.5 * time) / 12.0);
}

void Lead::render(const NoteEvent& note, double gate, uint32_t, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  const double pitch = NoteTable::frequency(note.note);
  Oscillator saw(Oscillator::Shape::SAW);
  Oscillator square(Oscillator::Shape::SQUARE, 0.5);
  StateVariableFilter lowPass(900.0, 1.5, rate);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    if (i % CONTROL_STEP == 0) lowPass.setCutoff(900.0 + 3500.0 * CUTOFF.level(t, gate));
    double current = pitch * vibrato(t);
    float tone = 0.35f * saw.next(current, rate) + 0.35f * square.next(current * DETUNE, rate);
    out[i] += static_cast<float>(note.velocity * AMP.level(t, gate) * lowPass.process(tone).low);
  }
}
