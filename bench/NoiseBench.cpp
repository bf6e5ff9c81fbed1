// Value-noise cost: single samples by octave count, and one frame of the cloth flag's
// vertex noise (64 x 64 vertices, three generators, six octaves in all).
#include <benchmark/benchmark.h>

#include <vector>

#include "qnvutils/PerlinNoise.h"

namespace {

constexpr int flagColumns = 64;
constexpr int flagRows = 64;

// The three generators of the first cloth flag, seeds included.
struct FlagNoise {
  PerlinNoise x{0.525f, 0.01f, 1.0f, 1};
  PerlinNoise y{0.925f, 0.015f, 0.5f, 2};
  PerlinNoise z{1.0f, 0.025f, 0.33f, 3};
  FlagNoise() {
    y.setSeed(15431, 789021, 1376412589, 1073441728.0f);
    z.setSeed(14731, 788221, 1370312589, 1072741632.0f);
    z.setValueRange(-2.0f, 2.0f);
  }
};

}  // namespace

static void BM_PerlinGetValue2D(benchmark::State& state) {
  PerlinNoise noise(1.0f, 0.025f, 0.5f, static_cast<int>(state.range(0)));
  float x = 0.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(noise.getValue(x, 17.0f));
    x += 0.37f;
    if (x > 1000.0f) x = 0.0f;
  }
}
BENCHMARK(BM_PerlinGetValue2D)->Arg(1)->Arg(2)->Arg(3);

// The straightforward pass, one getValue per vertex and generator.
static void BM_FlagNoisePassPerSample(benchmark::State& state) {
  FlagNoise noise;
  std::vector<float> out(3 * flagColumns * flagRows);
  float phase = 3.25f;
  for (auto _ : state) {
    float* o = out.data();
    for (int j = 0; j < flagRows; ++j) {
      for (int i = 0; i < flagColumns; ++i) {
        const float s = static_cast<float>(i) + phase;
        *o++ = noise.x.getValue(s, static_cast<float>(j));
        *o++ = noise.y.getValue(s, static_cast<float>(j));
        *o++ = noise.z.getValue(s, static_cast<float>(j));
      }
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
    phase = phase < 100.0f ? phase + 0.1f : 3.25f;
  }
}
BENCHMARK(BM_FlagNoisePassPerSample)->Unit(benchmark::kMicrosecond);

// The same pass through the grid path, which shares the cosine weights along rows and columns.
static void BM_FlagNoisePassGrid(benchmark::State& state) {
  FlagNoise noise;
  std::vector<float> xs(flagColumns), ys(flagRows), outX(flagColumns * flagRows), outY(outX.size()),
      outZ(outX.size());
  for (int j = 0; j < flagRows; ++j) ys[j] = static_cast<float>(j);
  float phase = 3.25f;
  for (auto _ : state) {
    for (int i = 0; i < flagColumns; ++i) xs[i] = static_cast<float>(i) + phase;
    noise.x.getValues(xs.data(), flagColumns, ys.data(), flagRows, outX.data());
    noise.y.getValues(xs.data(), flagColumns, ys.data(), flagRows, outY.data());
    noise.z.getValues(xs.data(), flagColumns, ys.data(), flagRows, outZ.data());
    benchmark::DoNotOptimize(outZ.data());
    benchmark::ClobberMemory();
    phase = phase < 100.0f ? phase + 0.1f : 3.25f;
  }
}
BENCHMARK(BM_FlagNoisePassGrid)->Unit(benchmark::kMicrosecond);
