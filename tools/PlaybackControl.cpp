// PlaybackControl: pause, seeks, loop and slowed playback over the demo's clock.
#include "tools/PlaybackControl.h"

#include <cstdio>

#include "demosys/timeline/Timer.h"

void PlaybackControl::attach(Timer* clock, unsigned stopMs, unsigned beats) {
  timer = clock;
  stopTime = stopMs;
  beatRows = beats > 0 ? beats : 4;
  lastTicks = Timer::ticks();
  slowTicks = 0;
  applyRunState();
}

void PlaybackControl::applyRunState() {
  if (timer == nullptr) return;
  bool run = !paused && slowdown == 1;
  if (run && timer->isPaused()) timer->play();
  if (!run && !timer->isPaused()) timer->pause();
}

void PlaybackControl::togglePause() {
  paused = !paused;
  applyRunState();
}

void PlaybackControl::seekRows(int rows) {
  if (timer == nullptr) return;
  long target = static_cast<long>(timer->getRow()) + rows;
  timer->setRow(target > 0 ? static_cast<unsigned>(target) : 0u);
}

void PlaybackControl::seekMs(int ms) {
  long target = static_cast<long>(time()) + ms;
  seekTo(target > 0 ? static_cast<unsigned>(target) : 0u);
}

void PlaybackControl::seekTo(unsigned ms) {
  if (timer != nullptr) timer->setTime(ms);
}

void PlaybackControl::setSlowdown(int divisor) {
  if (divisor < 1 || divisor > MAX_SLOWDOWN) return;
  slowdown = divisor;
  slowTicks = 0;
  applyRunState();
}

void PlaybackControl::update() {
  unsigned now = Timer::ticks();
  unsigned elapsed = now - lastTicks;
  lastTicks = now;
  if (timer == nullptr) return;
  if (!paused && slowdown > 1) {
    slowTicks += elapsed;
    unsigned advance = slowTicks / static_cast<unsigned>(slowdown);
    slowTicks -= advance * static_cast<unsigned>(slowdown);
    if (advance > 0) timer->setTime(timer->getTime() + advance);
  }
  if (isLooping() && time() > loopOut) seekTo(loopIn);
  if (time() > stopTime) {
    if (!paused) togglePause();
    seekTo(stopTime);
  }
}

unsigned PlaybackControl::time() const { return timer != nullptr ? timer->getTime() : 0; }

unsigned PlaybackControl::row() const { return timer != nullptr ? timer->getRow() : 0; }

int PlaybackControl::formatClock(char* out, std::size_t size, unsigned ms) {
  return std::snprintf(out, size, "%u:%02u:%03u", ms / 60000, ms / 1000 % 60, ms % 1000);
}

std::string PlaybackControl::clockText(unsigned ms) {
  char text[24];
  formatClock(text, sizeof text, ms);
  return text;
}

std::string PlaybackControl::position() const {
  return clockText(time()) + " row " + std::to_string(row());
}
