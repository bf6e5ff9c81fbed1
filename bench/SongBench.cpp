// Tarnveld's song at build time: composing and rendering all 180 s, one bar of the busiest
// section, and encoding the whole render as Ogg Vorbis.
#include <benchmark/benchmark.h>

#include <vector>

#include "resources/generators/song/OggWriter.h"
#include "resources/generators/song/SongRenderer.h"
#include "resources/generators/song/TarnveldComposition.h"
#include "tests/support/TempTree.h"

namespace {

void BM_SongRenderWhole(benchmark::State& state) {
  for (auto _ : state) {
    SongArrangement song = TarnveldComposition::compose();
    std::vector<float> stereo = SongRenderer(song).renderSong();
    benchmark::DoNotOptimize(stereo.data());
  }
  state.counters["song_seconds"] = 180.0;
}
BENCHMARK(BM_SongRenderWhole)->Unit(benchmark::kSecond)->Iterations(2);

void BM_SongRenderClimaxBar(benchmark::State& state) {
  SongArrangement song = TarnveldComposition::compose();
  SongRenderer renderer(song);
  for (auto _ : state) {
    std::vector<float> bar = renderer.renderBars(64, 1);
    benchmark::DoNotOptimize(bar.data());
  }
}
BENCHMARK(BM_SongRenderClimaxBar)->Unit(benchmark::kMillisecond);

void BM_SongEncodeWhole(benchmark::State& state) {
  SongArrangement song = TarnveldComposition::compose();
  const std::vector<float> stereo = SongRenderer(song).renderSong();
  TempTree tree;
  OggWriter writer;
  for (auto _ : state) {
    if (!writer.write(tree.path("tarnveld.ogg"), stereo)) {
      state.SkipWithError(writer.getErrorMessage().c_str());
      return;
    }
  }
}
BENCHMARK(BM_SongEncodeWhole)->Unit(benchmark::kSecond)->Iterations(2);

}  // namespace
