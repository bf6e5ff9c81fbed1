#include "qnvutils/Image.h"

#include <IL/il.h>

#include <climits>
#include <cstring>

#include "qnvutils/File.h"
#include "qnvutils/ImageDataCheck.h"
#include "qnvutils/ImageHeader.h"
#include "qnvutils/PnmDecoder.h"

namespace {

void initLibrary() {
  static const bool initialised = (ilInit(), true);
  (void)initialised;
}

}  // namespace

Image::Image() { bindNewHandle(); }

// The file is read here rather than by the library so that it passes the same header and
// completeness checks as archive entries.
Image::Image(const std::string& path, int maxSide) : sideLimit(maxSide), filename(path) {
  bindNewHandle();
  const File file(path, File::MODE_READ);
  const std::vector<unsigned char> bytes = file.getUnsigned();
  clearPixels();
  if (file.exists()) decode(bytes.data(), bytes.size());
  releaseDecoded();
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
  clearPixels();
  decode(bytes, count);
  releaseDecoded();
}

// The library is handed only images whose header it can be trusted with: a known format, a size
// within the limits, all the data that format needs to be read safely. Netpbm files are decoded
// here instead (see PnmDecoder).
bool Image::decode(const unsigned char* bytes, std::size_t count) {
  problem.clear();
  ImageHeader header;
  if (count > UINT_MAX || !header.read(bytes, count))
    return refuse("is not a PNG, JPEG, TGA, BMP or PNM image");
  problem = header.sizeProblem(sideLimit);
  if (!problem.empty()) return false;
  if (header.getType() == IL_PNM) return keepPnm(bytes, count) || refuse("cannot be decoded");
  if (!ImageDataCheck::safeToDecode(bytes, count)) return refuse("is cut short");
  // The decoder can accept bytes and still leave no usable picture (a damaged palette, a size it
  // cannot convert): that is a refusal with a reason too, never a silent empty image.
  const bool decoded = ilLoadL(header.getType(), bytes, static_cast<ILuint>(count)) == IL_TRUE;
  return (decoded && keepLibraryImage()) || refuse("cannot be decoded");
}

bool Image::refuse(const std::string& why) {
  clearPixels();
  problem = why;
  return false;
}

void Image::releaseDecoded() {
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

bool Image::keepLibraryImage() {
  if (!convertToEightBitColour()) return false;
  const unsigned char* pixels = ilGetData();
  const int w = ilGetInteger(IL_IMAGE_WIDTH);
  const int h = ilGetInteger(IL_IMAGE_HEIGHT);
  const int pixelBytes = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
  if (!pixels || w <= 0 || h <= 0 || pixelBytes <= 0) return false;
  keepFlipped(pixels, w, h, pixelBytes);
  return true;
}

bool Image::keepPnm(const unsigned char* bytes, std::size_t count) {
  ImageHeader::Pnm header;
  std::vector<unsigned char> rgb;
  if (!ImageHeader::readPnm(bytes, count, header) || !PnmDecoder::decode(bytes, count, header, rgb)) return false;
  keepFlipped(rgb.data(), static_cast<int>(header.width), static_cast<int>(header.height), 3);
  return true;
}

void Image::keepFlipped(const unsigned char* topDown, int w, int h, int pixelBytes) {
  const std::size_t row = static_cast<std::size_t>(w) * static_cast<std::size_t>(pixelBytes);
  data.resize(row * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    std::memcpy(data.data() + row * static_cast<std::size_t>(y),
                topDown + row * static_cast<std::size_t>(h - 1 - y), row);
  }
  width = w;
  height = h;
  bpp = pixelBytes * 8;
  bytesPerPixel = pixelBytes;
  found = true;
}

void Image::clearPixels() {
  width = height = bpp = bytesPerPixel = 0;
  data.clear();
  found = false;
}
