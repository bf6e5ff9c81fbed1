// GoldenImage: loading, the pixel comparison and the diff picture.
#include "tests/gl/GoldenImage.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "qnvutils/Image.h"
#include "tests/gl/GLTestFixture.h"

namespace {

// The picture's RGB pixels, rows bottom-up as Image keeps them; false when it cannot be read.
bool loadRgb(const std::string& path, Picture& picture) {
  Image image(path);
  int channels = image.getPixelSize();
  if (!image.exists() || image.getData() == nullptr || channels < 3) return false;
  picture.width = image.getWidth();
  picture.height = image.getHeight();
  std::size_t pixels = static_cast<std::size_t>(picture.width) * picture.height;
  picture.rgb.resize(pixels * 3);
  const unsigned char* data = image.getData();
  for (std::size_t i = 0; i < pixels; ++i) {
    for (int c = 0; c < 3; ++c) picture.rgb[i * 3 + c] = data[i * channels + c];
  }
  return true;
}

bool beyond(const Picture& a, const Picture& b, std::size_t pixel, int tolerance) {
  for (int c = 0; c < 3; ++c) {
    if (std::abs(a.rgb[pixel * 3 + c] - b.rgb[pixel * 3 + c]) > tolerance) return true;
  }
  return false;
}

// The frame at a third of its brightness, red where it is beyond the tolerance; rows top-down.
bool writeDiff(const std::string& path, const Picture& frame, const std::vector<bool>& marked) {
  std::vector<uint8_t> out(frame.rgb.size());
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      std::size_t from = static_cast<std::size_t>(frame.height - 1 - y) * frame.width + x;
      std::size_t to = static_cast<std::size_t>(y) * frame.width + x;
      for (int c = 0; c < 3; ++c)
        out[to * 3 + c] =
            marked[from] ? (c == 0 ? 255 : 0) : static_cast<uint8_t>(frame.rgb[from * 3 + c] / 3);
    }
  }
  return writePNG(path, frame.width, frame.height, 3, out);
}

}  // namespace

GoldenComparison GoldenImage::compare(const std::string& frame, const std::string& reference,
                                      const std::string& diffPath) const {
  GoldenComparison result;
  Picture actual;
  Picture expected;
  if (!loadRgb(frame, actual)) {
    result.message = "cannot read the frame " + frame;
    return result;
  }
  if (!loadRgb(reference, expected)) {
    result.message = "cannot read the reference " + reference;
    return result;
  }
  std::ostringstream message;
  if (actual.width != expected.width || actual.height != expected.height) {
    message << "the frame " << frame << " is " << actual.width << "x" << actual.height << ", the reference "
            << reference << " " << expected.width << "x" << expected.height;
    result.message = message.str();
    return result;
  }

  result.total = static_cast<long>(actual.width) * actual.height;
  std::vector<bool> marked(static_cast<std::size_t>(result.total));
  for (std::size_t i = 0; i < marked.size(); ++i) {
    marked[i] = beyond(actual, expected, i, tolerance);
    result.differing += marked[i];
  }
  result.matches = result.differing <= allowance * result.total;
  if (result.matches) return result;

  message << "the frame " << frame << " differs from " << reference << ": " << result.differing << " of "
          << result.total << " pixels beyond " << tolerance << " per channel (at most "
          << static_cast<long>(allowance * result.total) << " allowed); ";
  if (writeDiff(diffPath, actual, marked))
    message << "diff image: " << diffPath;
  else
    message << "the diff image could not be written to " << diffPath;
  result.message = message.str();
  return result;
}
