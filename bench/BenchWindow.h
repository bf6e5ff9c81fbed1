// The one 1280 x 720 OpenGL window the GL benchmarks draw into, opened on first use with the
// engine's screen metrics installed. Needs an X display (run under
// xvfb-run -a -s "-screen 0 1280x720x24"); without one the benchmarks skip themselves.
// Depends on: SDL 1.2, GLEW, ScreenMetrics, Google Benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "demosys/core/ScreenMetrics.h"

struct BenchWindow {
  static constexpr int width = 1280;
  static constexpr int height = 720;
  std::string error;  // empty once the window is open
  ScreenMetrics metrics;

  static BenchWindow& get();
  // True (and the benchmark marked skipped) when there is no window.
  static bool skip(benchmark::State& state);
  // Swaps and waits for the driver, so each iteration is one whole frame.
  static void present();
};
