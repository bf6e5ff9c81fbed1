#include "resources/generators/song/Riser.h"

#include <cmath>

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoiseGenerator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
const double RELEASE = 0.08;
const double LOWEST = 300.0;
const double HIGHEST = 9000.0;
const std::size_t CONTROL_STEP = 32;
}  // namespace

double Riser::length(const NoteEvent&, double gate) const { return gate + RELEASE; }

void Riser::render(const NoteEvent& note, double gate, uint32_t seed, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  NoiseGenerator noise(seed);
  StateVariableFilter sweep(LOWEST, 2.0, rate);
  Envelope swell(gate, 0.0, 1.0, RELEASE);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    double progress = std::fmin(t / gate, 1.0);
    if (i % CONTROL_STEP == 0) sweep.setCutoff(LOWEST * std::pow(HIGHEST / LOWEST, progress));
    double level = swell.level(t, gate);
    out[i] += static_cast<float>(0.6 * note.velocity * level * level * sweep.process(noise.next()).band);
  }
}
