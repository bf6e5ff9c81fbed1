// ImageHeader: the per-format header readers.
#include "qnvutils/ImageHeader.h"

#include <IL/il.h>

#include <cstring>

namespace {

const unsigned char PNG_SIGNATURE[ImageHeader::PNG_SIGNATURE_SIZE] = {0x89, 'P',    'N',  'G',
                                                                     '\r', '\n', 0x1a, '\n'};

uint32_t bigEndian16(const unsigned char* p) { return uint32_t(p[0]) << 8 | p[1]; }
uint32_t littleEndian16(const unsigned char* p) { return uint32_t(p[1]) << 8 | p[0]; }

bool isPnmSpace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads the next decimal header field of a PNM file, skipping white space and comments. Fields
// must be separated: the decoder reads "P62" as another magic number and mishandles what follows
// (it frees its image twice), so a field glued to the one before is refused here.
bool pnmField(const unsigned char* bytes, std::size_t count, std::size_t& at, uint64_t& value) {
  const std::size_t start = at;
  while (at < count && (isPnmSpace(bytes[at]) || bytes[at] == '#')) {
    if (bytes[at] == '#') {
      while (at < count && bytes[at] != '\n' && bytes[at] != '\r') ++at;
    } else {
      ++at;
    }
  }
  if (at == start || at >= count || bytes[at] < '0' || bytes[at] > '9') return false;
  value = 0;
  for (; at < count && bytes[at] >= '0' && bytes[at] <= '9'; ++at) {
    value = value * 10 + (bytes[at] - '0');
    if (value > 0xFFFFFFFFu) return false;
  }
  return true;
}

// Start-of-frame markers (every baseline, progressive, lossless and arithmetic variant); C4, C8
// and CC in that range are tables and a reserved code.
bool isJpegFrame(unsigned char marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length field.
bool isJpegStandalone(unsigned char marker) {
  return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

}  // namespace

bool ImageHeader::hasPngSignature(const unsigned char* bytes, std::size_t count) {
  return count >= PNG_SIGNATURE_SIZE && std::memcmp(bytes, PNG_SIGNATURE, PNG_SIGNATURE_SIZE) == 0;
}

uint32_t ImageHeader::bigEndian32(const unsigned char* p) { return bigEndian16(p) << 16 | bigEndian16(p + 2); }

uint32_t ImageHeader::littleEndian32(const unsigned char* p) {
  return littleEndian16(p + 2) << 16 | littleEndian16(p);
}

bool ImageHeader::read(const unsigned char* bytes, std::size_t count) {
  if (!bytes) return false;
  return readPng(bytes, count) || readJpeg(bytes, count) || readBmp(bytes, count) ||
         readPnmSize(bytes, count) || readTga(bytes, count);
}

std::string ImageHeader::sizeProblem(int maxSide) const {
  const std::string size = "declares " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (width == 0 || height == 0) return size + ", an empty image";
  if (width > uint64_t(maxSide) || height > uint64_t(maxSide))
    return size + ", more than " + std::to_string(maxSide) + " per side";
  if (width * height > MAX_PIXELS) return size + ", more than " + std::to_string(MAX_PIXELS) + " in all";
  return "";
}

// The IHDR chunk comes first: width and height, four bytes each, big-endian.
bool ImageHeader::readPng(const unsigned char* bytes, std::size_t count) {
  if (count < 24 || !hasPngSignature(bytes, count)) return false;
  if (std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
  type = IL_PNG;
  width = bigEndian32(bytes + 16);
  height = bigEndian32(bytes + 20);
  return true;
}

// Steps over fill bytes and stand-alone markers to the segment at `at`: its marker and length.
// False when the data ends first or holds something other than a marker there.
static bool nextJpegSegment(const unsigned char* bytes, std::size_t count, std::size_t& at, unsigned char& marker,
                            uint32_t& length) {
  while (at <= count && count - at >= 4) {
    if (bytes[at] != 0xFF) return false;
    marker = bytes[at + 1];
    if (marker == 0xFF || isJpegStandalone(marker)) {
      at += marker == 0xFF ? 1 : 2;
      continue;
    }
    length = bigEndian16(bytes + at + 2);
    return length >= 2 && marker != 0xD9;
  }
  return false;
}

// Walks the marker segments up to the first frame header, which holds height and width.
bool ImageHeader::readJpeg(const unsigned char* bytes, std::size_t count) {
  if (count < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF) return false;
  std::size_t at = 2;
  unsigned char marker = 0;
  uint32_t length = 0;
  while (nextJpegSegment(bytes, count, at, marker, length)) {
    if (isJpegFrame(marker)) {
      if (length < 7 || count - at < 9) return false;
      type = IL_JPG;
      height = bigEndian16(bytes + at + 5);
      width = bigEndian16(bytes + at + 7);
      return true;
    }
    if (marker == 0xDA) return false;  // a scan before any frame
    if (length > count - at - 2) return false;  // a segment that runs past the data
    at += 2 + length;
  }
  return false;
}

std::size_t ImageHeader::jpegScanStart(const unsigned char* bytes, std::size_t count) {
  std::size_t at = 2;
  unsigned char marker = 0;
  uint32_t length = 0;
  while (count >= 2 && nextJpegSegment(bytes, count, at, marker, length)) {
    if (length > count - at - 2) return 0;
    at += 2 + length;
    if (marker == 0xDA) return at;
  }
  return 0;
}

// Old OS/2 headers (12 bytes) hold 16-bit sides; later ones 32-bit, the height negative for
// images stored top row first.
bool ImageHeader::readBmp(const unsigned char* bytes, std::size_t count) {
  if (count < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  type = IL_BMP;
  if (littleEndian32(bytes + 14) == 12) {
    width = littleEndian16(bytes + 18);
    height = littleEndian16(bytes + 20);
    return true;
  }
  const int64_t w = int32_t(littleEndian32(bytes + 18));
  const int64_t h = int32_t(littleEndian32(bytes + 22));
  width = uint64_t(w < 0 ? -w : w);
  height = uint64_t(h < 0 ? -h : h);
  return true;
}

bool ImageHeader::readPnmSize(const unsigned char* bytes, std::size_t count) {
  Pnm header;
  if (!readPnm(bytes, count, header)) return false;
  type = IL_PNM;
  width = header.width;
  height = header.height;
  return true;
}

bool ImageHeader::readPnm(const unsigned char* bytes, std::size_t count, Pnm& header) {
  if (count < 2 || bytes[0] != 'P' || bytes[1] < '1' || bytes[1] > '6') return false;
  header = Pnm();
  header.kind = static_cast<char>(bytes[1]);
  std::size_t at = 2;
  if (!pnmField(bytes, count, at, header.width) || !pnmField(bytes, count, at, header.height)) return false;
  const bool bitmap = header.kind == '1' || header.kind == '4';
  if (!bitmap && !pnmField(bytes, count, at, header.maxValue)) return false;
  if (!bitmap && (header.maxValue == 0 || header.maxValue > 65535)) return false;
  if (at >= count || !isPnmSpace(bytes[at])) return false;
  header.pixelOffset = at + 1;
  return true;
}

// An 18-byte header: no colour map or a colour map of type 1, one of the six image kinds the
// format defines (colour-mapped, true colour, grey; plain or run-length encoded) and a pixel
// depth it allows. Sides are 16-bit little-endian at 12 and 14.
bool ImageHeader::readTga(const unsigned char* bytes, std::size_t count) {
  if (count < 18 || bytes[1] > 1) return false;
  const unsigned char kind = bytes[2] & ~8u;
  const unsigned char depth = bytes[16];
  if (kind < 1 || kind > 3 || (bytes[2] & ~11u) != 0) return false;
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) return false;
  type = IL_TGA;
  width = littleEndian16(bytes + 12);
  height = littleEndian16(bytes + 14);
  return true;
}
