// The format and size an encoded image declares in its header, read before the image library
// sees the bytes. The library trusts the declared size when it allocates (a PNG declaring
// 65536 x 65536 wraps its row arithmetic and overruns the heap), so images larger than the
// loader accepts are refused from the header alone. The formats recognised are the ones the
// loader decodes: PNG, JPEG, BMP, PNM (P1-P6) and TGA, which has no signature and is recognised
// by header fields holding values the format allows. The format comes from the content, never
// from a file name, so the library decodes exactly what was measured here.
// Depends on: DevIL (the format constants handed to the decoder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ImageHeader {
 public:
  // Largest side the loader accepts (a texture limit may lower it) and the most pixels in all:
  // 64 Mi pixels are 256 MiB of RGBA, which the decoder holds twice while the image is copied.
  static constexpr int MAX_SIDE = 16384;
  static constexpr uint64_t MAX_PIXELS = uint64_t(64) << 20;

  struct Pnm {
    char kind = 0;  // '1' to '6'
    uint64_t width = 0, height = 0, maxValue = 1;
    std::size_t pixelOffset = 0;  // after the one white space byte that ends the header
  };

  // False when the bytes are none of the formats above or their header is cut short.
  bool read(const unsigned char* bytes, std::size_t count);
  // The decoder's format constant for what read() recognised.
  unsigned int getType() const { return type; }
  uint64_t getWidth() const { return width; }
  uint64_t getHeight() const { return height; }
  // Empty when the declared size is at most maxSide per side and MAX_PIXELS in all; otherwise
  // what is wrong with it, as the end of a sentence naming the image.
  std::string sizeProblem(int maxSide) const;

  static constexpr std::size_t PNG_SIGNATURE_SIZE = 8;
  static bool hasPngSignature(const unsigned char* bytes, std::size_t count);
  static uint32_t bigEndian32(const unsigned char* p);
  static uint32_t littleEndian32(const unsigned char* p);

  // Offset of the first scan's data of a JPEG when every segment before it lies inside the data;
  // 0 otherwise.
  static std::size_t jpegScanStart(const unsigned char* bytes, std::size_t count);

  // A PNM header (white space and comments between its decimal fields).
  static bool readPnm(const unsigned char* bytes, std::size_t count, Pnm& header);

 private:
  bool readPng(const unsigned char* bytes, std::size_t count);
  bool readJpeg(const unsigned char* bytes, std::size_t count);
  bool readBmp(const unsigned char* bytes, std::size_t count);
  bool readPnmSize(const unsigned char* bytes, std::size_t count);
  bool readTga(const unsigned char* bytes, std::size_t count);

  unsigned int type = 0;
  uint64_t width = 0;
  uint64_t height = 0;
};
