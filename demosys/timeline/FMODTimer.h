// The demo's clock when music plays. The clock arithmetic is Timer's; on top of it the
// song is loaded through the sound layer (from the archive's bytes or from a file of the
// directory tree), started paused, paused and seeked together with the clock, and played
// with the clock re-anchored to the song's own position. Music-reactive effects read the
// song's spectrum through GetDirectSoundData.
// Depends on: Timer, the sound layer (SoundApi), QNVIO and File (the song's bytes).
#pragma once

#include <string>
#include <vector>

#include "demosys/sound/SoundApi.h"
#include "demosys/timeline/Timer.h"

class File;

class FMODTimer : public Timer {
 public:
  static constexpr int CHANNEL_COUNT = 32;
  // The most spectrum values one GetDirectSoundData call writes; larger counts are cut to it.
  static constexpr int MAX_SPECTRUM_COUNT = SND_SPECTRUM_MAX_BINS;

  FMODTimer(const std::string& fileName, unsigned rowRate);
  ~FMODTimer() override;

  // Creates the sound system and loads the song, started paused; on failure prints a line,
  // keeps the message, releases what it made and returns false.
  bool init() override;
  // 0 when the channel stopped and everything was released; 1 (with a message) otherwise.
  int dispose() override;
  void pause() override;
  void play() override;
  void setTime(unsigned ms) override;
  void updateSystem() override;
  void GetDirectSoundData(SoundChannel which, int count, float* out) override;

 private:
  bool startSoundSystem();
  bool loadSong();
  bool fail(const char* printed, SoundResult result, const char* failure);
  SoundResult createSoundFromBytes(const File& file);
  void releaseSoundSystem();
  void combineSides(int count, float scale, float* out);

  Sound* sound = nullptr;
  SoundSystem* system = nullptr;
  AudioChannel* channel = nullptr;
  std::vector<float> leftSpectrum;
  std::vector<float> rightSpectrum;
  std::string fileName;
};
