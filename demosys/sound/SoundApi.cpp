#include "demosys/sound/SoundApi.h"

#include "demosys/sound/AudioChannel.h"
#include "demosys/sound/Sound.h"
#include "demosys/sound/SoundSystem.h"

namespace {

const unsigned KNOWN_INIT_FLAGS = SND_INIT_SOFTWARE_MIXING;
const unsigned KNOWN_MODES = SND_MODE_SOFTWARE | SND_MODE_OPEN_MEMORY;

// Milliseconds round up to frames so that a position set in milliseconds reads back
// unchanged (frames round down to milliseconds).
uint32_t framesOf(unsigned ms) { return static_cast<uint32_t>((uint64_t(ms) * Sound::RATE + 999) / 1000); }

unsigned millisecondsOf(uint32_t frames) {
  return static_cast<unsigned>(uint64_t(frames) * 1000 / Sound::RATE);
}

}  // namespace

SoundResult snd_System_Create(SoundSystem** system) {
  if (!system) return SND_ERR_INVALID_PARAM;
  *system = new SoundSystem();
  return SND_OK;
}

SoundResult snd_System_GetVersion(SoundSystem* system, unsigned* version) {
  if (!system || !version) return SND_ERR_INVALID_PARAM;
  *version = SND_VERSION;
  return SND_OK;
}

SoundResult snd_System_Init(SoundSystem* system, int maxChannels, unsigned flags, void*) {
  if (!system || (flags & ~KNOWN_INIT_FLAGS) != 0) return SND_ERR_INVALID_PARAM;
  return system->init(maxChannels);
}

SoundResult snd_System_Release(SoundSystem* system) {
  if (!system) return SND_ERR_INVALID_PARAM;
  delete system;
  return SND_OK;
}

SoundResult snd_System_Update(SoundSystem* system) {
  if (!system) return SND_ERR_INVALID_PARAM;
  system->update();
  return SND_OK;
}

SoundResult snd_System_CreateSound(SoundSystem* system, const char* nameOrData, unsigned mode,
                                   SoundCreateInfo* info, Sound** sound) {
  if (!system || !nameOrData || !sound || (mode & ~KNOWN_MODES) != 0) return SND_ERR_INVALID_PARAM;
  *sound = nullptr;
  if ((mode & SND_MODE_OPEN_MEMORY) == 0) return system->createSoundFromFile(nameOrData, sound);
  if (!info || info->size != sizeof(SoundCreateInfo)) return SND_ERR_INVALID_PARAM;
  return system->createSound(reinterpret_cast<const unsigned char*>(nameOrData), info->length, sound);
}

SoundResult snd_System_PlaySound(SoundSystem* system, int channelChoice, Sound* sound, bool paused,
                                 AudioChannel** channel) {
  if (!system || !sound || !channel) return SND_ERR_INVALID_PARAM;
  return system->playSound(channelChoice, sound, paused, channel);
}

SoundResult snd_Sound_GetLength(Sound* sound, unsigned* length, unsigned timeUnit) {
  if (!sound || !length || timeUnit != SND_TIMEUNIT_MS) return SND_ERR_INVALID_PARAM;
  *length = sound->getLengthMs();
  return SND_OK;
}

SoundResult snd_Sound_Release(Sound* sound) {
  if (!sound) return SND_ERR_INVALID_PARAM;
  return sound->getOwner()->releaseSound(sound);
}

SoundResult snd_Channel_SetPosition(AudioChannel* channel, unsigned position, unsigned timeUnit) {
  if (!channel || timeUnit != SND_TIMEUNIT_MS) return SND_ERR_INVALID_PARAM;
  channel->getOwner()->update();
  channel->seek(framesOf(position));
  return SND_OK;
}

SoundResult snd_Channel_GetPosition(AudioChannel* channel, unsigned* position, unsigned timeUnit) {
  if (!channel || !position || timeUnit != SND_TIMEUNIT_MS) return SND_ERR_INVALID_PARAM;
  channel->getOwner()->update();
  *position = millisecondsOf(channel->getFrame());
  return SND_OK;
}

SoundResult snd_Channel_SetPaused(AudioChannel* channel, bool paused) {
  if (!channel) return SND_ERR_INVALID_PARAM;
  channel->getOwner()->update();
  channel->setPaused(paused);
  return SND_OK;
}

SoundResult snd_Channel_IsPlaying(AudioChannel* channel, bool* playing) {
  if (!channel || !playing) return SND_ERR_INVALID_PARAM;
  channel->getOwner()->update();
  *playing = !channel->isFree();
  return SND_OK;
}

SoundResult snd_Channel_Stop(AudioChannel* channel) {
  if (!channel) return SND_ERR_INVALID_PARAM;
  channel->getOwner()->update();
  channel->stop();
  return SND_OK;
}

SoundResult snd_Channel_GetSpectrum(AudioChannel* channel, float* spectrum, int count, int channelOffset,
                                    int window) {
  if (!channel || window != SND_SPECTRUM_WINDOW_HAMMING) return SND_ERR_INVALID_PARAM;
  if (channelOffset < 0 || channelOffset > 1 || count > SND_SPECTRUM_MAX_BINS) return SND_ERR_INVALID_PARAM;
  if (count <= 0) return SND_OK;
  if (!spectrum) return SND_ERR_INVALID_PARAM;
  SoundSystem* system = channel->getOwner();
  system->update();
  channel->spectrum(system->getAnalyzer(), channelOffset, count, spectrum);
  return SND_OK;
}
