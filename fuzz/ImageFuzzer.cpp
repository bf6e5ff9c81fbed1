// Arbitrary bytes as an encoded image, decoded as texture files are: a refusal with a reason, or
// pixels that agree with the declared size and stay within the loader's limits.
#include <cstddef>
#include <cstdint>

#include "qnvutils/Image.h"
#include "qnvutils/ImageHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Image image;
  image.putData(data, size);
  if (!image.exists()) {
    if (image.getProblem().empty()) __builtin_trap();
    return 0;
  }
  const uint64_t width = static_cast<uint64_t>(image.getWidth());
  const uint64_t height = static_cast<uint64_t>(image.getHeight());
  if (width > ImageHeader::MAX_SIDE || height > ImageHeader::MAX_SIDE) __builtin_trap();
  if (image.getDataSize() != width * height * static_cast<uint64_t>(image.getPixelSize())) __builtin_trap();
  return 0;
}
