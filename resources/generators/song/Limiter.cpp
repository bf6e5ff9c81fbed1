#include "resources/generators/song/Limiter.h"

#include <algorithm>
#include <cmath>

Limiter::Limiter(float ceiling, double releaseSeconds, double sampleRate)
    : ceiling(ceiling), recovery(static_cast<float>(std::exp(-1.0 / (releaseSeconds * sampleRate)))) {}

void Limiter::process(float* stereo, std::size_t frames) {
  for (std::size_t i = 0; i < frames; ++i) {
    float peak = std::max(std::fabs(stereo[2 * i]), std::fabs(stereo[2 * i + 1]));
    envelope = std::max(peak, envelope * recovery);
    if (envelope <= ceiling) continue;
    // The envelope is never below this frame's peak, so the scaled frame lands inside up to
    // the rounding of the division, which the clamp takes.
    float gain = ceiling / envelope;
    stereo[2 * i] = std::clamp(stereo[2 * i] * gain, -ceiling, ceiling);
    stereo[2 * i + 1] = std::clamp(stereo[2 * i + 1] * gain, -ceiling, ceiling);
  }
}
