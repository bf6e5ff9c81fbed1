// Render-target pass cost under the GL driver at 1280 x 720: one full-screen textured quad drawn
// through a framebuffer object and back to the window, next to the bare clear and swap, and the
// engine's own bind/release bookkeeping without any drawing. Needs an X display (run under
// xvfb-run -a -s "-screen 0 1280x720x24"); without one the benchmarks skip themselves.
#include <GL/glew.h>
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/core/ScreenMetrics.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Texture.h"

namespace {

const int width = 1280;
const int height = 720;

struct RenderWindow {
  std::string error;
  ScreenMetrics metrics;
  std::unique_ptr<Texture> picture;
  std::unique_ptr<FrameBufferObject> target;
};

// Opens the window once for all render benchmarks; error stays empty on success.
RenderWindow& window() {
  static RenderWindow w;
  static bool opened = false;
  if (opened) return w;
  opened = true;
  if (getenv("DISPLAY") == nullptr) {
    w.error = "no X display: run under xvfb-run -a -s \"-screen 0 1280x720x24\"";
    return w;
  }
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  if (SDL_Init(SDL_INIT_VIDEO) < 0 || SDL_SetVideoMode(width, height, 32, SDL_OPENGL) == nullptr) {
    w.error = std::string("no OpenGL window: ") + SDL_GetError();
    return w;
  }
  if (glewInit() != GLEW_OK || !GLEW_VERSION_2_0) {
    w.error = "OpenGL 2.0 is not available";
    return w;
  }
  w.metrics.setResolution(width, height);
  w.metrics.initView();
  QNVDemosys::screenMetrics = &w.metrics;
  std::vector<unsigned char> pixels(256 * 256 * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
  w.picture = std::make_unique<Texture>(256, 256, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, pixels.data());
  w.target = std::make_unique<FrameBufferObject>(width, height, true, false);
  return w;
}

bool skipWithoutWindow(benchmark::State& state) {
  const std::string& error = window().error;
  if (error.empty()) return false;
  state.SkipWithError(error.c_str());
  return true;
}

// The frame ends when the driver has finished it, so each iteration is one whole frame.
void present() {
  SDL_GL_SwapBuffers();
  glFinish();
}

void BM_ClearAndSwap(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  window().metrics.setView();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    present();
  }
}
BENCHMARK(BM_ClearAndSwap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QuadThroughRenderTarget(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  RenderWindow& w = window();
  w.metrics.setView();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    w.target->bind();
    w.target->clear();
    w.picture->drawQuadFS();
    w.target->release();
    w.target->draw();
    present();
  }
}
BENCHMARK(BM_QuadThroughRenderTarget)->Unit(benchmark::kMillisecond)->UseRealTime();

// The engine's CPU side of one pass: stack push/pop, viewport and window view, without drawing.
void BM_RenderTargetBookkeeping(benchmark::State& state) {
  if (skipWithoutWindow(state)) return;
  RenderWindow& w = window();
  for (auto _ : state) {
    w.target->bind();
    w.target->release();
  }
  glFinish();
}
BENCHMARK(BM_RenderTargetBookkeeping)->Unit(benchmark::kMicrosecond);

}  // namespace
