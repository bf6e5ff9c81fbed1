#include "resources/generators/song/Pad.h"

#include <array>
#include <cmath>

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoiseGenerator.h"
#include "resources/generators/song/NoteTable.h"
#include "resources/generators/song/Oscillator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
const Envelope AMP(0.5, 0.8, 0.75, 1.2, 1.5);
const std::array<double, 3> DETUNE_CENTS = {-8.0, 0.0, 7.0};
const std::size_t CONTROL_STEP = 32;
}  // namespace

double Pad::length(const NoteEvent&, double gate) const { return AMP.length(gate); }

void Pad::render(const NoteEvent& note, double gate, uint32_t seed, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  NoiseGenerator phases(seed);
  std::array<Oscillator, DETUNE_CENTS.size()> voices = {Oscillator(Oscillator::Shape::SAW, phases.unit()),
                                                        Oscillator(Oscillator::Shape::SAW, phases.unit()),
                                                        Oscillator(Oscillator::Shape::SAW, phases.unit())};
  std::array<double, DETUNE_CENTS.size()> pitches{};
  for (std::size_t v = 0; v < voices.size(); ++v)
    pitches[v] = NoteTable::frequency(note.note) * std::pow(2.0, DETUNE_CENTS[v] / 1200.0);
  StateVariableFilter lowPass(1300.0, 0.8, rate);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    if (i % CONTROL_STEP == 0) lowPass.setCutoff(1300.0 + 500.0 * std::sin(2.0 * M_PI * 0.2 * t));
    float sum = 0.0f;
    for (std::size_t v = 0; v < voices.size(); ++v) sum += voices[v].next(pitches[v], rate);
    out[i] += static_cast<float>(note.velocity * AMP.level(t, gate) * lowPass.process(sum / 3.0f).low);
  }
}
