// Render-target pass cost under the GL driver at 1280 x 720: one full-screen textured quad drawn
// through a framebuffer object and back to the window, next to the bare clear and swap, and the
// engine's own bind/release bookkeeping without any drawing. Needs the benchmarks' window
// (BenchWindow: an X display).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchWindow.h"
#include "demosys/render/FrameBufferObject.h"
#include "demosys/render/Texture.h"

namespace {

struct RenderWindow {
  std::unique_ptr<Texture> picture;
  std::unique_ptr<FrameBufferObject> target;
};

// The picture and the render target, made once the window is open.
RenderWindow& window() {
  static RenderWindow w;
  if (w.target == nullptr && BenchWindow::get().error.empty()) {
    std::vector<unsigned char> pixels(256 * 256 * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
    w.picture = std::make_unique<Texture>(256, 256, GL_TEXTURE_2D, GL_RGBA, GL_RGBA, pixels.data());
    w.target = std::make_unique<FrameBufferObject>(BenchWindow::width, BenchWindow::height, true, false);
  }
  return w;
}

void BM_ClearAndSwap(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  BenchWindow::get().metrics.setView();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BenchWindow::present();
  }
}
BENCHMARK(BM_ClearAndSwap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QuadThroughRenderTarget(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  RenderWindow& w = window();
  BenchWindow::get().metrics.setView();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    w.target->bind();
    w.target->clear();
    w.picture->drawQuadFS();
    w.target->release();
    w.target->draw();
    BenchWindow::present();
  }
}
BENCHMARK(BM_QuadThroughRenderTarget)->Unit(benchmark::kMillisecond)->UseRealTime();

// The engine's CPU side of one pass: stack push/pop, viewport and window view, without drawing.
void BM_RenderTargetBookkeeping(benchmark::State& state) {
  if (BenchWindow::skip(state)) return;
  RenderWindow& w = window();
  for (auto _ : state) {
    w.target->bind();
    w.target->release();
  }
  glFinish();
}
BENCHMARK(BM_RenderTargetBookkeeping)->Unit(benchmark::kMicrosecond);

}  // namespace
