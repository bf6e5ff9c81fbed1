#include "resources/generators/song/HiHat.h"

#include <array>

#include "resources/generators/song/Envelope.h"
#include "resources/generators/song/NoiseGenerator.h"
#include "resources/generators/song/Oscillator.h"
#include "resources/generators/song/SongClock.h"
#include "resources/generators/song/StateVariableFilter.h"

namespace {
// Inharmonic partials, as in the classic cymbal circuits.
const std::array<double, 6> PARTIALS = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
const double PARTIAL_SCALE = 2.0;
}  // namespace

double HiHat::ring(int note) { return note == OPEN ? 0.3 : 0.09; }

double HiHat::length(const NoteEvent& note, double) const { return ring(note.note) + 0.01; }

void HiHat::render(const NoteEvent& note, double, uint32_t seed, float* out, std::size_t frames) const {
  const double rate = SongClock::SAMPLE_RATE;
  std::array<Oscillator, PARTIALS.size()> metal = {
      Oscillator(Oscillator::Shape::SQUARE, 0.1), Oscillator(Oscillator::Shape::SQUARE, 0.7),
      Oscillator(Oscillator::Shape::SQUARE, 0.3), Oscillator(Oscillator::Shape::SQUARE, 0.9),
      Oscillator(Oscillator::Shape::SQUARE, 0.5), Oscillator(Oscillator::Shape::SQUARE, 0.2)};
  NoiseGenerator noise(seed);
  StateVariableFilter highPass(8000.0, 1.2, rate);
  double decay = ring(note.note);
  Envelope level(0.0005, decay, 0.0, 0.0, 2.0);
  for (std::size_t i = 0; i < frames; ++i) {
    double t = i / rate;
    double cluster = 0.0;
    for (std::size_t p = 0; p < metal.size(); ++p)
      cluster += metal[p].next(PARTIALS[p] * PARTIAL_SCALE, rate);
    float source = static_cast<float>(noise.next() + 0.12 * cluster);
    StateVariableFilter::Output filtered = highPass.process(source);
    double shimmer = 0.6 * (filtered.high + 0.8 * filtered.band);
    out[i] += static_cast<float>(note.velocity * shimmer * level.level(t, decay + 0.001));
  }
}
