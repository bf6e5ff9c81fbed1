// Refuses encoded images that the image library mishandles when they are cut short: DevIL 1.7
// loops forever on a truncated PNG, waits forever for more data of a JPEG cut short (its reader
// gives the decoder no end marker at the end of the data) and reads past the data of a damaged
// bitmap. Those kinds must be complete before they reach it; every other format, and anything
// unrecognised, passes through to the library (netpbm files never reach it: PnmDecoder reads
// them).
// Depends on: ImageHeader (the PNG signature, the bitmap header, the JPEG segments).
#pragma once

#include <cstddef>

class ImageDataCheck {
 public:
  static bool safeToDecode(const unsigned char* bytes, std::size_t count);

 private:
  // Every chunk lies inside the data, up to and including IEND.
  static bool completePng(const unsigned char* bytes, std::size_t count);
  // An uncompressed bitmap with a known depth whose rows all lie after its pixel offset; the
  // library's bitmap reader runs past the data on anything else.
  static bool completeBmp(const unsigned char* bytes, std::size_t count);
  // Every segment up to the first scan lies inside the data, and an end marker follows the scan.
  static bool completeJpeg(const unsigned char* bytes, std::size_t count);
};
