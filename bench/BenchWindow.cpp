#include "bench/BenchWindow.h"

#include <GL/glew.h>
#include <SDL.h>
#include <stdlib.h>

#include "demosys/core/QNVDemosys.h"

BenchWindow& BenchWindow::get() {
  static BenchWindow w;
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
  return w;
}

bool BenchWindow::skip(benchmark::State& state) {
  const std::string& error = get().error;
  if (error.empty()) return false;
  state.SkipWithError(error.c_str());
  return true;
}

void BenchWindow::present() {
  SDL_GL_SwapBuffers();
  glFinish();
}
