// The CPU cost of FlagEffect's two cloth flags per frame (noise wave, buffer write, face normals
// read back from the buffer), next to the same work with one noise evaluation per vertex and
// generator, and the allocations per frame. Needs the shared GL window (BenchWindow).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/AllocationCounter.h"
#include "bench/BenchWindow.h"
#include "demosys/render/VBODynamic.h"
#include "demosys/scene/QNVMesh.h"
#include "production/effects/Flag.h"
#include "qnvutils/PerlinNoise.h"

namespace {

struct FlagPair {
  FlagPair() : first(1.0f, 0.5f, 64, 64), second(1.0f, 0.5f, 64, 64) {
    first.setSeedY(15431, 789021, 1376412589, 1073441728.0f);
    first.setSeedZ(14731, 788221, 1370312589, 1072741632.0f);
  }
  Flag first;
  Flag second;
};

// The wave as defined, vertex by vertex: three getValue calls per vertex, written into the mapped
// buffer, normals from the buffer afterwards.
struct PerVertexWave {
  PerVertexWave() : x(0.525f, 0.01f, 1.0f, 1), y(0.925f, 0.015f, 0.5f, 2), z(1.0f, 0.025f, 0.33f, 3) {
    z.setValueRange(-2.0f, 2.0f);
  }
  void wave(Flag& flag, float phase) {
    float* out = flag.getVertexBuffer().openVertexBuffer(GL_WRITE_ONLY);
    const Vector3f* rest = flag.getMesh().getVertexPointer();
    for (int j = 0; j < flag.getRows(); ++j) {
      for (int i = 0; i < flag.getColumns(); ++i) {
        const int k = j * flag.getColumns() + i;
        const float s = static_cast<float>(i) + phase;
        const double d = flag.getDivisor(i);
        const auto row = static_cast<float>(j);
        out[3 * k] = static_cast<float>(rest[k].x() - 2.0 * FlagPlane::scaleX * x.getValue(s, row) / d);
        out[3 * k + 1] = static_cast<float>(rest[k].y() - (y.getValue(s, row) / d + 0.05) * FlagPlane::scaleY);
        out[3 * k + 2] = static_cast<float>(rest[k].z() - 2.0 * z.getValue(s, row) / d);
      }
    }
    flag.getVertexBuffer().closeVertexBuffer();
    const float* waved = flag.getVertexBuffer().openVertexBuffer(GL_READ_ONLY);
    flag.getMesh().calcFNormals(reinterpret_cast<const Vector3f*>(waved));
    flag.getVertexBuffer().closeVertexBuffer();
  }
  PerlinNoise x, y, z;
};

template <class Wave>
void runFrames(benchmark::State& state, FlagPair& flags, Wave wave) {
  float phase = 3.25f;
  const std::size_t before = AllocationCounter::allocations();
  for (auto _ : state) {
    wave(flags.first, phase);
    wave(flags.second, phase);
    phase = phase < 100.0f ? phase + 0.1f : 3.25f;
  }
  glFinish();
  state.counters["allocs/frame"] =
      static_cast<double>(AllocationCounter::allocations() - before) / static_cast<double>(state.iterations());
}

void BM_FlagEffectBothFlags(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  FlagPair flags;
  runFrames(state, flags, [](Flag& flag, float phase) { flag.wave(phase); });
}
BENCHMARK(BM_FlagEffectBothFlags)->Unit(benchmark::kMicrosecond);

void BM_FlagEffectBothFlagsPerVertex(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  FlagPair flags;
  auto reference = std::make_unique<PerVertexWave>();
  runFrames(state, flags, [&reference](Flag& flag, float phase) { reference->wave(flag, phase); });
}
BENCHMARK(BM_FlagEffectBothFlagsPerVertex)->Unit(benchmark::kMicrosecond);

}  // namespace
