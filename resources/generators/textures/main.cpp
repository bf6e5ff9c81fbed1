// tarnveld_textures OUTDIR [FONT]: draws the production's textures and writes them as PNG files
// into OUTDIR (created if missing), lettering from FONT (default: the build's bold sans font).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "resources/generators/textures/TextureSet.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: tarnveld_textures OUTDIR [FONT]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const std::string font = argc == 3 ? argv[2] : TARNVELD_DEFAULT_FONT;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "tarnveld_textures: cannot create '%s'\n", dir.c_str());
    return 1;
  }
  const TextureSet pictures;
  std::string error;
  if (!pictures.writeAll(dir, font, error)) {
    std::fprintf(stderr, "tarnveld_textures: %s", error.c_str());
    return 1;
  }
  std::printf("tarnveld_textures: wrote %zu pictures into %s\n", pictures.textures().size(), dir.c_str());
  return 0;
}
