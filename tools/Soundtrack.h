// The song a loaded demo plays, as raw samples for the video muxer: decoded by the engine's own
// decoder (44.1 kHz interleaved stereo floats) from the source the demo was loaded from, and a
// stretch of it written to a temporary file as 32-bit little-endian floats, removed again when the
// soundtrack goes. A demo that plays no song ("play" of the sound block not "1") has none.
// Depends on: QNVIO, File, Parameters, SoundDecoder, Sound.
#pragma once

#include <string>
#include <vector>

class Soundtrack {
 public:
  Soundtrack() = default;
  ~Soundtrack();
  Soundtrack(const Soundtrack&) = delete;
  Soundtrack& operator=(const Soundtrack&) = delete;

  // Reads the song of QNVDemosys::parameters from the resource source (re-opening the archive,
  // which the load closed). True when there is no song too; false with a line when it cannot be read.
  bool load(int resourceType);
  bool hasSong() const { return !samples.empty(); }
  // Writes the song from `fromMs` for `lengthMs` ms, silence past its end; false with a line when
  // the file cannot be written.
  bool writeRange(unsigned fromMs, unsigned lengthMs);
  const std::string& getPath() const { return path; }

 private:
  std::vector<float> samples;
  std::string path;
};
