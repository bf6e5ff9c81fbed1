// Music timer speed: the spectrum views music-reactive effects ask for every frame
// (allocation-free), and decoding a three-minute Ogg Vorbis song at load.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/sound/SoundApi.h"
#include "demosys/timeline/FMODTimer.h"
#include "tests/demosys/SoundTestSupport.h"
#include "tests/support/TempTree.h"

namespace {

// Reports the allocations per iteration of the loop it wraps.
void reportAllocations(benchmark::State& state, std::size_t before) {
  double made = static_cast<double>(AllocationCounter::allocations() - before);
  state.counters["allocs_per_call"] = made / static_cast<double>(state.iterations());
}

void spectrumBenchmark(benchmark::State& state, Timer::SoundChannel which, int count) {
  TempTree tree;
  const std::string song = tree.path("song.wav");
  sound_test::writeSong(song, sound_test::WAV_FLOAT, 44100, 10.0, {1000, 0.8f}, {3000, 0.5f});
  QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  FMODTimer timer(song, 20);
  if (!timer.init()) {
    state.SkipWithError(timer.getMessage().c_str());
    return;
  }
  timer.setTime(5000);
  std::vector<float> out(count);
  std::size_t before = AllocationCounter::allocations();
  for (auto _ : state) {
    timer.GetDirectSoundData(which, count, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  reportAllocations(state, before);
}

void BM_GetDirectSoundData_Average64(benchmark::State& state) {
  spectrumBenchmark(state, Timer::AVERAGE, 64);
}
BENCHMARK(BM_GetDirectSoundData_Average64);

void BM_GetDirectSoundData_Left1024(benchmark::State& state) { spectrumBenchmark(state, Timer::LEFT, 1024); }
BENCHMARK(BM_GetDirectSoundData_Left1024);

// Three minutes of a chord with a slow swell over a little noise, so the encoder has
// something like music to spend bits on.
std::string threeMinuteOgg() {
  TempTree tree;
  const int rate = 44100;
  const sf_count_t frames = 180 * rate;
  SF_INFO info = {};
  info.samplerate = rate;
  info.channels = 2;
  info.format = sound_test::OGG_VORBIS;
  SNDFILE* file = sf_open(tree.path("song.ogg").c_str(), SFM_WRITE, &info);
  std::vector<float> samples(static_cast<std::size_t>(frames) * 2);
  uint32_t seed = 1;
  for (sf_count_t f = 0; f < frames; ++f) {
    double t = static_cast<double>(f) / rate;
    double chord =
        std::sin(2 * M_PI * 220 * t) + std::sin(2 * M_PI * 277.18 * t) + std::sin(2 * M_PI * 329.63 * t);
    double swell = 0.5 + 0.5 * std::sin(2 * M_PI * 0.25 * t);
    seed = seed * 1664525u + 1013904223u;
    double noise = (static_cast<double>(seed >> 8) / (1 << 24) - 0.5) * 0.1;
    samples[f * 2] = static_cast<float>(0.2 * chord * swell + noise);
    samples[f * 2 + 1] = static_cast<float>(0.2 * chord * (1 - swell) + noise);
  }
  // The Vorbis encoder wants its input in modest pieces.
  for (sf_count_t f = 0; f < frames; f += 4096)
    sf_writef_float(file, &samples[f * 2], std::min<sf_count_t>(4096, frames - f));
  sf_close(file);
  return tree.read("song.ogg");
}

void BM_DecodeThreeMinuteOggVorbis(benchmark::State& state) {
  static const std::string song = threeMinuteOgg();
  SoundSystem* system = nullptr;
  snd_System_Create(&system);
  snd_System_Init(system, 1, 0, nullptr);
  SoundCreateInfo info = {sizeof(SoundCreateInfo), static_cast<unsigned>(song.size())};
  for (auto _ : state) {
    Sound* sound = nullptr;
    if (snd_System_CreateSound(system, song.data(), SND_MODE_OPEN_MEMORY, &info, &sound) != SND_OK) {
      state.SkipWithError("the song did not decode");
      break;
    }
    snd_Sound_Release(sound);
  }
  state.counters["song_bytes"] = static_cast<double>(song.size());
  snd_System_Release(system);
}
BENCHMARK(BM_DecodeThreeMinuteOggVorbis)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
