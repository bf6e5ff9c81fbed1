// tarnveld_launcher_logo OUT.h [FONT]: draws the launcher dialog's picture and writes it as an
// XPM header, lettering from FONT (default: the build's bold sans font).
#include <cstdio>
#include <fstream>
#include <string>

#include "resources/generators/textures/LauncherLogo.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: tarnveld_launcher_logo OUT.h [FONT]\n");
    return 2;
  }
  GlyphRasteriser font(argc == 3 ? argv[2] : TARNVELD_DEFAULT_FONT);
  if (!font.isValid()) {
    std::fprintf(stderr, "tarnveld_launcher_logo: %s", font.getErrorMessage().c_str());
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << LauncherLogo::toXpmHeader(LauncherLogo::render(font), "tarnveld_launcher_logo_xpm");
  if (!out.flush()) {
    std::fprintf(stderr, "tarnveld_launcher_logo: cannot write '%s'\n", argv[1]);
    return 1;
  }
  return 0;
}
