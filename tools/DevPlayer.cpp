// DevPlayer: the frame loop and the keys.
#include "tools/DevPlayer.h"

#include <GL/glew.h>
#include <SDL/SDL.h>

#include <iostream>

#include "demosys/core/QNVDemosys.h"
#include "demosys/timeline/Timer.h"

namespace {

enum Modifier { PLAIN = 0, SHIFT = 1, CTRL = 2 };

// Rows a bar of the usual four beats holds: Ctrl with an arrow key.
const int barRows = 16;
const int pageMs = 10000;

struct KeyBinding {
  int key;
  int modifier;
  void (*act)(PlaybackControl& control, int beatRows);
  const char* what;
};

// Playback keys; the player's own keys (Tab, F5, Escape, 1-9) are handled beside them.
const KeyBinding bindings[] = {
    {SDLK_SPACE, PLAIN, [](PlaybackControl& c, int) { c.togglePause(); }, nullptr},
    {SDLK_LEFT, PLAIN, [](PlaybackControl& c, int) { c.seekRows(-1); }, "at"},
    {SDLK_RIGHT, PLAIN, [](PlaybackControl& c, int) { c.seekRows(1); }, "at"},
    {SDLK_LEFT, SHIFT, [](PlaybackControl& c, int beat) { c.seekRows(-beat); }, "at"},
    {SDLK_RIGHT, SHIFT, [](PlaybackControl& c, int beat) { c.seekRows(beat); }, "at"},
    {SDLK_LEFT, CTRL, [](PlaybackControl& c, int) { c.seekRows(-barRows); }, "at"},
    {SDLK_RIGHT, CTRL, [](PlaybackControl& c, int) { c.seekRows(barRows); }, "at"},
    {SDLK_PAGEUP, PLAIN, [](PlaybackControl& c, int) { c.seekMs(-pageMs); }, "at"},
    {SDLK_PAGEDOWN, PLAIN, [](PlaybackControl& c, int) { c.seekMs(pageMs); }, "at"},
    {SDLK_i, PLAIN, [](PlaybackControl& c, int) { c.markLoopIn(); }, "loop in at"},
    {SDLK_o, PLAIN, [](PlaybackControl& c, int) { c.markLoopOut(); }, "loop out at"},
};

int modifierOf(int mod) {
  if (mod & KMOD_CTRL) return CTRL;
  if (mod & KMOD_SHIFT) return SHIFT;
  return PLAIN;
}

}  // namespace

DevPlayer::DevPlayer(const Options& o) : options(o) {
  metrics.setResolution(o.width, o.height);
  metrics.setFullscreen(false);
  metrics.setFullscreenOverride(true);
}

// The content goes first; the window closes after it, as at the end of the program.
DevPlayer::~DevPlayer() {
  overlay.reset();
  bool windowOpen = QNVDemosys::screen != nullptr;
  session.reset();
  if (windowOpen) Demo::closeWindow();
}

bool DevPlayer::run() {
  if (!loadDemo()) return false;
  overlay = std::make_unique<DevOverlay>();
  if (!overlay->isValid()) say("no overlay font: " + overlay->getErrorMessage());
  SDL_WM_SetCaption("demosys play", nullptr);
  SDL_ShowCursor(SDL_ENABLE);
  say("playing " + options.source.script +
      " (Space pause, arrows seek, I/O/L loop, 1-9 speed, F5 shaders, Tab overlay, Escape quit)");
  lastFrame = Timer::ticks();
  while (!QNVDemosys::checkQuit()) frame();
  return true;
}

// The overlay goes over the finished picture; the graph shows the time from frame to frame.
void DevPlayer::frame() {
  pollFiles();
  if (loaded) {
    control.update();
    Timer* timer = QNVDemosys::timer;
    timer->updateSystem();
    unsigned time = timer->getTime();
    unsigned row = timer->getRow();
    unsigned frameTime = timer->updateFrameTime(time);
    session->demo().renderFrame(time, row, frameTime);
  } else {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_Event event;
    while (SDL_PollEvent(&event)) handleEvent(event);
  }
  overlay->draw(control, loaded ? QNVDemosys::tracks : nullptr, metrics.getWidth(), metrics.getHeight());
  SDL_GL_SwapBuffers();
  ++QNVDemosys::frames;
  unsigned now = Timer::ticks();
  overlay->addFrameTime(static_cast<float>(now - lastFrame));
  lastFrame = now;
}

bool DevPlayer::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    QNVDemosys::setQuit(true);
    return true;
  }
  if (event.type == SDL_VIDEORESIZE && !loaded) metrics.resize(event.resize.w, event.resize.h);
  if (event.type != SDL_KEYDOWN) return false;
  return handleKey(event.key.keysym.sym, event.key.keysym.mod);
}

bool DevPlayer::handleKey(int key, int mod) {
  if (key == SDLK_ESCAPE) {
    QNVDemosys::setQuit(true);
  } else if (key == SDLK_TAB) {
    overlay->toggle();
  } else if (key == SDLK_F5) {
    reloadShaders();
  } else if (key >= SDLK_1 && key <= SDLK_9) {
    int slowdown = key - SDLK_0;
    control.setSlowdown(slowdown);
    say(slowdown == 1 ? "speed 1" : "speed 1/" + std::to_string(slowdown) + " (music muted)");
  } else if (key == SDLK_HOME) {
    control.seekTo(startTime);
    sayPosition("at");
  } else if (key == SDLK_l) {
    control.toggleLoop();
    say(control.isLooping() ? "looping " + PlaybackControl::clockText(control.getLoopIn()) + " - " +
                                  PlaybackControl::clockText(control.getLoopOut())
                            : "loop off");
  } else {
    for (const KeyBinding& binding : bindings) {
      if (binding.key != key || binding.modifier != modifierOf(mod)) continue;
      binding.act(control, static_cast<int>(control.getBeatRows()));
      sayPosition(binding.what ? binding.what : control.isPaused() ? "paused at" : "playing from");
      return true;
    }
    return false;
  }
  return true;
}

void DevPlayer::say(const std::string& line) {
  std::cout << "play: " << line << std::endl;
  if (overlay) overlay->setMessage(line);
}

void DevPlayer::sayPosition(const std::string& what) { say(what + " " + control.position()); }
