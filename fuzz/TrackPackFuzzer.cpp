// Arbitrary bytes as a track pack. The input is split into "index.list" and
// "track.data" by a leading little-endian length of the index part; both are
// written to a temporary directory and loaded as the demo does (for a fixed
// set of effects with registered tracks) and as the tools do (every record the
// index names). A load either fails with a message or gives tracks that can be
// evaluated, validated and drawn; a tool load's text form reads back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

#include "demosys/core/QNVDemosys.h"
#include "demosys/effect/Effect.h"
#include "demosys/timeline/TrackSystemIO.h"
#include "demosys/timeline/TrackText.h"

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

class QuietEffect : public Effect {
 public:
  void draw(unsigned, unsigned) override {}
};

struct Setup {
  Setup() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trackpack-XXXXXX").string();
    if (!mkdtemp(&pattern[0])) std::abort();
    dir = pattern + "/";
    console = std::cout.rdbuf(&quiet);
    const char* names[] = {"e", "glow1", "fx.a", "Object"};
    const char* trackNames[][2] = {{"alpha", "red"}, {"alpha", "x.y"}, {"t", "alpha"}, {"a", "b"}};
    for (int i = 0; i < 4; ++i) {
      effects.emplace_back(new QuietEffect());
      for (const char* track : trackNames[i]) effects.back()->addTrackName(track);
      effectNames.push_back(names[i]);
      effectPointers.push_back(effects.back().get());
    }
  }
  // Standard output outlives this object: it must not be left pointing at the buffer that dies here.
  ~Setup() {
    std::cout.rdbuf(console);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  std::string dir;
  NullBuffer quiet;
  std::streambuf* console = nullptr;
  std::vector<std::unique_ptr<Effect>> effects;
  std::vector<std::string> effectNames;
  std::vector<Effect*> effectPointers;
};

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void exercise(TrackSystem& system) {
  QNVDemosys::tracks = &system;
  for (int i = 0; i < system.size(); ++i) {
    TrackGroup* group = system.getTrackGroup(i);
    for (unsigned row : {0u, 7u, 1000u, 4294967295u}) group->getLocalTime(row, row * 50u);
    for (int t = 0; t < group->getInterpolateTrackCount(); ++t) {
      for (unsigned time : {0u, 333u, 50000u, 4294967295u}) group->getInterpolateTrack(t)->getValue(time);
    }
  }
  system.validateStartStopTracks();
  system.processSystem(1000, 20, 16);
  QNVDemosys::tracks = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup setup;
  if (size < 4) return 0;
  size_t indexSize = data[0] | data[1] << 8 | data[2] << 16 | static_cast<size_t>(data[3]) << 24;
  if (indexSize > size - 4) indexSize = size - 4;
  writeFile(setup.dir + "index.list", data + 4, indexSize);
  writeFile(setup.dir + "track.data", data + 4 + indexSize, size - 4 - indexSize);

  TrackSystemIO demoLoader(setup.dir);
  std::unique_ptr<TrackSystem> loaded(demoLoader.loadPack(setup.effectNames, setup.effectPointers));
  if (!loaded != !demoLoader.isValid() || (!loaded && demoLoader.getErrorMessage().empty())) __builtin_trap();
  if (loaded) exercise(*loaded);
  for (Effect* effect : setup.effectPointers) effect->setTrackGroup(nullptr);

  TrackSystemIO toolLoader(setup.dir);
  toolLoader.setKeepTargetNames(true);
  std::unique_ptr<TrackSystem> all(toolLoader.readAllRecords());
  if (!all) return 0;
  std::string text = TrackText::write(*all);
  TrackText reader;
  std::unique_ptr<TrackSystem> reread(reader.read(text));
  if (!reread || TrackText::write(*reread) != text) __builtin_trap();
  return 0;
}
