#include "demosys/sound/SoundSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "demosys/sound/AudioChannel.h"
#include "demosys/sound/Sound.h"
#include "demosys/sound/SoundDecoder.h"
#include "demosys/sound/SpectrumAnalyzer.h"

SoundSystem::SoundSystem() : output(render, this) {}

// The device thread reads the channels: it stops before they go.
SoundSystem::~SoundSystem() { output.close(); }

SoundResult SoundSystem::init(int channelCount) {
  if (isReady()) return SND_ERR_NOT_READY;
  if (channelCount < 1 || channelCount > MAX_CHANNELS) return SND_ERR_INVALID_PARAM;
  analyzer = std::make_unique<SpectrumAnalyzer>();
  for (int i = 0; i < channelCount; ++i) channels.push_back(std::make_unique<AudioChannel>(this, output));
  output.open();
  return SND_OK;
}

SoundResult SoundSystem::createSound(const unsigned char* bytes, std::size_t size, Sound** sound) {
  if (!isReady()) return SND_ERR_NOT_READY;
  std::vector<float> samples;
  uint32_t lengthMs = 0;
  SoundResult result = SoundDecoder::decode(bytes, size, samples, lengthMs);
  if (result != SND_OK) return result;
  sounds.push_back(std::make_unique<Sound>(this, std::move(samples), lengthMs));
  *sound = sounds.back().get();
  return SND_OK;
}

SoundResult SoundSystem::createSoundFromFile(const char* path, Sound** sound) {
  if (!isReady()) return SND_ERR_NOT_READY;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return SND_ERR_FILE_NOT_FOUND;
  if (size > MAX_FILE_BYTES) return SND_ERR_TOO_LONG;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    return SND_ERR_FILE_NOT_FOUND;
  }
  return createSound(bytes.data(), bytes.size(), sound);
}

SoundResult SoundSystem::releaseSound(Sound* sound) {
  auto held = std::find_if(sounds.begin(), sounds.end(), [sound](const auto& s) { return s.get() == sound; });
  if (held == sounds.end()) return SND_ERR_INVALID_PARAM;
  for (auto& channel : channels) channel->forget(sound);
  sounds.erase(held);
  return SND_OK;
}

SoundResult SoundSystem::playSound(int channelChoice, Sound* sound, bool paused, AudioChannel** channel) {
  if (!isReady()) return SND_ERR_NOT_READY;
  if (channelChoice != SND_CHANNEL_FREE && channelChoice != SND_CHANNEL_REUSE) return SND_ERR_INVALID_PARAM;
  if (sound->getOwner() != this) return SND_ERR_INVALID_PARAM;
  update();
  AudioChannel* chosen = chooseChannel(channelChoice, *channel);
  if (!chosen) return SND_ERR_NO_FREE_CHANNEL;
  chosen->start(sound, paused);
  *channel = chosen;
  return SND_OK;
}

AudioChannel* SoundSystem::chooseChannel(int channelChoice, AudioChannel* current) const {
  if (channelChoice == SND_CHANNEL_REUSE && owns(current)) return current;
  return freeChannel();
}

AudioChannel* SoundSystem::freeChannel() const {
  for (const auto& channel : channels) {
    if (channel->isFree()) return channel.get();
  }
  return nullptr;
}

bool SoundSystem::owns(const AudioChannel* channel) const {
  return std::any_of(channels.begin(), channels.end(),
                     [channel](const auto& c) { return c.get() == channel; });
}

void SoundSystem::render(void* user, float* interleaved, unsigned frames) {
  for (auto& channel : static_cast<SoundSystem*>(user)->channels) channel->mixInto(interleaved, frames);
}
