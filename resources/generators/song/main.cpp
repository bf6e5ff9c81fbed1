// tarnveld_song OUT.ogg: renders Tarnveld's song and writes it as Ogg Vorbis. Prints the
// arrangement and the time each stage took; exits non-zero when the song cannot be written,
// so the build stops there.
#include <chrono>
#include <cstdio>

#include "resources/generators/song/OggWriter.h"
#include "resources/generators/song/SongRenderer.h"
#include "resources/generators/song/TarnveldComposition.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("Usage: tarnveld_song OUT.ogg\n");
    return 2;
  }
  SongArrangement song = TarnveldComposition::compose();
  if (!song.isValid()) {
    std::printf("%s", song.getErrorMessage().c_str());
    return 1;
  }
  std::printf("%s", song.describe().c_str());
  auto start = std::chrono::steady_clock::now();
  std::vector<float> stereo = SongRenderer(song).renderSong();
  std::printf("Rendered %.1f s of music in %.2f s\n", stereo.size() / 2.0 / 44100.0, secondsSince(start));
  start = std::chrono::steady_clock::now();
  OggWriter writer;
  if (!writer.write(argv[1], stereo)) {
    std::printf("%s", writer.getErrorMessage().c_str());
    return 1;
  }
  std::printf("Encoded %s in %.2f s\n", argv[1], secondsSince(start));
  return 0;
}
