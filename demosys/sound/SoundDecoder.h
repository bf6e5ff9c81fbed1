// Turns the bytes of a song into 44.1 kHz interleaved stereo floats. Sampled formats
// (WAV, FLAC, Ogg Vorbis, Opus, MP3 where libsndfile has it) are recognised by libsndfile
// from their headers; what it refuses is offered to libopenmpt as a tracker module (MOD,
// XM, S3M, IT). Mono is doubled to both sides, channels past the second are dropped, and
// other rates are resampled linearly. Depends on: libsndfile, libopenmpt, Sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "demosys/sound/SoundApi.h"

class SoundDecoder {
 public:
  // Songs are decoded whole, so their length is bounded to keep memory bounded.
  static constexpr uint32_t MAX_SECONDS = 20 * 60;

  // On SND_OK `stereo` holds the song and `lengthMs` the length of the original.
  static SoundResult decode(const unsigned char* bytes, std::size_t size, std::vector<float>& stereo,
                            uint32_t& lengthMs);

 private:
  static SoundResult decodeSampled(const unsigned char* bytes, std::size_t size, std::vector<float>& stereo,
                                   uint32_t& lengthMs);
  static SoundResult decodeModule(const unsigned char* bytes, std::size_t size, std::vector<float>& stereo,
                                  uint32_t& lengthMs);
};
