#include "resources/generators/song/Kick.h"

#include <cmath>

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoiseGenerator.h"
#include "resources/generators/song/Oscillator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
const double SOUNDING = 0.5;
}

double Kick::length(const NoteEvent&, double) const { return SOUNDING; }

void Kick::render(const NoteEvent& note, double, uint32_t seed, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  Oscillator body(Oscillator::Shape::SINE, 0.25);
  NoiseGenerator noise(seed);
  StateVariableFilter clickFilter(4000.0, 0.7, rate);
  Envelope amp(0.002, SOUNDING - 0.01, 0.0, 0.0, 2.2);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    double pitch = 48.0 + 260.0 * std::exp(-t * 35.0);
    double tone = std::tanh(1.8 * body.next(pitch, rate));
    double click = clickFilter.process(noise.next()).low * std::exp(-t * 200.0) * 0.6;
    out[i] += static_cast<float>(note.velocity * amp.level(t, SOUNDING) * (tone + click));
  }
}
