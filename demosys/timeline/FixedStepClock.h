// The clock of frame capture, in place of the tick counter: frame k of a range shows time
// from + k x 1000 / fps with a constant frame delta, and the timer stays paused and is seeked to
// each frame's time. With music the song is seeked along with it, so music-reactive effects read
// the spectrum at the frame's time: every run draws the same frames, however long each takes.
// Depends on: Timer.
#pragma once

#include <vector>

class Timer;

class FixedStepClock {
 public:
  struct Frame {
    unsigned time;
    unsigned row;
    unsigned frameTime;
  };

  // fps from 1 to 1000.
  FixedStepClock(Timer& timer, unsigned fps);

  // Times of the frames from `from` to `to`, both included when on the step.
  std::vector<unsigned> rangeTimes(unsigned from, unsigned to) const;
  // Pauses the timer: the song is not heard while capturing, and real time no longer moves it.
  void start();
  // Seeks the timer to `time` and reads the frame's values back from it.
  Frame frameAt(unsigned time);
  unsigned getStep() const { return step; }

 private:
  Timer& timer;
  unsigned fps;
  unsigned step;
};
