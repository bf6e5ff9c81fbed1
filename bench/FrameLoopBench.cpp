// The engine's per-frame overhead at 1280 x 720 on an empty timeline, in the window the engine
// opens: a bare clear and swap, the frame loop's own work (timer, track system, render-target
// clears, projection, event poll) on the tick clock, and the same with a quiet song playing
// through SDL's audio on the dummy driver, or through the silent output when no device opens.
// Each reports its frame time as "vs_bare", a ratio to the bare loop's (which runs first), and
// its own heap allocations per frame. Needs an X display
// (run under xvfb-run -a -s "-screen 0 1280x720x24"); without one the benchmarks skip themselves.
#include <GL/glew.h>
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "demosys/core/Demo.h"
#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/resources/DataFBOPool.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/timeline/FMODTimer.h"
#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystem.h"

namespace {

const int width = 1280;
const int height = 720;
const unsigned rowRate = 100;

struct EngineWindow {
  std::string error;
  ScreenMetrics metrics;
  std::unique_ptr<Demo> demo;
  std::unique_ptr<TrackSystem> tracks;
  std::string songPath;
};

void writeLittleEndian(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

// Thirty seconds of a quiet 440 Hz tone, 16-bit stereo at 44.1 kHz.
std::string writeQuietSong() {
  char dir[] = "/tmp/frameloopbench.XXXXXX";
  if (mkdtemp(dir) == nullptr) return "";
  std::string path = std::string(dir) + "/song.wav";
  const uint32_t rate = 44100, frames = rate * 30, dataBytes = frames * 4;
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  writeLittleEndian(out, 36 + dataBytes, 4);
  out.write("WAVEfmt ", 8);
  writeLittleEndian(out, 16, 4);
  writeLittleEndian(out, 1, 2);
  writeLittleEndian(out, 2, 2);
  writeLittleEndian(out, rate, 4);
  writeLittleEndian(out, rate * 4, 4);
  writeLittleEndian(out, 4, 2);
  writeLittleEndian(out, 16, 2);
  out.write("data", 4);
  writeLittleEndian(out, dataBytes, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    auto sample = static_cast<int16_t>(300.0 * std::sin(2.0 * M_PI * 440.0 * i / rate));
    writeLittleEndian(out, static_cast<uint16_t>(sample), 2);
    writeLittleEndian(out, static_cast<uint16_t>(sample), 2);
  }
  return out ? path : "";
}

// Opens the engine's window once, with the engine's pools and an empty track system.
EngineWindow& window() {
  static EngineWindow w;
  static bool opened = false;
  if (opened) return w;
  opened = true;
  if (getenv("DISPLAY") == nullptr) {
    w.error = "no X display: run under xvfb-run -a -s \"-screen 0 1280x720x24\"";
    return w;
  }
  char program[] = "demosys_bench";
  char* argv[] = {program, nullptr};
  w.demo = std::make_unique<Demo>(1, argv);
  w.metrics.setResolution(width, height);
  w.metrics.initView();
  if (!QNVDemosys::windowOpen(&w.metrics, "FrameLoopBench", nullptr)) {
    w.error = std::string("no OpenGL window: ") + SDL_GetError();
    return w;
  }
  if (glewInit() != GLEW_OK || !GLEW_VERSION_2_0) {
    w.error = "OpenGL 2.0 is not available";
    return w;
  }
  w.demo->init();
  w.tracks = std::make_unique<TrackSystem>();
  QNVDemosys::tracks = w.tracks.get();
  w.songPath = writeQuietSong();
  return w;
}

bool skipWithoutWindow(benchmark::State& state) {
  const std::string& error = window().error;
  if (error.empty()) return false;
  state.SkipWithError(error.c_str());
  return true;
}

double bareFrameSeconds = 0.0;

// Times the loop itself, so that every benchmark can be set against the bare frame, and counts
// the loop's own heap allocations (the driver's mallocs are not counted).
template <typename Frame>
double runFrames(benchmark::State& state, Frame frame) {
  std::size_t allocationsBefore = AllocationCounter::allocations();
  auto start = std::chrono::steady_clock::now();
  for (auto _ : state) frame();
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  double iterations = static_cast<double>(state.iterations());
  double perFrame = elapsed.count() / iterations;
  state.counters["allocs_per_frame"] =
      static_cast<double>(AllocationCounter::allocations() - allocationsBefore) / iterations;
  if (bareFrameSeconds > 0.0) state.counters["vs_bare"] = perFrame / bareFrameSeconds;
  return perFrame;
}

// One turn of the engine's frame loop as Demo::run makes it.
void engineFrame(Timer& timer) {
  timer.updateSystem();
  unsigned time = timer.getTime();
  unsigned row = timer.getRow();
  unsigned frameTime = timer.updateFrameTime(time);
  window().demo->drawFrame(time, row, frameTime);
}

void runEngine(benchmark::State& state, Timer& timer) {
  QNVDemosys::timer = &timer;
  timer.play();
  runFrames(state, [&timer] { engineFrame(timer); });
  timer.pause();
  QNVDemosys::timer = nullptr;
}

// Argument 1: colour and depth cleared, as every engine frame does (the reference frame);
// 0: colour only, which shows what the driver's depth clear costs.
void BM_BareClearAndSwap(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  window().metrics.setView();
  GLbitfield mask = GL_COLOR_BUFFER_BIT | (state.range(0) ? GL_DEPTH_BUFFER_BIT : 0);
  double perFrame = runFrames(state, [mask] {
    glClear(mask);
    SDL_GL_SwapBuffers();
  });
  if (state.range(0) == 0) return;
  bareFrameSeconds = perFrame;
  state.counters["vs_bare"] = 1.0;
}
BENCHMARK(BM_BareClearAndSwap)
    ->ArgName("depth")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->MinTime(2.0);

// The loop's own steps without the clear, the flush and the swap: its whole cost on the main
// thread; vs_bare is then its share of the reference frame.
void BM_EngineStepsWithoutDrawing(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  Timer timer(rowRate);
  timer.init();
  timer.play();
  Demo& demo = *window().demo;
  runFrames(state, [&timer, &demo] {
    timer.updateSystem();
    unsigned time = timer.getTime();
    unsigned row = timer.getRow();
    unsigned frameTime = timer.updateFrameTime(time);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    QNVDemosys::screenMetrics->setView();
    glLoadIdentity();
    demo.keyEvents();
    QNVDemosys::tracks->processSystem(time, row, frameTime);
    QNVDemosys::fboPool->clearFlaggedFBOs();
  });
}
BENCHMARK(BM_EngineStepsWithoutDrawing)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_EngineFrameTickClock(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  Timer timer(rowRate);
  timer.init();
  runEngine(state, timer);
}
BENCHMARK(BM_EngineFrameTickClock)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

// The same two loops in alternating blocks of frames, so that a load that comes and goes on the
// machine weighs on both alike: "overhead" is the engine frame's extra time over the bare frame's.
void BM_EngineVsBareInterleaved(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  const int block = 25;
  Timer timer(rowRate);
  timer.init();
  QNVDemosys::timer = &timer;
  timer.play();
  std::chrono::duration<double> bare{0}, engine{0};
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < block; ++i) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      SDL_GL_SwapBuffers();
    }
    auto middle = std::chrono::steady_clock::now();
    for (int i = 0; i < block; ++i) engineFrame(timer);
    bare += middle - start;
    engine += std::chrono::steady_clock::now() - middle;
  }
  QNVDemosys::timer = nullptr;
  double frames = static_cast<double>(state.iterations()) * block;
  state.counters["bare_us"] = bare.count() / frames * 1e6;
  state.counters["engine_us"] = engine.count() / frames * 1e6;
  state.counters["overhead"] = engine.count() / bare.count() - 1.0;
}
BENCHMARK(BM_EngineVsBareInterleaved)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0);

// Argument 0: SDL's dummy audio driver with its own thread; 1: no device, the silent output
// brought up to the clock once a frame.
void BM_EngineFrameWithSong(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  if (window().songPath.empty()) {
    state.SkipWithError("could not write the song");
    return;
  }
  setenv("SDL_AUDIODRIVER", state.range(0) == 0 ? "dummy" : "no-such-driver", 1);
  QNVIO::ResourceType = QNVIO::QNV_RESOURCES_FLAT;
  FMODTimer timer(window().songPath, rowRate);
  if (!timer.init()) {
    state.SkipWithError(timer.getMessage().c_str());
    return;
  }
  runEngine(state, timer);
  timer.dispose();
}
BENCHMARK(BM_EngineFrameWithSong)
    ->ArgName("silent_output")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace
