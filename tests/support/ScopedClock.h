// Test helper: a hand-set tick counter that every Timer, and the silent sound output, read while the
// object lives.
#pragma once

#include "demosys/timeline/Timer.h"

class ScopedClock {
 public:
  explicit ScopedClock(unsigned start = 1000000) {
    ticks = start;
    Timer::setTickSource(read);
  }
  ~ScopedClock() { Timer::setTickSource(nullptr); }
  void advance(unsigned ms) { ticks += ms; }

 private:
  static unsigned read() { return ticks; }
  static inline unsigned ticks = 0;
};
