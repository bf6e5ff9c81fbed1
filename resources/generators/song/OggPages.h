// Ogg page surgery: gives every page of a single-stream Ogg file one fixed stream serial
// number and recomputes the page checksums. libsndfile picks the serial from the clock,
// which alone would make each build of the song differ in bytes. No dependencies.
#pragma once

#include <cstdint>
#include <vector>

class OggPages {
 public:
  // False, with `bytes` possibly half-stamped, when they are not a whole sequence of pages
  // (a capture pattern missing, or a page running past the end).
  static bool setSerial(std::vector<unsigned char>& bytes, uint32_t serial);

 private:
  static uint32_t checksum(const unsigned char* data, std::size_t size);
  static void putLittleEndian(unsigned char* at, uint32_t value);
};
