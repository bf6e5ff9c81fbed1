// Decoded pixels of one image file as 8-bit RGB or RGBA, rows bottom-up as OpenGL expects them
// (the decoder's rows are copied last to first). Decodes from a path or from bytes in
// memory (archive entries), the format detected from the content.
// Depends on: DevIL (IL), File (reading image files), ImageDataCheck.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class Image {
 public:
  Image();
  explicit Image(const std::string& path);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // Decodes an image from count bytes; on failure exists() is false and the pixels are gone.
  void putData(const unsigned char* bytes, std::size_t count);

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
  // Decodes into the bound handle; type is a DevIL format or IL_TYPE_UNKNOWN (by content).
  bool decode(unsigned int type, const unsigned char* bytes, std::size_t count);
  // Keeps the bound decoded image, if any, and frees the decoder's copy.
  void takeDecoded(bool decoded);
  bool convertToEightBitColour();
  void copyFlipped();
  void clearPixels();

  unsigned int ilName = 0;
  int width = 0;
  int height = 0;
  int bpp = 0;
  int bytesPerPixel = 0;
  std::vector<unsigned char> data;
  bool found = false;
  std::string filename;
};
