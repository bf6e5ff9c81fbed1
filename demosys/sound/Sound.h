// A decoded song: interleaved stereo float samples at the output rate, and the length in
// milliseconds of the original. Immutable once made, so the audio thread reads it freely.
// Depends on: nothing.
#pragma once

#include <cstdint>
#include <vector>

class SoundSystem;

class Sound {
 public:
  // Every song is held, and every output runs, at this many frames per second.
  static constexpr uint32_t RATE = 44100;

  Sound(SoundSystem* owner, std::vector<float> samples, uint32_t lengthMs);

  SoundSystem* getOwner() const { return owner; }
  uint32_t getLengthMs() const { return lengthMs; }
  uint32_t getFrames() const { return static_cast<uint32_t>(samples.size() / 2); }
  // Left, right, left, right...
  const float* getSamples() const { return samples.data(); }

 private:
  SoundSystem* owner;
  std::vector<float> samples;
  uint32_t lengthMs;
};
