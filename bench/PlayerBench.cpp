// The development player's costs: putting a saved timeline text into the playing demo (Tarnveld's
// timeline parsed and its tracks moved into a live track system; target under 50 ms), and one
// frame of the overlay's drawing on the CPU (target under 0.5 ms). The overlay needs an X display
// (run under xvfb-run -a -s "-screen 0 1280x720x24"); without one it skips itself.
#include <GL/glew.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "demosys/timeline/Timer.h"
#include "demosys/timeline/TrackSystem.h"
#include "demosys/timeline/TrackText.h"
#include "tools/DevOverlay.h"
#include "tools/PlaybackControl.h"

namespace {

std::string tarnveldTimeline() {
  std::ifstream in(std::string(DEMOSYS_SOURCE_DIR) + "/resources/timeline/tarnveld.timeline");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_TimelineTextReload(benchmark::State& state) {
  const std::string text = tarnveldTimeline();
  std::unique_ptr<TrackSystem> live(TrackText().read(text));
  if (!live) {
    state.SkipWithError("resources/timeline/tarnveld.timeline does not read");
    return;
  }
  for (auto _ : state) {
    TrackText reader;
    std::unique_ptr<TrackSystem> fresh(reader.read(text));
    live->takeTracksFrom(*fresh, nullptr);
    benchmark::DoNotOptimize(live.get());
  }
}
BENCHMARK(BM_TimelineTextReload)->Unit(benchmark::kMillisecond);

// Uses the window another benchmark opened, or opens one.
bool openWindow(benchmark::State& state) {
  if (SDL_GetVideoSurface() != nullptr) return true;
  if (getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no X display: run under xvfb-run -a -s \"-screen 0 1280x720x24\"");
    return false;
  }
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_Init(SDL_INIT_VIDEO) < 0 || SDL_SetVideoMode(1280, 720, 32, SDL_OPENGL) == nullptr ||
      glewInit() != GLEW_OK) {
    state.SkipWithError("no OpenGL window");
    return false;
  }
  return true;
}

// CPU time of the drawing calls; the driver's work is finished outside the measured time.
void BM_OverlayFrame(benchmark::State& state) {
  if (!openWindow(state)) return;
  DevOverlay overlay;
  if (!overlay.isValid()) {
    state.SkipWithError(overlay.getErrorMessage().c_str());
    return;
  }
  // A full message stands in for the effect lines: each costs one line of text like them.
  std::string message;
  for (int i = 0; i < DevOverlay::messageLines; ++i) message += "0:fragment shader: error on line " + std::to_string(i) + "\n";
  overlay.setMessage(message);
  Timer timer(8);
  timer.init();
  PlaybackControl control;
  control.attach(&timer, 600000, 4);
  TrackSystem tracks;
  for (auto _ : state) {
    overlay.addFrameTime(16.0f);
    overlay.draw(control, &tracks, 1280, 720);
    state.PauseTiming();
    glFinish();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OverlayFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
