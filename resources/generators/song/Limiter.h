// Peak limiter on the stereo sum: the gain follows the louder side's peak instantly and
// recovers slowly, so no sample leaves [-ceiling, ceiling] while quiet passages pass
// untouched. Depends on: nothing.
#pragma once

#include <cstddef>

class Limiter {
 public:
  Limiter(float ceiling, double releaseSeconds, double sampleRate);

  // Limits interleaved stereo in place.
  void process(float* stereo, std::size_t frames);

 private:
  float ceiling;
  float recovery;
  float envelope = 0.0f;
};
