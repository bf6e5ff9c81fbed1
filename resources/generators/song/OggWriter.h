// Writes 44.1 kHz interleaved stereo floats as an Ogg Vorbis file through libsndfile at a
// given VBR quality (0 smallest .. 1 best). Failures leave a reason, never an exception.
// Depends on: libsndfile, SongClock.
#pragma once

#include <string>
#include <vector>

class OggWriter {
 public:
  explicit OggWriter(double quality = 0.5);

  bool write(const std::string& path, const std::vector<float>& stereo);
  const std::string& getErrorMessage() const { return message; }

 private:
  bool fail(const std::string& path, const std::string& reason);

  double quality;
  std::string message;
};
