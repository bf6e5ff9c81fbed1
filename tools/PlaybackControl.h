// Playback control of a demo in the making: pause and play, seeks by rows and by time, a loop
// region and slowed playback, all through the demo's one clock. The music timer pauses and seeks
// the song with the clock by itself; slowed playback keeps the clock (and so the song) paused and
// moves it by hand every frame, since the sound layer plays at one speed only: slowed, the music
// is muted. A clock that passes the demo's stop time holds there, paused.
// Depends on: Timer (and its tick source).
#pragma once

#include <cstddef>
#include <string>

class Timer;

class PlaybackControl {
 public:
  static constexpr int MAX_SLOWDOWN = 9;

  // The clock of a freshly loaded demo, its stop time and the rows of a beat. The pause, speed and
  // loop settings carry over from the previous clock; the position is the caller's to restore.
  void attach(Timer* clock, unsigned stopMs, unsigned beatRows);
  void detach() { timer = nullptr; }

  void togglePause();
  // From the current row, never before row 0.
  void seekRows(int rows);
  void seekMs(int ms);
  void seekTo(unsigned ms);
  void markLoopIn() { loopIn = time(); }
  void markLoopOut() { loopOut = time(); }
  void toggleLoop() { looping = !looping; }
  // 1 plays at normal speed, n at 1/n (1 to MAX_SLOWDOWN).
  void setSlowdown(int divisor);

  // Once a frame before the demo reads its clock: moves a slowed clock on by its share of the
  // ticks since the last frame, returns from the loop's out point to its in point and holds at
  // the stop time.
  void update();

  unsigned time() const;
  unsigned row() const;
  bool isPaused() const { return paused; }
  bool isLooping() const { return looping && loopOut > loopIn; }
  unsigned getLoopIn() const { return loopIn; }
  unsigned getLoopOut() const { return loopOut; }
  int getSlowdown() const { return slowdown; }
  unsigned getBeatRows() const { return beatRows; }

  // "m:ss:mmm".
  static std::string clockText(unsigned ms);
  // The same into out without allocating; snprintf's result.
  static int formatClock(char* out, std::size_t size, unsigned ms);
  // "m:ss:mmm row R", the current position.
  std::string position() const;

 private:
  // The clock runs only when playing at normal speed.
  void applyRunState();

  Timer* timer = nullptr;
  bool paused = false;
  int slowdown = 1;
  bool looping = false;
  unsigned loopIn = 0;
  unsigned loopOut = 0;
  unsigned stopTime = 0;
  unsigned beatRows = 4;
  unsigned lastTicks = 0;
  unsigned slowTicks = 0;
};
