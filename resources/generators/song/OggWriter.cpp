#include "resources/generators/song/OggWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "resources/generators/song/OggPages.h"
#include "resources/generators/song/SongClock.h"

namespace {
// Handing the encoder the song in pieces keeps its working buffers small.
const sf_count_t CHUNK_FRAMES = 65536;
const uint32_t SERIAL = 0x564e5254u;  // "TRNV"
}  // namespace

OggWriter::OggWriter(double quality) : quality(quality) {}

bool OggWriter::fail(const std::string& path, const std::string& reason) {
  message = "Failed to write '" + path + "'\n" + reason + "\n";
  return false;
}

bool OggWriter::write(const std::string& path, const std::vector<float>& stereo) {
  message.clear();
  std::string reason = encode(path, stereo, quality);
  if (reason.empty()) reason = stampSerial(path);
  return reason.empty() ? true : fail(path, reason);
}

// Empty on success, else why not.
std::string OggWriter::encode(const std::string& path, const std::vector<float>& stereo, double quality) {
  SF_INFO info = {};
  info.samplerate = SongClock::SAMPLE_RATE;
  info.channels = 2;
  info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return sf_strerror(nullptr);
  sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof(quality));
  const sf_count_t frames = static_cast<sf_count_t>(stereo.size() / 2);
  bool complete = true;
  for (sf_count_t first = 0; first < frames && complete; first += CHUNK_FRAMES) {
    sf_count_t count = std::min(CHUNK_FRAMES, frames - first);
    complete = sf_writef_float(file, stereo.data() + 2 * first, count) == count;
  }
  std::string reason = complete ? "" : sf_strerror(file);
  if (sf_close(file) != 0 && complete) reason = "closing the file failed";
  return reason;
}

std::string OggWriter::stampSerial(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) return "reading the encoded file back failed";
  if (!OggPages::setSerial(bytes, SERIAL)) return "the encoder wrote no clean Ogg pages";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return out.good() ? "" : "rewriting the encoded file failed";
}
