// Helpers of the sound tests: songs of known tones, a guarded spectrum read, a one-sample tracker
// module, and a scoped SDL audio driver (one that does not exist forces the silent output).
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/ScopedClock.h"

namespace sound_test {

struct Tone {
  double hz;
  float amplitude;  // 0 leaves the side silent
};

// Writes `seconds` of stereo (or, with `mono`, the left tone alone) to `path`, silent for the first
// `silentSeconds`.
inline bool writeSong(const std::string& path, int format, int rate, double seconds, Tone left, Tone right,
                      bool mono = false, double silentSeconds = 0.0) {
  SF_INFO info = {};
  info.samplerate = rate;
  info.channels = mono ? 1 : 2;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return false;
  const sf_count_t frames = static_cast<sf_count_t>(seconds * rate);
  std::vector<float> samples;
  for (sf_count_t f = 0; f < frames; ++f) {
    const double t = static_cast<double>(f) / rate;
    const float heard = t < silentSeconds ? 0.0f : 1.0f;
    samples.push_back(heard * left.amplitude * static_cast<float>(std::sin(2.0 * M_PI * left.hz * t)));
    if (!mono) samples.push_back(heard * right.amplitude * static_cast<float>(std::sin(2.0 * M_PI * right.hz * t)));
  }
  // The Vorbis encoder wants its input in modest pieces.
  const sf_count_t piece = 4096;
  bool written = true;
  for (sf_count_t f = 0; f < frames && written; f += piece) {
    sf_count_t n = std::min(piece, frames - f);
    written = sf_writef_float(file, &samples[f * info.channels], n) == n;
  }
  return sf_close(file) == 0 && written;
}

const int WAV_FLOAT = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
const int FLAC_16 = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
const int OGG_VORBIS = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
const int OGG_OPUS = SF_FORMAT_OGG | SF_FORMAT_OPUS;
const int MP3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

// The frequency that falls on the centre of bin `k` of a `bins`-bin spectrum at 44.1 kHz.
inline double binCentreHz(int k, int bins) { return k * 44100.0 / (2.0 * bins); }

// What a spectrum reader must leave alone past the bins it was asked for.
const float SENTINEL = -7.0f;

// The `count` bins `read` writes into the buffer it is given; a write past `count` fails the test.
inline std::vector<float> guardedSpectrum(int count, const std::function<void(float*)>& read) {
  std::vector<float> out(count + 1, SENTINEL);
  read(out.data());
  EXPECT_EQ(out[count], SENTINEL) << "wrote past count";
  out.pop_back();
  return out;
}

// The timer's `count`-bin spectrum of one view.
inline std::vector<float> spectrumOf(Timer& timer, Timer::SoundChannel which, int count) {
  return guardedSpectrum(count, [&](float* out) { timer.GetDirectSoundData(which, count, out); });
}

inline int loudestBin(const std::vector<float>& spectrum) {
  return static_cast<int>(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
}

// A ProTracker "M.K." module: one pattern whose first row starts sample 1 (a looped
// 32-byte sine period, full volume) on channel 0 at period 428; speed 6, tempo 125,
// so the song lasts 64 rows x 6 ticks x 20 ms = 7.68 s.
const double MODULE_SECONDS = 7.68;
const double MODULE_TONE_HZ = 7093789.2 / (2 * 428) / 32;

inline std::string sineModule() {
  const int sampleBytes = 1024;
  std::string mod(1084 + 1024 + sampleBytes, '\0');
  mod.replace(0, 4, "sine");
  auto putWord = [&mod](std::size_t at, int value) {
    mod[at] = static_cast<char>(value >> 8);
    mod[at + 1] = static_cast<char>(value & 0xFF);
  };
  const std::size_t sample1 = 20;
  putWord(sample1 + 22, sampleBytes / 2);                     // length in words
  mod[sample1 + 25] = 64;                                     // volume
  putWord(sample1 + 26, 0);                                   // loop start
  putWord(sample1 + 28, sampleBytes / 2);                     // loop length
  for (int s = 1; s < 31; ++s) putWord(20 + s * 30 + 28, 1);  // unused samples: no loop
  mod[950] = 1;                                               // song length
  mod[951] = 127;                                             // restart
  mod.replace(1080, 4, "M.K.");
  const std::size_t row0 = 1084;
  mod[row0] = static_cast<char>(428 >> 8);
  mod[row0 + 1] = static_cast<char>(428 & 0xFF);
  mod[row0 + 2] = static_cast<char>(1 << 4);
  for (int i = 0; i < sampleBytes; ++i) {
    mod[1084 + 1024 + i] = static_cast<char>(std::lround(127 * std::sin(2.0 * M_PI * i / 32)));
  }
  return mod;
}

// Selects SDL's audio driver for one scope.
class ScopedAudioDriver {
 public:
  explicit ScopedAudioDriver(const char* driver) {
    const char* current = std::getenv("SDL_AUDIODRIVER");
    hadPrevious = current != nullptr;
    if (current) previous = current;
    setenv("SDL_AUDIODRIVER", driver, 1);
  }
  ~ScopedAudioDriver() {
    if (hadPrevious) {
      setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
    } else {
      unsetenv("SDL_AUDIODRIVER");
    }
  }

 private:
  bool hadPrevious;
  std::string previous;
};

}  // namespace sound_test
