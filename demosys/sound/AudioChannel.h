// One voice of the mixer: the song it plays, the frame it has reached, and whether it is
// paused or still running. The main thread changes a channel under AudioOutput::Lock; the
// audio thread mixes it while SDL holds the same lock; the main thread's reads are atomic.
// Depends on: Sound, AudioOutput, SpectrumAnalyzer.
#pragma once

#include <atomic>
#include <cstdint>

class AudioOutput;
class Sound;
class SoundSystem;
class SpectrumAnalyzer;

class AudioChannel {
 public:
  AudioChannel(SoundSystem* owner, AudioOutput& output);

  SoundSystem* getOwner() const { return owner; }
  const Sound* getSound() const { return sound; }
  // Not yet started, stopped, or run to the end of its song.
  bool isFree() const { return !running.load(); }
  uint32_t getFrame() const { return frame.load(); }

  // Plays `song` from its start.
  void start(const Sound* song, bool startPaused);
  void stop();
  void setPaused(bool pause);
  // Beyond the end of the song means at its end.
  void seek(uint32_t toFrame);
  // Stops the channel if it plays `song`, which is about to be freed.
  void forget(const Sound* song);

  // Spectrum of one side before the current frame; zeros while the channel is free.
  void spectrum(SpectrumAnalyzer& analyzer, int side, int count, float* out) const;

  // Audio thread: adds the next `frames` frames to `out` (or only skips them when it is
  // null) and moves on; ends the channel at the end of the song.
  void mixInto(float* out, unsigned frames);

 private:
  SoundSystem* owner;
  AudioOutput& output;
  const Sound* sound = nullptr;
  std::atomic<uint32_t> frame{0};
  std::atomic<bool> paused{false};
  std::atomic<bool> running{false};
};
