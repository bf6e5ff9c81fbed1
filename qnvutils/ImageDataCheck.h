// Refuses encoded images that the image library mishandles when they are cut short:
// DevIL 1.7 loops forever on a truncated PNG and frees its image twice on a truncated
// binary PNM (P4/P5/P6). Those two kinds must be complete before they reach it;
// every other format, and anything unrecognised, passes through to the library.
// Depends on: nothing.
#pragma once

#include <cstddef>

class ImageDataCheck {
 public:
  static bool safeToDecode(const unsigned char* bytes, std::size_t count);

 private:
  // Every chunk lies inside the data, up to and including IEND.
  static bool completePng(const unsigned char* bytes, std::size_t count);
  // The header parses and the pixel data it announces is all present.
  static bool completeBinaryPnm(const unsigned char* bytes, std::size_t count);
};
