#include "demosys/timeline/FixedStepClock.h"

#include "demosys/timeline/Timer.h"

FixedStepClock::FixedStepClock(Timer& timer, unsigned fps) : timer(timer), fps(fps), step(1000 / fps) {}

// Each time is computed from the frame number, so the truncated step does not add up to a drift.
std::vector<unsigned> FixedStepClock::rangeTimes(unsigned from, unsigned to) const {
  std::vector<unsigned> times;
  for (unsigned long long k = 0;; ++k) {
    unsigned long long t = from + k * 1000ULL / fps;
    if (t > to) break;
    times.push_back(static_cast<unsigned>(t));
  }
  return times;
}

void FixedStepClock::start() { timer.pause(); }

FixedStepClock::Frame FixedStepClock::frameAt(unsigned time) {
  timer.setTime(time);
  return {timer.getTime(), timer.getRow(), step};
}
