#include "qnvutils/Image.h"

#include <IL/il.h>

#include <climits>
#include <cstring>

#include "qnvutils/File.h"
#include "qnvutils/ImageDataCheck.h"

namespace {

void initLibrary() {
  static const bool initialised = (ilInit(), true);
  (void)initialised;
}

}  // namespace

Image::Image() { bindNewHandle(); }

// The file is read here rather than by the library so that it passes the same
// completeness check as archive entries; its extension still names the format.
Image::Image(const std::string& path) : filename(path) {
  bindNewHandle();
  const File file(path, File::MODE_READ);
  const std::vector<unsigned char> bytes = file.getUnsigned();
  takeDecoded(file.exists() && decode(ilTypeFromExt(path.c_str()), bytes.data(), bytes.size()));
}

Image::~Image() {
  if (ilName != 0) ilDeleteImages(1, &ilName);
}

void Image::bindNewHandle() {
  initLibrary();
  if (ilName == 0) ilGenImages(1, &ilName);
  ilBindImage(ilName);
}

void Image::putData(const unsigned char* bytes, std::size_t count) {
  filename.clear();
  bindNewHandle();
  takeDecoded(decode(IL_TYPE_UNKNOWN, bytes, count));
}

bool Image::decode(unsigned int type, const unsigned char* bytes, std::size_t count) {
  if (count == 0 || count > UINT_MAX || !ImageDataCheck::safeToDecode(bytes, count)) return false;
  return ilLoadL(type, bytes, static_cast<ILuint>(count)) == IL_TRUE;
}

void Image::takeDecoded(bool decoded) {
  clearPixels();
  if (decoded) copyFlipped();
  ilDeleteImages(1, &ilName);
  ilName = 0;
}

// Textures are uploaded as 8-bit RGB or RGBA; 16-bit channels, greyscale, palettes and BGR
// orders are converted here, alpha kept where the picture has it, so that every picture the
// library decodes shows instead of uploading nothing.
bool Image::convertToEightBitColour() {
  const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
  const ILint type = ilGetInteger(IL_IMAGE_TYPE);
  if ((format == IL_RGB || format == IL_RGBA) && type == IL_UNSIGNED_BYTE) return true;
  const ILint palette = ilGetInteger(IL_PALETTE_TYPE);
  const bool alpha = format == IL_RGBA || format == IL_BGRA || format == IL_LUMINANCE_ALPHA ||
                     (format == IL_COLOUR_INDEX && (palette == IL_PAL_RGBA32 || palette == IL_PAL_BGRA32));
  return ilConvertImage(alpha ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE) == IL_TRUE;
}

void Image::copyFlipped() {
  if (!convertToEightBitColour()) return;
  const unsigned char* pixels = ilGetData();
  const int w = ilGetInteger(IL_IMAGE_WIDTH);
  const int h = ilGetInteger(IL_IMAGE_HEIGHT);
  const int pixelBytes = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
  if (!pixels || w <= 0 || h <= 0 || pixelBytes <= 0) return;
  const std::size_t row = static_cast<std::size_t>(w) * static_cast<std::size_t>(pixelBytes);
  data.resize(row * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    std::memcpy(data.data() + row * static_cast<std::size_t>(y),
                pixels + row * static_cast<std::size_t>(h - 1 - y), row);
  }
  width = w;
  height = h;
  bpp = ilGetInteger(IL_IMAGE_BITS_PER_PIXEL);
  bytesPerPixel = pixelBytes;
  found = true;
}

void Image::clearPixels() {
  width = height = bpp = bytesPerPixel = 0;
  data.clear();
  found = false;
}
