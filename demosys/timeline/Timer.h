// The demo's clock on the system tick counter, without sound: demo time,
// music row and frame delta for the main loop, with pause, play and seek.
// All row/time arithmetic is unsigned 32-bit with truncating division. The
// operations are virtual so that the music timer can stand in behind the same
// interface. Ticks come from a replaceable source: the core layer installs
// SDL_GetTicks, tests install a clock they set by hand.
// Depends on: TrackSystem (the valid row rates).
#pragma once

#include <string>

class Timer {
 public:
  enum SoundChannel { LEFT = 0, RIGHT = 1, SUM = 2, AVERAGE = 3 };
  // Milliseconds of a monotonic counter.
  typedef unsigned (*TickSource)();

  explicit Timer(unsigned rowRate);
  virtual ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Anchors demo time 0 at the current tick; fails (with a message) for a row rate outside 1 to
  // 1000, where the row arithmetic would divide by zero.
  virtual bool init();
  virtual int dispose();
  virtual void pause();
  virtual void play();
  virtual unsigned getTime();
  virtual unsigned getRowTime();
  virtual unsigned getRow();
  virtual void setRow(unsigned row);
  // Seeks; the paused flag is kept, so a paused clock then reads exactly ms.
  virtual void setTime(unsigned ms);
  virtual bool isPaused();
  virtual unsigned getEndTime();
  virtual unsigned getEndRow();
  // Milliseconds since the previous call's time; 0 while paused.
  virtual unsigned updateFrameTime(unsigned now);
  virtual void updateSystem();
  virtual std::string getMessage();
  // Without music: count pseudo-random stand-in values; the channel is ignored.
  virtual void GetDirectSoundData(SoundChannel which, int count, float* out);

  // Installs the tick source every timer reads; null restores the built-in monotonic clock.
  static void setTickSource(TickSource source);
  static unsigned ticks();

 protected:
  unsigned rowRate;
  bool paused;
  std::string message;
  unsigned endRow;
  unsigned startTicks;
  unsigned pauseTicks;
  unsigned lastFrameTime;
  unsigned endTime;

 private:
  static TickSource tickSource;
};
