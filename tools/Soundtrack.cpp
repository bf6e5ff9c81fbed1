// Soundtrack: the demo's song decoded for muxing.
#include "tools/Soundtrack.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "demosys/core/QNVDemosys.h"
#include "demosys/resources/QNVIO.h"
#include "demosys/script/ParameterGroup.h"
#include "demosys/script/Parameters.h"
#include "demosys/sound/Sound.h"
#include "demosys/sound/SoundDecoder.h"
#include "qnvutils/File.h"

namespace {

std::string parameter(const char* group, const char* key) {
  ParameterGroup* found = QNVDemosys::parameters ? QNVDemosys::parameters->getGroup(group) : nullptr;
  return found && found->exist(key) ? found->getParameter(key) : "";
}

// The song's path exactly as the loader composes it.
std::string songPath() {
  if (parameter("sound", "play") != "1") return "";
  return parameter("paths", "sound") + parameter("sound", "file");
}

}  // namespace

Soundtrack::~Soundtrack() {
  if (!path.empty()) std::remove(path.c_str());
}

bool Soundtrack::load(int resourceType) {
  std::string song = songPath();
  if (song.empty()) return true;
  QNVIO::init(resourceType);
  std::unique_ptr<File> file(QNVIO::loadFile(song, resourceType));
  QNVIO::destroy();
  uint32_t lengthMs = 0;
  if (file && file->exists()) {
    std::vector<unsigned char> bytes = file->getUnsigned();
    if (SoundDecoder::decode(bytes.data(), bytes.size(), samples, lengthMs) == SND_OK) return true;
  }
  samples.clear();
  std::cout << "demosys render: cannot decode the song '" << song << "'" << std::endl;
  return false;
}

bool Soundtrack::writeRange(unsigned fromMs, unsigned lengthMs) {
  std::string pattern = (std::filesystem::temp_directory_path() / "demosys-song-XXXXXX").string();
  int fd = mkstemp(&pattern[0]);
  FILE* out = fd >= 0 ? fdopen(fd, "wb") : nullptr;
  if (out == nullptr) {
    if (fd >= 0) close(fd);
    std::cout << "demosys render: cannot write the soundtrack" << std::endl;
    return false;
  }
  path = pattern;
  const uint64_t songFrames = samples.size() / 2;
  const uint64_t first = uint64_t(fromMs) * Sound::RATE / 1000;
  const uint64_t frames = uint64_t(lengthMs) * Sound::RATE / 1000;
  const uint64_t present = first < songFrames ? std::min(frames, songFrames - first) : 0;
  bool written = present == 0 || fwrite(&samples[first * 2], sizeof(float), present * 2, out) == present * 2;
  const std::vector<float> silence(2 * Sound::RATE, 0.0f);
  for (uint64_t left = frames - present; written && left > 0;) {
    uint64_t n = std::min<uint64_t>(left, Sound::RATE);
    written = fwrite(silence.data(), sizeof(float), n * 2, out) == n * 2;
    left -= n;
  }
  written = (fclose(out) == 0) && written;
  if (!written) std::cout << "demosys render: cannot write the soundtrack" << std::endl;
  return written;
}
