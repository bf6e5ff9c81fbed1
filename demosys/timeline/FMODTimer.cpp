#include "demosys/timeline/FMODTimer.h"

#include <algorithm>
#include <iostream>

#include "demosys/resources/QNVIO.h"
#include "qnvutils/File.h"

FMODTimer::FMODTimer(const std::string& fileName, unsigned rowRate)
    : Timer(rowRate),
      leftSpectrum(MAX_SPECTRUM_COUNT),
      rightSpectrum(MAX_SPECTRUM_COUNT),
      fileName(fileName) {}

FMODTimer::~FMODTimer() { dispose(); }

bool FMODTimer::init() {
  // The plain clock refuses a row rate that would make the row arithmetic divide by zero.
  if (!Timer::init() || !startSoundSystem() || !loadSong()) return false;
  snd_Sound_GetLength(sound, &endTime, SND_TIMEUNIT_MS);
  endRow = endTime / (1000 / rowRate);
  SoundResult result = snd_System_PlaySound(system, SND_CHANNEL_REUSE, sound, true, &channel);
  if (result != SND_OK) return fail("Failed to play sound! Error code: ", result, "Failed to play sound!");
  startTicks = pauseTicks = lastFrameTime = ticks();
  return true;
}

bool FMODTimer::startSoundSystem() {
  SoundResult result = snd_System_Create(&system);
  if (result != SND_OK) {
    return fail("Failed to create the FMOD System object! Error code: ", result,
                "Failed to initialize FMOD!");
  }
  unsigned version = 0;
  snd_System_GetVersion(system, &version);
  std::cout << "Fmod Version = " << version << std::endl;
  result = snd_System_Init(system, CHANNEL_COUNT, SND_INIT_SOFTWARE_MIXING, nullptr);
  if (result != SND_OK) {
    return fail("Failed to initialize FMOD! Error code: ", result, "Failed to initialize FMOD!");
  }
  return true;
}

// From the archive the song comes as bytes; from the directory tree the layer reads the path.
bool FMODTimer::loadSong() {
  SoundResult result = SND_OK;
  if (QNVIO::ResourceType == QNVIO::QNV_RESOURCES_7Z) {
    File* file = QNVIO::loadFile(fileName);
    bool found = file && file->exists();
    if (found) result = createSoundFromBytes(*file);
    delete file;
    if (!found) return fail("Error code: ", 0, "FMOD Init : Failed to load soundfile from archive!");
  } else if (QNVIO::ResourceType == QNVIO::QNV_RESOURCES_FLAT) {
    result = snd_System_CreateSound(system, fileName.c_str(), SND_MODE_SOFTWARE, nullptr, &sound);
  }
  if (!sound) {
    return fail("Failed to create sound sysmte sound! Error code: ", result,
                "FMOD Init : Failed to load soundfile!");
  }
  return true;
}

SoundResult FMODTimer::createSoundFromBytes(const File& file) {
  SoundCreateInfo info = {};
  info.size = sizeof(info);
  info.length = file.getFileSize();
  std::vector<char> bytes = file.get();
  return snd_System_CreateSound(system, bytes.data(), SND_MODE_SOFTWARE | SND_MODE_OPEN_MEMORY, &info,
                                &sound);
}

// A failed start gives back the sound system at once: the audio device it may hold
// would otherwise stay taken until the process ends.
bool FMODTimer::fail(const char* printed, SoundResult result, const char* failure) {
  std::cout << printed << result << std::endl;
  message = failure;
  releaseSoundSystem();
  return false;
}

void FMODTimer::releaseSoundSystem() {
  snd_System_Release(system);
  system = nullptr;
  sound = nullptr;
  channel = nullptr;
}

int FMODTimer::dispose() {
  bool playing = false;
  SoundResult playingResult = snd_Channel_IsPlaying(channel, &playing);
  SoundResult stopResult = snd_Channel_Stop(channel);
  if (playingResult != SND_OK || stopResult != SND_OK) {
    message = "Failed to shut down FMOD!";
    return 1;
  }
  snd_Sound_Release(sound);
  releaseSoundSystem();
  return 0;
}

void FMODTimer::pause() {
  paused = true;
  snd_Channel_SetPaused(channel, true);
  pauseTicks = ticks();
}

void FMODTimer::play() {
  // Without a song the clock simply resumes where it stands.
  unsigned t = getTime();
  paused = false;
  snd_Channel_SetPaused(channel, false);
  snd_Channel_GetPosition(channel, &t, SND_TIMEUNIT_MS);
  startTicks = ticks() - t;
  lastFrameTime = t;
}

void FMODTimer::setTime(unsigned ms) {
  snd_Channel_SetPosition(channel, ms, SND_TIMEUNIT_MS);
  Timer::setTime(ms);
}

void FMODTimer::updateSystem() { snd_System_Update(system); }

void FMODTimer::GetDirectSoundData(SoundChannel which, int count, float* out) {
  count = std::min(count, MAX_SPECTRUM_COUNT);
  switch (which) {
    case LEFT:
      snd_Channel_GetSpectrum(channel, out, count, 0, SND_SPECTRUM_WINDOW_HAMMING);
      break;
    case RIGHT:
      snd_Channel_GetSpectrum(channel, out, count, 1, SND_SPECTRUM_WINDOW_HAMMING);
      break;
    case SUM:
      combineSides(count, 1.0f, out);
      break;
    case AVERAGE:
      combineSides(count, 0.5f, out);
      break;
  }
}

void FMODTimer::combineSides(int count, float scale, float* out) {
  snd_Channel_GetSpectrum(channel, leftSpectrum.data(), count, 0, SND_SPECTRUM_WINDOW_HAMMING);
  snd_Channel_GetSpectrum(channel, rightSpectrum.data(), count, 1, SND_SPECTRUM_WINDOW_HAMMING);
  for (int i = 0; i < count; ++i) out[i] = (leftSpectrum[i] + rightSpectrum[i]) * scale;
}
