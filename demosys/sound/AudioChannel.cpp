#include "demosys/sound/AudioChannel.h"

#include <algorithm>

#include "demosys/sound/AudioOutput.h"
#include "demosys/sound/Sound.h"
#include "demosys/sound/SpectrumAnalyzer.h"

AudioChannel::AudioChannel(SoundSystem* owner, AudioOutput& output) : owner(owner), output(output) {}

void AudioChannel::start(const Sound* song, bool startPaused) {
  AudioOutput::Lock lock(output);
  sound = song;
  frame = 0;
  paused = startPaused;
  running = true;
}

void AudioChannel::stop() {
  AudioOutput::Lock lock(output);
  running = false;
}

void AudioChannel::setPaused(bool pause) {
  AudioOutput::Lock lock(output);
  paused = pause;
}

void AudioChannel::seek(uint32_t toFrame) {
  AudioOutput::Lock lock(output);
  frame = sound ? std::min(toFrame, sound->getFrames()) : 0;
}

void AudioChannel::forget(const Sound* song) {
  if (sound != song) return;
  AudioOutput::Lock lock(output);
  running = false;
  sound = nullptr;
  frame = 0;
}

void AudioChannel::spectrum(SpectrumAnalyzer& analyzer, int side, int count, float* out) const {
  if (isFree()) {
    std::fill(out, out + count, 0.0f);
    return;
  }
  analyzer.analyze(sound->getSamples(), frame, side, count, out);
}

void AudioChannel::mixInto(float* out, unsigned frames) {
  if (!running || paused) return;
  uint32_t at = frame;
  uint32_t n = std::min<uint32_t>(frames, sound->getFrames() - at);
  if (out) {
    const float* in = sound->getSamples() + uint64_t(at) * 2;
    for (uint32_t i = 0; i < n * 2; ++i) out[i] += in[i];
  }
  frame = at + n;
  if (at + n >= sound->getFrames()) running = false;
}
