#include "demosys/sound/SoundDecoder.h"

#include <libopenmpt/libopenmpt.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "demosys/sound/Sound.h"

namespace {

const sf_count_t READ_FRAMES = 8192;
const int MIN_SOURCE_RATE = 1000;
const int MAX_SOURCE_RATE = 384000;

// libsndfile reads the song straight from the caller's bytes.
struct MemoryStream {
  const unsigned char* bytes;
  sf_count_t size;
  sf_count_t offset;
};

sf_count_t streamLength(void* user) { return static_cast<MemoryStream*>(user)->size; }

sf_count_t streamSeek(sf_count_t offset, int whence, void* user) {
  auto* stream = static_cast<MemoryStream*>(user);
  sf_count_t base = whence == SEEK_CUR ? stream->offset : whence == SEEK_END ? stream->size : 0;
  stream->offset = std::clamp<sf_count_t>(base + offset, 0, stream->size);
  return stream->offset;
}

sf_count_t streamRead(void* out, sf_count_t count, void* user) {
  auto* stream = static_cast<MemoryStream*>(user);
  sf_count_t n = std::clamp<sf_count_t>(count, 0, stream->size - stream->offset);
  std::memcpy(out, stream->bytes + stream->offset, static_cast<std::size_t>(n));
  stream->offset += n;
  return n;
}

sf_count_t streamWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t streamTell(void* user) { return static_cast<MemoryStream*>(user)->offset; }

// Appends `frames` frames of `channels` interleaved samples as stereo.
void appendAsStereo(const float* in, sf_count_t frames, int channels, std::vector<float>& stereo) {
  for (sf_count_t f = 0; f < frames; ++f) {
    const float* frame = in + f * channels;
    stereo.push_back(frame[0]);
    stereo.push_back(channels > 1 ? frame[1] : frame[0]);
  }
}

// Linear interpolation is enough here: the output feeds the speakers and the spectrum
// of music-reactive effects, which use it as relative magnitudes.
std::vector<float> resample(const std::vector<float>& stereo, uint32_t fromRate) {
  uint64_t inFrames = stereo.size() / 2;
  if (inFrames < 2) return stereo;
  uint64_t outFrames = (inFrames - 1) * Sound::RATE / fromRate + 1;
  std::vector<float> out(outFrames * 2);
  double step = static_cast<double>(fromRate) / Sound::RATE;
  for (uint64_t i = 0; i < outFrames; ++i) {
    double position = i * step;
    uint64_t j = std::min<uint64_t>(static_cast<uint64_t>(position), inFrames - 2);
    float t = static_cast<float>(position - j);
    for (int side = 0; side < 2; ++side) {
      float a = stereo[j * 2 + side];
      float b = stereo[(j + 1) * 2 + side];
      out[i * 2 + side] = a + (b - a) * t;
    }
  }
  return out;
}

uint32_t millisecondsOf(uint64_t frames, uint32_t rate) {
  return static_cast<uint32_t>(frames * 1000 / rate);
}

}  // namespace

SoundResult SoundDecoder::decode(const unsigned char* bytes, std::size_t size, std::vector<float>& stereo,
                                 uint32_t& lengthMs) {
  if (!bytes || size == 0) return SND_ERR_FORMAT;
  SoundResult result = decodeSampled(bytes, size, stereo, lengthMs);
  if (result != SND_ERR_FORMAT) return result;
  return decodeModule(bytes, size, stereo, lengthMs);
}

SoundResult SoundDecoder::decodeSampled(const unsigned char* bytes, std::size_t size,
                                        std::vector<float>& stereo, uint32_t& lengthMs) {
  SF_VIRTUAL_IO io = {streamLength, streamSeek, streamRead, streamWrite, streamTell};
  MemoryStream stream = {bytes, static_cast<sf_count_t>(size), 0};
  SF_INFO info;
  std::memset(&info, 0, sizeof(info));
  SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &stream);
  if (!file) return SND_ERR_FORMAT;
  if (info.channels < 1 || info.samplerate < MIN_SOURCE_RATE || info.samplerate > MAX_SOURCE_RATE) {
    sf_close(file);
    return SND_ERR_FORMAT;
  }
  const uint64_t maxFrames = uint64_t(MAX_SECONDS) * info.samplerate;
  stereo.clear();
  stereo.reserve(static_cast<std::size_t>(std::clamp<sf_count_t>(info.frames, 0, maxFrames)) * 2);
  std::vector<float> chunk(static_cast<std::size_t>(READ_FRAMES * info.channels));
  sf_count_t got;
  while ((got = sf_readf_float(file, chunk.data(), READ_FRAMES)) > 0 && stereo.size() / 2 <= maxFrames) {
    appendAsStereo(chunk.data(), got, info.channels, stereo);
  }
  sf_close(file);
  uint64_t frames = stereo.size() / 2;
  if (frames > maxFrames) return SND_ERR_TOO_LONG;
  if (frames == 0) return SND_ERR_FORMAT;
  lengthMs = millisecondsOf(frames, static_cast<uint32_t>(info.samplerate));
  if (static_cast<uint32_t>(info.samplerate) != Sound::RATE) stereo = resample(stereo, info.samplerate);
  return SND_OK;
}

SoundResult SoundDecoder::decodeModule(const unsigned char* bytes, std::size_t size,
                                       std::vector<float>& stereo, uint32_t& lengthMs) {
  openmpt_module* module =
      openmpt_module_create_from_memory2(bytes, size, openmpt_log_func_silent, nullptr,
                                         openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
  if (!module) return SND_ERR_FORMAT;
  const std::size_t maxFrames = std::size_t(MAX_SECONDS) * Sound::RATE;
  std::size_t frames = 0;
  std::size_t got;
  do {
    stereo.resize((frames + READ_FRAMES) * 2);
    got = openmpt_module_read_interleaved_float_stereo(module, Sound::RATE, READ_FRAMES, &stereo[frames * 2]);
    frames += got;
  } while (got > 0 && frames <= maxFrames);
  // The length is the song's own: the rendering goes on for a short fade after it.
  double seconds = openmpt_module_get_duration_seconds(module);
  openmpt_module_destroy(module);
  stereo.resize(frames * 2);
  stereo.shrink_to_fit();
  if (frames > maxFrames) return SND_ERR_TOO_LONG;
  if (frames == 0) return SND_ERR_FORMAT;
  lengthMs = static_cast<uint32_t>(std::lround(std::clamp(seconds, 0.0, double(MAX_SECONDS)) * 1000));
  return SND_OK;
}
