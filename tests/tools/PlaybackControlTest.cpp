// The development player's playback control over a plain clock on a hand-set tick counter: pause,
// row and time seeks, slowed playback, the loop region and the hold at the stop time.
#include "tools/PlaybackControl.h"

#include <gtest/gtest.h>

#include <vector>

#include "demosys/timeline/Timer.h"
#include "tests/support/ScopedClock.h"

namespace {

// p pause/play, r rows, m milliseconds, s slowdown, i/o loop in/out, l loop on/off, a: ticks pass
// by the argument and a frame updates.
struct Step {
  char op;
  int arg;
};

struct Case {
  const char* what;
  std::vector<Step> steps;
  unsigned time;
  bool paused;
};

const std::vector<Case> cases = {
    {"pause holds the position", {{'a', 1000}, {'p', 0}, {'a', 5000}}, 1000, true},
    {"play resumes where it paused", {{'a', 1000}, {'p', 0}, {'a', 5000}, {'p', 0}, {'a', 500}}, 1500, false},
    {"a row step while paused lands on the next row's start", {{'a', 130}, {'p', 0}, {'r', 1}}, 250, true},
    {"rows back stop at row 0", {{'p', 0}, {'r', 3}, {'r', -5}}, 0, true},
    {"time seeks stop at 0", {{'a', 300}, {'m', -10000}}, 0, false},
    {"a quarter speed moves a quarter of the ticks", {{'s', 4}, {'a', 1000}, {'a', 2}}, 250, false},
    {"normal speed again runs with the ticks", {{'s', 4}, {'a', 1000}, {'s', 1}, {'a', 1000}}, 1250, false},
    {"past the loop's out point it returns to the in point",
     {{'a', 1000}, {'i', 0}, {'a', 1000}, {'o', 0}, {'l', 0}, {'a', 200}, {'a', 300}}, 1300, false},
    {"a loop switched off plays on", {{'a', 1000}, {'i', 0}, {'a', 1000}, {'o', 0}, {'l', 0}, {'l', 0},
                                      {'a', 200}}, 2200, false},
    {"the stop time holds the clock, paused", {{'a', 9000}}, 5000, true},
};

void apply(PlaybackControl& control, const Step& step, ScopedClock& clock) {
  switch (step.op) {
    case 'p': control.togglePause(); break;
    case 'r': control.seekRows(step.arg); break;
    case 'm': control.seekMs(step.arg); break;
    case 's': control.setSlowdown(step.arg); break;
    case 'i': control.markLoopIn(); break;
    case 'o': control.markLoopOut(); break;
    case 'l': control.toggleLoop(); break;
    default:
      clock.advance(static_cast<unsigned>(step.arg));
      control.update();
  }
}

TEST(PlaybackControl, PauseSeekSpeedLoopAndStop) {
  for (const Case& c : cases) {
    ScopedClock clock;
    Timer timer(8);
    ASSERT_TRUE(timer.init());
    PlaybackControl control;
    control.attach(&timer, 5000, 4);
    for (const Step& step : c.steps) apply(control, step, clock);
    EXPECT_EQ(control.time(), c.time) << c.what;
    EXPECT_EQ(control.isPaused(), c.paused) << c.what;
    // Slowed or paused, the clock (and with it the song) stands still between the frames.
    EXPECT_EQ(timer.isPaused(), c.paused || control.getSlowdown() > 1) << c.what;
  }
}

}  // namespace
