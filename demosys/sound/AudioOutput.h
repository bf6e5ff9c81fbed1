// Where mixed sound goes: SDL's audio device at Sound::RATE stereo with a buffer of
// BUFFER_FRAMES frames, or, when no device opens, a silent output that consumes the same
// frames in step with the demo's tick clock (Timer::ticks) so that songs still advance in
// real time, in step with the timer.
// The device's callback runs on SDL's audio thread: it renders into a buffer made once,
// converts it and returns; it never allocates and only waits for the short sections that
// the main thread guards with Lock. Depends on: SDL 1.2 audio, Sound, Timer (the tick source).
#pragma once

#include <cstdint>

class AudioOutput {
 public:
  static constexpr unsigned BUFFER_FRAMES = 1024;

  // Renders `frames` frames into `interleaved` (zeroed by the caller), or, with a null
  // buffer, only advances as if they had been played.
  typedef void (*RenderFunction)(void* user, float* interleaved, unsigned frames);

  // Holds the audio thread off while the main thread changes what it reads.
  class Lock {
   public:
    explicit Lock(const AudioOutput& output);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    bool locked;
  };

  AudioOutput(RenderFunction render, void* user);
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the device (bringing up SDL's audio if nobody has) or falls back to the silent
  // output, saying so in one line.
  void open();
  void close();
  bool isSilent() const { return !deviceOpen; }
  // Silent output: renders, without sound, the frames due since the last call.
  void catchUp();

 private:
  static void fill(void* user, unsigned char* stream, int length);
  bool openDevice();
  void startSilentClock();

  RenderFunction render;
  void* user;
  bool deviceOpen = false;
  bool ownsAudioSubsystem = false;
  uint32_t silentStartTicks = 0;
  uint64_t silentFrames = 0;
  float mix[BUFFER_FRAMES * 2];
};
