#include "resources/generators/song/OggPages.h"

#include <array>
#include <cstring>

namespace {

const std::size_t HEADER_SIZE = 27;
const std::size_t SERIAL_OFFSET = 14;
const std::size_t CHECKSUM_OFFSET = 22;
const std::size_t SEGMENT_COUNT_OFFSET = 26;

// CRC-32 of Ogg: polynomial 0x04c11db7, most significant bit first, no reflection, start 0.
std::array<uint32_t, 256> makeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i << 24;
    for (int bit = 0; bit < 8; ++bit) r = (r & 0x80000000u) ? (r << 1) ^ 0x04c11db7u : r << 1;
    table[i] = r;
  }
  return table;
}

}  // namespace

uint32_t OggPages::checksum(const unsigned char* data, std::size_t size) {
  static const std::array<uint32_t, 256> table = makeCrcTable();
  uint32_t crc = 0;
  for (std::size_t i = 0; i < size; ++i) crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xff];
  return crc;
}

void OggPages::putLittleEndian(unsigned char* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

bool OggPages::setSerial(std::vector<unsigned char>& bytes, uint32_t serial) {
  std::size_t page = 0;
  while (page < bytes.size()) {
    if (bytes.size() - page < HEADER_SIZE || std::memcmp(&bytes[page], "OggS", 4) != 0) return false;
    std::size_t segments = bytes[page + SEGMENT_COUNT_OFFSET];
    if (bytes.size() - page - HEADER_SIZE < segments) return false;
    std::size_t size = HEADER_SIZE + segments;
    for (std::size_t s = 0; s < segments; ++s) size += bytes[page + HEADER_SIZE + s];
    if (bytes.size() - page < size) return false;
    putLittleEndian(&bytes[page + SERIAL_OFFSET], serial);
    putLittleEndian(&bytes[page + CHECKSUM_OFFSET], 0);
    putLittleEndian(&bytes[page + CHECKSUM_OFFSET], checksum(&bytes[page], size));
    page += size;
  }
  return true;
}
