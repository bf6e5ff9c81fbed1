#include "resources/generators/song/Snare.h"

#include <cmath>

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoiseGenerator.h"
#include "resources/generators/song/Oscillator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
const double SOUNDING = 0.3;
}

double Snare::length(const NoteEvent&, double) const { return SOUNDING; }

void Snare::render(const NoteEvent& note, double, uint32_t seed, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  Oscillator shell(Oscillator::Shape::SINE);
  NoiseGenerator noise(seed);
  StateVariableFilter wires(2200.0, 0.6, rate);
  Envelope shellLevel(0.001, 0.12, 0.0, 0.0, 2.0);
  Envelope wireLevel(0.001, SOUNDING - 0.01, 0.0, 0.0, 2.5);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    double tone = shell.next(180.0 + 60.0 * std::exp(-t * 40.0), rate) * shellLevel.level(t, SOUNDING);
    StateVariableFilter::Output filtered = wires.process(noise.next());
    double rattle = (filtered.band + 0.5 * filtered.high) * wireLevel.level(t, SOUNDING);
    out[i] += static_cast<float>(note.velocity * (0.55 * tone + 0.8 * rattle));
  }
}
