#include "resources/generators/song/Mixer.h"

#include <algorithm>
#include <cmath>

#include "resources/generators/song/Echo.h"
#include "resources/generators/song/Limiter.h"
#include "resources/generators/song/SongClock.h"

namespace {
const double DUCK_RELEASE_SECONDS = 0.18;
const double LIMITER_RELEASE_SECONDS = 0.12;
}  // namespace

void Mixer::mix(const std::vector<Input>& inputs, std::size_t frames, std::vector<float>& out) {
  out.assign(2 * frames, 0.0f);
  echoSend.assign(frames, 0.0f);
  followKey(inputs, frames);
  for (const Input& input : inputs) addChannel(input, frames, out);
  Echo echo(static_cast<std::size_t>(ECHO_SECONDS * SongClock::SAMPLE_RATE), ECHO_FEEDBACK);
  echo.process(echoSend.data(), frames, out.data());
  Limiter limiter(CEILING, LIMITER_RELEASE_SECONDS, SongClock::SAMPLE_RATE);
  limiter.process(out.data(), frames);
}

// Peak envelope of the key parts, 0 to 1: how far the ducked parts dip at each frame.
void Mixer::followKey(const std::vector<Input>& inputs, std::size_t frames) {
  duckLevel.assign(frames, 0.0f);
  for (const Input& input : inputs) {
    if (!input.settings.duckKey) continue;
    for (std::size_t i = 0; i < frames; ++i)
      duckLevel[i] += std::fabs(input.samples[i] * input.settings.gain);
  }
  const float recovery = static_cast<float>(std::exp(-1.0 / (DUCK_RELEASE_SECONDS * SongClock::SAMPLE_RATE)));
  float envelope = 0.0f;
  for (float& level : duckLevel) {
    envelope = std::max(level, envelope * recovery);
    level = std::min(envelope, 1.0f);
  }
}

void Mixer::addChannel(const Input& input, std::size_t frames, std::vector<float>& out) {
  const ChannelSettings& s = input.settings;
  const double angle = (std::clamp(s.pan, -1.0f, 1.0f) + 1.0) * M_PI / 4.0;
  const float leftGain = static_cast<float>(std::cos(angle)) * s.gain;
  const float rightGain = static_cast<float>(std::sin(angle)) * s.gain;
  const std::size_t spread = static_cast<std::size_t>(s.spreadMs * 0.001 * SongClock::SAMPLE_RATE);
  auto ducked = [&](std::size_t i) { return input.samples[i] * (1.0f - s.duck * duckLevel[i]); };
  for (std::size_t i = 0; i < frames; ++i) {
    float dry = ducked(i);
    out[2 * i] += dry * leftGain;
    if (i >= spread) out[2 * i + 1] += ducked(i - spread) * rightGain;
    echoSend[i] += dry * s.gain * s.echoSend;
  }
}
