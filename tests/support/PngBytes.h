// Test helper: a complete 2 x 2 RGB PNG (top row red, bottom row blue) whose header may declare
// another size, its checksum recomputed, as a hostile file would.
#pragma once

#include <cstdint>
#include <string>

inline uint32_t pngCrc(const std::string& bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return ~c;
}

inline std::string pngDeclaring(uint32_t width = 2, uint32_t height = 2) {
  std::string png(
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x02"
      "\x08\x02\x00\x00\x00\xfd\xd4\x9a\x73\x00\x00\x00\x11\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\x00"
      "\x44\x0c\x60\xf2\x3f\x00\x1b\xf2\x03\xfd\xf3\xe7\x4b\xb1\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42"
      "\x60\x82",
      74);
  const auto putBigEndian = [&png](std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>(v >> (24 - 8 * i));
  };
  putBigEndian(16, width);
  putBigEndian(20, height);
  putBigEndian(29, pngCrc(png.substr(12, 17)));
  return png;
}
