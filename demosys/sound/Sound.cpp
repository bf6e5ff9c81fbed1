#include "demosys/sound/Sound.h"

#include <utility>

Sound::Sound(SoundSystem* owner, std::vector<float> samples, uint32_t lengthMs)
    : owner(owner), samples(std::move(samples)), lengthMs(lengthMs) {}
