// Writes 44.1 kHz interleaved stereo floats as an Ogg Vorbis file through libsndfile at a
// given VBR quality (0 smallest .. 1 best), then fixes the stream serial number so the same
// samples always give the same bytes. Failures leave a reason, never an exception.
// Depends on: libsndfile, OggPages, SongClock.
#pragma once

#include <string>
#include <vector>

class OggWriter {
 public:
  explicit OggWriter(double quality = 0.5);

  bool write(const std::string& path, const std::vector<float>& stereo);
  const std::string& getErrorMessage() const { return message; }

 private:
  static std::string encode(const std::string& path, const std::vector<float>& stereo, double quality);
  static std::string stampSerial(const std::string& path);
  bool fail(const std::string& path, const std::string& reason);

  double quality;
  std::string message;
};
