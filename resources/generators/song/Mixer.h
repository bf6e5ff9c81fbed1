// Mixes the parts' mono signals to stereo: per-part level, constant-power pan and a short
// delay on the right side for width, ducking under the kick, a shared ping-pong echo, and
// the limiter last. Depends on: ChannelSettings, Echo, Limiter, SongClock.
#pragma once

#include <cstddef>
#include <vector>

#include "resources/generators/song/ChannelSettings.h"

class Mixer {
 public:
  struct Input {
    const float* samples;
    ChannelSettings settings;
  };

  static constexpr float CEILING = 0.95f;
  static constexpr double ECHO_SECONDS = 0.375;  // a dotted eighth at 120 BPM
  static constexpr float ECHO_FEEDBACK = 0.38f;

  // `out` becomes `frames` interleaved stereo frames, limited to [-CEILING, CEILING].
  void mix(const std::vector<Input>& inputs, std::size_t frames, std::vector<float>& out);

 private:
  void followKey(const std::vector<Input>& inputs, std::size_t frames);
  void addChannel(const Input& input, std::size_t frames, std::vector<float>& out);

  std::vector<float> duckLevel;
  std::vector<float> echoSend;
};
