// Decoded pixels of one image file as 8-bit RGB or RGBA, rows bottom-up as OpenGL expects them
// (the decoder's rows are copied last to first). Decodes from a path or from bytes in
// memory (archive entries), the format detected from the content.
// Images are refused before decoding when their header declares more than maxSide pixels per
// side or more pixels in all than ImageHeader allows.
// Depends on: DevIL (IL), File (reading image files), ImageHeader, ImageDataCheck, PnmDecoder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "qnvutils/ImageHeader.h"

class Image {
 public:
  Image();
  explicit Image(const std::string& path, int maxSide = ImageHeader::MAX_SIDE);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // Decodes an image from count bytes; on failure exists() is false and the pixels are gone.
  void putData(const unsigned char* bytes, std::size_t count);
  // The largest side putData accepts; the path constructor takes it as its argument.
  void setSideLimit(int maxSide) { sideLimit = maxSide; }
  // Why the last decode failed ("is cut short", "declares ... pixels, ..."), to follow the
  // image's name in a message; empty after a successful decode.
  const std::string& getProblem() const { return problem; }

  int getWidth() const { return width; }
  int getHeight() const { return height; }
  int getBpp() const { return bpp; }
  // Bytes per pixel (not the size of the pixel data).
  int getPixelSize() const { return bytesPerPixel; }
  // width x height x getPixelSize() bytes; null when nothing is decoded.
  const unsigned char* getData() const { return data.empty() ? nullptr : data.data(); }
  std::size_t getDataSize() const { return data.size(); }
  bool exists() const { return found; }
  void exists(bool flag) { found = flag; }
  std::string getFileName() const { return filename; }
  void setFileName(const std::string& name) { filename = name; }

 private:
  void bindNewHandle();
  // Decodes into the bound handle, the format told from the content.
  bool decode(const unsigned char* bytes, std::size_t count);
  bool refuse(const std::string& why);
  // Frees the library's copy of the image; the kept pixels stay.
  void releaseDecoded();
  bool convertToEightBitColour();
  // Keep the pixels the library decoded / the netpbm file holds, rows turned bottom-up.
  bool keepLibraryImage();
  bool keepPnm(const unsigned char* bytes, std::size_t count);
  void keepFlipped(const unsigned char* topDown, int w, int h, int pixelBytes);
  void clearPixels();

  unsigned int ilName = 0;
  int width = 0;
  int height = 0;
  int bpp = 0;
  int bytesPerPixel = 0;
  int sideLimit = ImageHeader::MAX_SIDE;
  std::string problem;
  std::vector<unsigned char> data;
  bool found = false;
  std::string filename;
};
