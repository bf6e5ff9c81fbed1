#include "resources/generators/song/Echo.h"

Echo::Echo(std::size_t delayFrames, float feedback)
    : left(delayFrames > 0 ? delayFrames : 1, 0.0f), right(left.size(), 0.0f), feedback(feedback) {}

void Echo::process(const float* input, std::size_t frames, float* stereo) {
  for (std::size_t i = 0; i < frames; ++i) {
    float outLeft = left[position];
    float outRight = right[position];
    left[position] = input[i] + outRight * feedback;
    right[position] = outLeft * feedback;
    stereo[2 * i] += outLeft;
    stereo[2 * i + 1] += outRight;
    position = (position + 1) % left.size();
  }
}
