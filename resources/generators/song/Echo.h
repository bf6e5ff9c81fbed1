// Ping-pong echo: repeats bounce between left and right, each quieter than the last; gives
// the lead room and width. Depends on: nothing.
#pragma once

#include <cstddef>
#include <vector>

class Echo {
 public:
  Echo(std::size_t delayFrames, float feedback);

  // Adds the echoes of mono `input` to interleaved stereo `stereo`, frame by frame.
  void process(const float* input, std::size_t frames, float* stereo);

 private:
  std::vector<float> left;
  std::vector<float> right;
  float feedback;
  std::size_t position = 0;
};
