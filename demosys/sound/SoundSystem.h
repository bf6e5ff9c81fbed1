// The sound layer's state: the output, a fixed set of channels, the songs created through
// it and the spectrum analyzer. Everything it hands out lives until it is released.
// Depends on: AudioOutput, AudioChannel, Sound, SoundDecoder, SpectrumAnalyzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "demosys/sound/AudioOutput.h"
#include "demosys/sound/SoundApi.h"

class SpectrumAnalyzer;

class SoundSystem {
 public:
  static constexpr int MAX_CHANNELS = 4096;
  // A song file is read whole before decoding; anything larger is not a song to decode whole.
  static constexpr std::uintmax_t MAX_FILE_BYTES = std::uintmax_t(1) << 30;

  SoundSystem();
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Makes `channelCount` channels and the analyzer, then opens the output.
  SoundResult init(int channelCount);
  bool isReady() const { return analyzer != nullptr; }

  SoundResult createSound(const unsigned char* bytes, std::size_t size, Sound** sound);
  SoundResult createSoundFromFile(const char* path, Sound** sound);
  SoundResult releaseSound(Sound* sound);
  SoundResult playSound(int channelChoice, Sound* sound, bool paused, AudioChannel** channel);

  // Brings the silent output up to the clock; a no-op with a device, whose thread keeps time.
  void update() { output.catchUp(); }
  bool isSilent() const { return output.isSilent(); }
  SpectrumAnalyzer& getAnalyzer() { return *analyzer; }

 private:
  static void render(void* user, float* interleaved, unsigned frames);
  AudioChannel* chooseChannel(int channelChoice, AudioChannel* current) const;
  AudioChannel* freeChannel() const;
  bool owns(const AudioChannel* channel) const;

  AudioOutput output;
  std::unique_ptr<SpectrumAnalyzer> analyzer;
  std::vector<std::unique_ptr<AudioChannel>> channels;
  std::vector<std::unique_ptr<Sound>> sounds;
};
