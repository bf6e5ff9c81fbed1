// tarnveld_models OUTDIR: builds the production's scenes and writes them with their keyframe
// files into OUTDIR (created if missing).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "resources/generators/scenes/SceneSet.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarnveld_models OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "tarnveld_models: cannot create '%s'\n", dir.c_str());
    return 1;
  }
  std::string error;
  if (!SceneSet::writeAll(dir, error)) {
    std::fprintf(stderr, "tarnveld_models: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
