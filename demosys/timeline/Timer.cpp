#include "demosys/timeline/Timer.h"

#include <chrono>
#include <cstdlib>

#include "demosys/timeline/TrackSystem.h"

namespace {

unsigned steadyClockTicks() {
  static const auto origin = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - origin;
  return static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

const unsigned TEN_MINUTES = 600000;

}  // namespace

Timer::TickSource Timer::tickSource = steadyClockTicks;

void Timer::setTickSource(TickSource source) { tickSource = source ? source : steadyClockTicks; }

unsigned Timer::ticks() { return tickSource(); }

Timer::Timer(unsigned rowRate)
    : rowRate(rowRate), paused(true), endRow(0), startTicks(0), pauseTicks(0), lastFrameTime(0), endTime(0) {}

Timer::~Timer() = default;

bool Timer::init() {
  if (!TrackSystem::isValidRowRate(static_cast<int>(rowRate))) {
    message = "Invalid row rate " + std::to_string(rowRate) + ": it must be from 1 to " +
              std::to_string(TrackSystem::MAX_ROW_RATE);
    return false;
  }
  endTime = TEN_MINUTES;
  endRow = TEN_MINUTES / (1000 / rowRate);
  startTicks = pauseTicks = ticks();
  lastFrameTime = startTicks;
  return true;
}

int Timer::dispose() { return 1; }

void Timer::pause() {
  paused = true;
  pauseTicks = ticks();
}

void Timer::play() {
  unsigned t = getTime();
  paused = false;
  startTicks = ticks() - t;
  lastFrameTime = t;
}

unsigned Timer::getTime() { return (paused ? pauseTicks : ticks()) - startTicks; }

unsigned Timer::getRow() { return (getTime() * rowRate) / 1000; }

unsigned Timer::getRowTime() { return (getRow() * 1000) / rowRate; }

void Timer::setRow(unsigned row) { setTime((row * 1000) / rowRate); }

void Timer::setTime(unsigned ms) {
  unsigned now = ticks();
  startTicks = now - ms;
  pauseTicks = now;
  lastFrameTime = ms;
}

bool Timer::isPaused() { return paused; }

unsigned Timer::getEndTime() { return endTime; }

unsigned Timer::getEndRow() { return endRow; }

unsigned Timer::updateFrameTime(unsigned now) {
  if (paused) return 0;
  unsigned delta = now - lastFrameTime;
  lastFrameTime = now;
  return delta;
}

void Timer::updateSystem() {}

std::string Timer::getMessage() { return message; }

void Timer::GetDirectSoundData(SoundChannel, int count, float* out) {
  for (int i = 0; i < count; ++i) {
    // rand() % 10000 can be 0: read it as 1 so no infinity reaches an effect's arithmetic.
    int r = std::rand() % 10000;
    out[i] = static_cast<float>(1.0 / (r == 0 ? 1 : r));
  }
}
