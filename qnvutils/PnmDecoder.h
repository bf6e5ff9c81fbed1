// Decodes the netpbm formats (P1-P6: bitmaps, grey maps and pixmaps, plain text or binary, 8 or
// 16 bits a sample) into 8-bit RGB rows, top row first. The image library's own reader frees its
// image twice on headers it misreads (a tab between fields is enough), so these files never reach
// it. Every sample the header promises must be in the bytes; nothing is read past them.
// Depends on: ImageHeader (the header fields).
#pragma once

#include <cstddef>
#include <vector>

#include "qnvutils/ImageHeader.h"

class PnmDecoder {
 public:
  // rgb receives width x height x 3 bytes; false (rgb empty) when samples are missing or out of
  // the header's range.
  static bool decode(const unsigned char* bytes, std::size_t count, const ImageHeader::Pnm& header,
                     std::vector<unsigned char>& rgb);

 private:
  explicit PnmDecoder(const unsigned char* bytes, std::size_t count, const ImageHeader::Pnm& header);
  bool readAll(std::vector<unsigned char>& rgb);
  // The next sample scaled to 0-255; false at the end of the bytes or above the header's maximum.
  bool nextSample(unsigned& value);
  bool nextTextSample(unsigned& value);
  bool nextBit(unsigned& value);

  const unsigned char* bytes;
  std::size_t count;
  std::size_t at;
  const ImageHeader::Pnm& header;
  uint64_t column = 0;  // bitmaps: rows start on a byte
  int bitsLeft = 0;
};
