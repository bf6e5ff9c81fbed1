#include "qnvutils/ImageDataCheck.h"

#include <cstdint>
#include <cstring>

#include "qnvutils/ImageHeader.h"

bool ImageDataCheck::safeToDecode(const unsigned char* bytes, std::size_t count) {
  if (!bytes) return false;
  if (ImageHeader::hasPngSignature(bytes, count)) return completePng(bytes, count);
  if (count >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return completeBmp(bytes, count);
  if (count >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return completeJpeg(bytes, count);
  return true;
}

bool ImageDataCheck::completePng(const unsigned char* bytes, std::size_t count) {
  std::size_t at = ImageHeader::PNG_SIGNATURE_SIZE;
  while (count - at >= 12) {
    const uint64_t length = ImageHeader::bigEndian32(bytes + at);
    const bool isEnd = std::memcmp(bytes + at + 4, "IEND", 4) == 0;
    if (length > count - at - 12) return false;
    at += 12 + static_cast<std::size_t>(length);
    if (isEnd) return true;
  }
  return false;
}

bool ImageDataCheck::completeJpeg(const unsigned char* bytes, std::size_t count) {
  const std::size_t scan = ImageHeader::jpegScanStart(bytes, count);
  for (std::size_t at = scan; scan != 0 && at + 1 < count; ++at) {
    if (bytes[at] == 0xFF && bytes[at + 1] == 0xD9) return true;
  }
  return false;
}

bool ImageDataCheck::completeBmp(const unsigned char* bytes, std::size_t count) {
  ImageHeader header;
  if (count < 34 || !header.read(bytes, count)) return false;
  const uint64_t infoSize = ImageHeader::littleEndian32(bytes + 14);
  const uint64_t pixelOffset = ImageHeader::littleEndian32(bytes + 10);
  if (infoSize < 40 || pixelOffset < 14 + infoSize || pixelOffset > count) return false;
  const uint32_t bits = bytes[28] | uint32_t(bytes[29]) << 8;
  const uint32_t compression = ImageHeader::littleEndian32(bytes + 30);
  if (compression != 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  const uint64_t rowBytes = (header.getWidth() * bits + 31) / 32 * 4;
  return rowBytes * header.getHeight() <= count - pixelOffset;
}
