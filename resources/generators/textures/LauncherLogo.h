// The launcher dialog's picture: a 240 x 240 indexed image of 119 colours, the production's name
// in the logo's lettering across a gauge ring whose brightness sweeps the whole palette, a ramp
// from black through deep blue and cyan to white. Written out as XPM for the dialog to embed.
// Depends on: Canvas, Lettering, GlyphRasteriser.
#pragma once

#include <string>
#include <vector>

#include "resources/generators/textures/GlyphRasteriser.h"

class LauncherLogo {
 public:
  static constexpr int size = 240;
  static constexpr int colours = 119;

  // Palette entries as 0xRRGGBB and one palette index per pixel, rows top-down.
  struct Indexed {
    std::vector<unsigned> palette;
    std::vector<int> pixels;
  };

  static Indexed render(GlyphRasteriser& font);
  // The picture as a C header declaring the XPM array `name`.
  static std::string toXpmHeader(const Indexed& picture, const std::string& name);
};
