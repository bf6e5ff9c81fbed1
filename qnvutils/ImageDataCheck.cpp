#include "qnvutils/ImageDataCheck.h"

#include <cstdint>
#include <cstring>

namespace {

const unsigned char PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

uint32_t bigEndian32(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool isPnmSpace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads the next decimal header field of a PNM file, skipping white space and comments.
bool pnmField(const unsigned char* bytes, std::size_t count, std::size_t& at, uint64_t& value) {
  while (at < count && (isPnmSpace(bytes[at]) || bytes[at] == '#')) {
    if (bytes[at] == '#') {
      while (at < count && bytes[at] != '\n' && bytes[at] != '\r') ++at;
    } else {
      ++at;
    }
  }
  if (at >= count || bytes[at] < '0' || bytes[at] > '9') return false;
  value = 0;
  for (; at < count && bytes[at] >= '0' && bytes[at] <= '9'; ++at) {
    value = value * 10 + (bytes[at] - '0');
    if (value > 0xFFFFFFFFu) return false;
  }
  return true;
}

}  // namespace

bool ImageDataCheck::safeToDecode(const unsigned char* bytes, std::size_t count) {
  if (!bytes) return false;
  if (count >= sizeof PNG_SIGNATURE && std::memcmp(bytes, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0) {
    return completePng(bytes, count);
  }
  if (count >= 2 && bytes[0] == 'P' && bytes[1] >= '4' && bytes[1] <= '6')
    return completeBinaryPnm(bytes, count);
  return true;
}

bool ImageDataCheck::completePng(const unsigned char* bytes, std::size_t count) {
  std::size_t at = sizeof PNG_SIGNATURE;
  while (count - at >= 12) {
    const uint64_t length = bigEndian32(bytes + at);
    const bool isEnd = std::memcmp(bytes + at + 4, "IEND", 4) == 0;
    if (length > count - at - 12) return false;
    at += 12 + static_cast<std::size_t>(length);
    if (isEnd) return true;
  }
  return false;
}

bool ImageDataCheck::completeBinaryPnm(const unsigned char* bytes, std::size_t count) {
  const char kind = static_cast<char>(bytes[1]);
  std::size_t at = 2;
  uint64_t width = 0, height = 0, maxValue = 1;
  if (!pnmField(bytes, count, at, width) || !pnmField(bytes, count, at, height)) return false;
  if (kind != '4' && !pnmField(bytes, count, at, maxValue)) return false;
  if (at >= count || !isPnmSpace(bytes[at])) return false;
  ++at;  // the single white space byte before the pixels
  const uint64_t sampleBytes = maxValue > 255 ? 2 : 1;
  uint64_t needed = kind == '4' ? (width + 7) / 8 * height : width * height * sampleBytes;
  if (kind == '6') needed *= 3;
  return needed <= count - at;
}
