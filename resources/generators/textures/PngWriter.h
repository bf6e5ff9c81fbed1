// Writes a canvas as an 8-bit RGBA PNG file through DevIL, the image library the engine decodes
// with, rows top-down as the canvas holds them.
// Depends on: DevIL, Canvas.
#pragma once

#include <string>

#include "resources/generators/textures/Canvas.h"

class PngWriter {
 public:
  // False with the reason in error when the file could not be written.
  static bool write(const Canvas& canvas, const std::string& path, std::string& error);
};
