#include "demosys/sound/AudioOutput.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "demosys/sound/Sound.h"
#include "demosys/timeline/Timer.h"

AudioOutput::Lock::Lock(const AudioOutput& output) : locked(output.deviceOpen) {
  if (locked) SDL_LockAudio();
}

AudioOutput::Lock::~Lock() {
  if (locked) SDL_UnlockAudio();
}

AudioOutput::AudioOutput(RenderFunction render, void* user) : render(render), user(user) {}

AudioOutput::~AudioOutput() { close(); }

void AudioOutput::open() {
  if (openDevice()) return;
  std::cout << "Sound : no audio device (" << SDL_GetError() << "), the music plays silently" << std::endl;
  startSilentClock();
}

bool AudioOutput::openDevice() {
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    ownsAudioSubsystem = true;
  }
  SDL_AudioSpec desired;
  std::memset(&desired, 0, sizeof(desired));
  desired.freq = Sound::RATE;
  desired.format = AUDIO_S16SYS;
  desired.channels = 2;
  desired.samples = BUFFER_FRAMES;
  desired.callback = fill;
  desired.userdata = this;
  // Without an "obtained" spec SDL converts to the hardware's format itself, so the
  // callback always sees exactly the format asked for.
  if (SDL_OpenAudio(&desired, nullptr) != 0) return false;
  deviceOpen = true;
  SDL_PauseAudio(0);
  return true;
}

void AudioOutput::startSilentClock() {
  silentStartTicks = Timer::ticks();
  silentFrames = 0;
}

void AudioOutput::close() {
  if (deviceOpen) SDL_CloseAudio();
  deviceOpen = false;
  if (ownsAudioSubsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  ownsAudioSubsystem = false;
}

void AudioOutput::catchUp() {
  if (deviceOpen) return;
  // Rounded up like positions set in milliseconds, so a song read in milliseconds shows
  // exactly the time the clock advanced.
  uint64_t due = (uint64_t(Timer::ticks() - silentStartTicks) * Sound::RATE + 999) / 1000;
  while (silentFrames < due) {
    unsigned frames = static_cast<unsigned>(std::min<uint64_t>(due - silentFrames, 1u << 30));
    render(user, nullptr, frames);
    silentFrames += frames;
  }
}

void AudioOutput::fill(void* user, unsigned char* stream, int length) {
  auto* output = static_cast<AudioOutput*>(user);
  auto* out = reinterpret_cast<int16_t*>(stream);
  unsigned frames = static_cast<unsigned>(length) / (2 * sizeof(int16_t));
  while (frames > 0) {
    unsigned n = std::min(frames, BUFFER_FRAMES);
    std::fill(output->mix, output->mix + n * 2, 0.0f);
    output->render(output->user, output->mix, n);
    for (unsigned i = 0; i < n * 2; ++i) {
      *out++ = static_cast<int16_t>(std::clamp(output->mix[i], -1.0f, 1.0f) * 32767.0f);
    }
    frames -= n;
  }
}
