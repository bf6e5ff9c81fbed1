// The engine's sound layer as the timer sees it: a narrow C-style interface over
// SoundSystem, Sound and AudioChannel. Every call returns SND_OK (0) on success or one
// of the SND_ERR_ codes; handles belong to the system that made them and die with it.
// Songs are decoded whole at creation to 44.1 kHz stereo floats; playback goes
// through SDL's audio device, or through a silent output that keeps time when there
// is no device. Depends on: SoundSystem, Sound, AudioChannel.
#pragma once

class AudioChannel;
class Sound;
class SoundSystem;

typedef int SoundResult;

enum : int {
  SND_OK = 0,
  SND_ERR_INVALID_PARAM = 1,
  SND_ERR_NOT_READY = 2,  // the system is not initialised, or already is
  SND_ERR_FILE_NOT_FOUND = 3,
  SND_ERR_FORMAT = 4,    // neither a sampled song nor a tracker module
  SND_ERR_TOO_LONG = 5,  // longer than SoundDecoder::MAX_SECONDS
  SND_ERR_NO_FREE_CHANNEL = 6
};

// Major in the upper 16 bits, minor and patch in the lower 16.
const unsigned SND_VERSION = 0x00010000;

// Init flag: mixing is always done in software; the flag is accepted for callers that ask.
const unsigned SND_INIT_SOFTWARE_MIXING = 0x4000;

// Create modes: SND_MODE_OPEN_MEMORY makes the name argument the song's bytes, their
// count given by SoundCreateInfo::length.
const unsigned SND_MODE_SOFTWARE = 0x40;
const unsigned SND_MODE_OPEN_MEMORY = 0x800;

const unsigned SND_TIMEUNIT_MS = 1;

// Channel choice for snd_System_PlaySound: any free channel, or the channel the handle
// already names (a free one when the handle is null).
const int SND_CHANNEL_FREE = -1;
const int SND_CHANNEL_REUSE = -2;

const int SND_SPECTRUM_WINDOW_HAMMING = 2;
const int SND_SPECTRUM_MIN_BINS = 64;
const int SND_SPECTRUM_MAX_BINS = 8192;

struct SoundCreateInfo {
  unsigned size;    // sizeof(SoundCreateInfo)
  unsigned length;  // byte count of an in-memory song
};

SoundResult snd_System_Create(SoundSystem** system);
SoundResult snd_System_GetVersion(SoundSystem* system, unsigned* version);
SoundResult snd_System_Init(SoundSystem* system, int maxChannels, unsigned flags, void* driverData);
// Releases every sound and channel of the system, then the system.
SoundResult snd_System_Release(SoundSystem* system);
// Once per frame: lets the silent output catch up with the clock.
SoundResult snd_System_Update(SoundSystem* system);
SoundResult snd_System_CreateSound(SoundSystem* system, const char* nameOrData, unsigned mode,
                                   SoundCreateInfo* info, Sound** sound);
SoundResult snd_System_PlaySound(SoundSystem* system, int channelChoice, Sound* sound, bool paused,
                                 AudioChannel** channel);

SoundResult snd_Sound_GetLength(Sound* sound, unsigned* length, unsigned timeUnit);
// Stops the channels that play the sound, then frees it.
SoundResult snd_Sound_Release(Sound* sound);

// A channel handle stays valid until its system is released; a channel whose song ended
// or was stopped reports not playing and keeps its position.
SoundResult snd_Channel_SetPosition(AudioChannel* channel, unsigned position, unsigned timeUnit);
SoundResult snd_Channel_GetPosition(AudioChannel* channel, unsigned* position, unsigned timeUnit);
SoundResult snd_Channel_SetPaused(AudioChannel* channel, bool paused);
SoundResult snd_Channel_IsPlaying(AudioChannel* channel, bool* playing);
SoundResult snd_Channel_Stop(AudioChannel* channel);
// Magnitudes of the first `count` frequency bins of one side (offset 0 left, 1 right) over
// the 2 x bins frames before the playing position, bins being `count` rounded up to a
// power of two within [SND_SPECTRUM_MIN_BINS, SND_SPECTRUM_MAX_BINS]. A full-scale sine
// centred on a bin reads about 1.0 there; a stopped channel reads 0 everywhere. A count
// of 0 or less writes nothing; above SND_SPECTRUM_MAX_BINS is refused.
SoundResult snd_Channel_GetSpectrum(AudioChannel* channel, float* spectrum, int count, int channelOffset,
                                    int window);
